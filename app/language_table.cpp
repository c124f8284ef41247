#include "app/language_table.h"

#include "app/builtin_texts.h"
#include "core/textfile.h"

#include <QRegularExpression>

#include <cstddef>

namespace ce {
namespace {

// One section of the file: the marker that closes it, where its texts go,
// the slot of its first text, and its name in messages.
struct Section {
    QString marker;
    QString* texts;
    int slotCount;
    int firstSlot;
    QString name;
};

template <std::size_t N>
Section section(const char* marker, std::array<QString, N>& texts, int firstSlot, const char* name)
{
    return {QString::fromLatin1(marker), texts.data(), static_cast<int>(N), firstSlot,
            QString::fromUtf8(name)};
}

}  // namespace

namespace {

// A later text that a file from before it lacks: its slot is empty, or holds
// the marker that closed the file's shorter section.
bool lacking(const QString& text, const char* closingMarker)
{
    return text.isEmpty() || text == QLatin1String(closingMarker);
}

}  // namespace

QString LanguageTable::message(int n) const
{
    if (n < 0 || n >= static_cast<int>(messages.size())) return QString();
    const QString& text = messages[std::size_t(n)];
    return n >= kFirstLaterMessage && lacking(text, "[WIZARD]") ? builtinMessage(n) : text;
}

QString LanguageTable::suggestion(int n) const
{
    if (n < 0 || n >= static_cast<int>(suggestions.size())) return QString();
    const QString& text = suggestions[std::size_t(n)];
    return n >= kFirstLaterSuggestion && lacking(text, "[END]") ? builtinSuggestion(n) : text;
}

QString LanguageTable::text(const QString& key) const
{
    const auto it = keyed.find(key);
    if (it != keyed.end()) return it->second;
    const QString french = builtinText(key);
    return french.isEmpty() ? key : french;
}

void LanguageTable::fillMessages()
{
    // Messages are the [FORM] texts that follow the 44 captions of the main
    // window.
    for (std::size_t n = 0; n < messages.size(); ++n)
        messages[n] = form[45 + n];
}

Result<LanguageTable> parseLanguageTable(const QStringList& lines)
{
    LanguageTable table;
    const Section sections[] = {
        section("[CONFIG2]", table.config, 1, "des textes de configuration"),
        section("[FORM]", table.config2, 1, "[CONFIG2]"),
        section("[WIZARD]", table.form, 1, "[FORM]"),
        section("[SUGESTIONS]", table.wizard, 1, "[WIZARD]"),
        section("[END]", table.suggestions, 0, "[SUGESTIONS]"),
    };

    if (lines.isEmpty())
        return Result<LanguageTable>::failure(
            QStringLiteral("Fichier de langue incomplet : le fichier est vide (ligne 0)"));

    // `at` is the index of the current line; line 1 is the heading, and a
    // heading that is itself "[CONFIG2]" leaves the configuration texts empty.
    qsizetype at = 0;
    for (const Section& s : sections) {
        int slot = s.firstSlot - 1;
        while (lines[at] != s.marker) {
            if (at + 1 >= lines.size())
                return Result<LanguageTable>::failure(
                    QStringLiteral("Fichier de langue incomplet : le marqueur %1 est introuvable "
                                   "(fin du fichier à la ligne %2)")
                        .arg(s.marker, QString::number(at + 1)));
            ++at;
            ++slot;
            // The closing marker takes a slot too, so a full section has
            // one text fewer than its slots.
            if (slot >= s.slotCount)
                return Result<LanguageTable>::failure(
                    QStringLiteral("Fichier de langue invalide : la section %1 dépasse %2 lignes "
                                   "(ligne %3)")
                        .arg(s.name, QString::number(s.slotCount - s.firstSlot - 1),
                             QString::number(at + 1)));
            s.texts[slot] = lines[at];
        }
    }
    static const QRegularExpression keyedLine(QStringLiteral("^([a-z0-9_.]+)=(.*)$"));
    for (++at; at < lines.size(); ++at) {
        const QRegularExpressionMatch m = keyedLine.match(lines[at]);
        if (m.hasMatch())
            table.keyed[m.captured(1)] = m.captured(2).replace(QLatin1String("\\n"), QLatin1String("\n"));
    }
    return Result<LanguageTable>::success(std::move(table));
}

Result<LanguageTable> loadLanguageTable(const QString& programFolder)
{
    return loadLanguageFile(programFolder + QStringLiteral("/lang.cfg"));
}

Result<LanguageTable> loadLanguageFile(const QString& path)
{
    // No language is loaded while its file is read: a file that cannot be
    // read is told in the program's own French.
    const Result<QStringList> lines = readTextLines(path, builtinLanguage());
    if (!lines)
        return Result<LanguageTable>::failure(lines.error());
    Result<LanguageTable> table = parseLanguageTable(*lines);
    if (!table)
        return Result<LanguageTable>::failure(path + QStringLiteral(" : ") + table.error());
    return table;
}

}  // namespace ce
