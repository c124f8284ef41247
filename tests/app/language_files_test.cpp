// The shipped language files side by side: lang-en.cfg is a whole
// translation of lang.cfg, slot for slot and key for key, in the same byte
// form, and every language file names a help page shipped beside it.

#include "app/builtin_texts.h"
#include "app/language_table.h"
#include "app/rtf_reader.h"
#include "core/textfile.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <vector>

namespace {

QString dataFolder() { return QStringLiteral(CE_DATA_DIR); }

QStringList languageFiles()
{
    const QStringList names = QDir(dataFolder()).entryList({QStringLiteral("lang*.cfg")}, QDir::Files);
    EXPECT_TRUE(names.contains(QStringLiteral("lang.cfg")) && names.contains(QStringLiteral("lang-en.cfg")))
        << names.join(u' ').toStdString();
    return names;
}

struct LanguageFile {
    QByteArray bytes;
    QStringList lines;
    ce::LanguageTable table;
};

LanguageFile load(const QString& name)
{
    LanguageFile file;
    const auto bytes = ce::readFileBytes(dataFolder() + u'/' + name, ce::builtinLanguage());
    EXPECT_TRUE(bytes.ok()) << bytes.error().toStdString();
    if (!bytes.ok())
        return file;
    file.bytes = *bytes;
    file.lines = ce::splitLines(ce::decodeText(file.bytes));
    auto table = ce::parseLanguageTable(file.lines);
    EXPECT_TRUE(table.ok()) << name.toStdString() << ": " << table.error().toStdString();
    if (table.ok())
        file.table = *table;
    return file;
}

// Every numbered slot of a table, named the way a translator counts lines,
// followed by every keyed text.
struct Text {
    QString place;
    QString text;
};

template <std::size_t N>
void addSection(std::vector<Text>& out, const char* name, const std::array<QString, N>& section, std::size_t first)
{
    for (std::size_t n = first; n < N; ++n) {
        const QString place = QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(n);
        out.push_back(Text{place, section[n]});
    }
}

std::vector<Text> textsOf(const ce::LanguageTable& table)
{
    std::vector<Text> out;
    addSection(out, "configuration text", table.config, 1);
    addSection(out, "[CONFIG2] line", table.config2, 1);
    addSection(out, "[FORM] line", table.form, 1);
    addSection(out, "[WIZARD] line", table.wizard, 1);
    addSection(out, "suggestion", table.suggestions, 0);
    for (const auto& [key, text] : table.keyed)
        out.push_back({key, text});
    return out;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
        found.insert(m.captured());
    return found;
}

// An accelerator: "&" before the letter or digit it underlines.
bool hasAccelerator(const QString& text)
{
    static const QRegularExpression accelerator(QStringLiteral("&[\\w?]"));
    return text.contains(accelerator);
}

QStringList keysOf(const ce::LanguageTable& table)
{
    QStringList keys;
    for (const auto& entry : table.keyed)
        keys << entry.first;
    return keys;
}

TEST(LanguageFiles, EnglishFillsTheSameSlotsAndKeysAsFrench)
{
    const LanguageFile french = load(QStringLiteral("lang.cfg"));
    const LanguageFile english = load(QStringLiteral("lang-en.cfg"));
    ASSERT_FALSE(french.lines.isEmpty());
    ASSERT_FALSE(english.lines.isEmpty());

    // Line N of a section is the translation of line N: the markers stand on
    // the same lines in both files.
    for (const char* marker : {"[CONFIG2]", "[FORM]", "[WIZARD]", "[SUGESTIONS]", "[END]"}) {
        const QString line = QString::fromLatin1(marker);
        EXPECT_EQ(english.lines.indexOf(line), french.lines.indexOf(line)) << marker;
    }
    EXPECT_EQ(keysOf(english.table), keysOf(french.table));

    const std::vector<Text> fr = textsOf(french.table);
    const std::vector<Text> en = textsOf(english.table);
    ASSERT_EQ(en.size(), fr.size());
    // Texts that read the same in both languages: names of things, symbols
    // and units, the two empty wizard labels and the markers that take a slot.
    const QSet<QString> sharedWithFrench = {
        QStringLiteral("OK"), QStringLiteral("X:"), QStringLiteral("Y:"), QStringLiteral("h"),
        QStringLiteral("mm"), QStringLiteral("pixels"), QStringLiteral("min – max"),
        QStringLiteral("Version %1"), QStringLiteral("LOADING..."), QStringLiteral("RA %1  DEC %2  (%3)"),
        QStringLiteral("Epoch %1  (DATE-OBS)"), QStringLiteral("About %1"), QStringLiteral("Identification: %1"),
        QString(), QStringLiteral("Cinq Étoiles"), QStringLiteral("&Options"),
        QStringLiteral("1-Download"), QStringLiteral("4-Full map"), QStringLiteral("5-Auto"),
        QStringLiteral("CCD"), QStringLiteral("RA:"), QStringLiteral("DEC:"), QStringLiteral("Epoch:"),
        QStringLiteral("Size X:"), QStringLiteral("Size Y:"), QStringLiteral("Info:"),
        QStringLiteral("Load"), QStringLiteral("Image:"), QStringLiteral("&Catalogue..."),
        QStringLiteral("[CONFIG2]"), QStringLiteral("[FORM]"), QStringLiteral("[WIZARD]"),
        QStringLiteral("[SUGESTIONS]"), QStringLiteral("[END]"), QStringLiteral("RA (minutes)")};
    for (std::size_t i = 0; i < fr.size(); ++i) {
        const Text& f = fr[i];
        const Text& e = en[i];
        ASSERT_EQ(e.place, f.place);
        const std::string where = f.place.toStdString() + ": " + e.text.toStdString();
        EXPECT_EQ(placeholders(e.text), placeholders(f.text)) << where;
        EXPECT_EQ(hasAccelerator(e.text), hasAccelerator(f.text)) << where;
        EXPECT_EQ(e.text.isEmpty(), f.text.isEmpty()) << where;
        if (e.text == f.text) {
            EXPECT_TRUE(sharedWithFrench.contains(e.text)) << "left in French: " << where;
        }
    }
}

TEST(LanguageFiles, WrittenInWindows1252WithCrLf)
{
    for (const QString& name : languageFiles()) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = load(name).bytes;
        ASSERT_FALSE(bytes.isEmpty());
        // A file saved as UTF-8 by mistake would read back as other letters.
        EXPECT_EQ(ce::decodeText(bytes), ce::decodeWindows1252(bytes));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r'));
        EXPECT_TRUE(bytes.endsWith("\r\n"));
    }
}

TEST(LanguageFiles, EachNamesAHelpPageShippedBesideIt)
{
    const QStringList names = languageFiles();
    QSet<QString> pages;
    for (const QString& name : names) {
        const LanguageFile file = load(name);
        const auto it = file.table.keyed.find(QStringLiteral("help.file"));
        ASSERT_NE(it, file.table.keyed.end()) << name.toStdString();
        const QString page = it->second;
        EXPECT_FALSE(page.contains(u'/') || page.contains(u'\\')) << page.toStdString();
        const auto bytes = ce::readFileBytes(dataFolder() + u'/' + page, ce::builtinLanguage());
        ASSERT_TRUE(bytes.ok()) << name.toStdString() << ": " << bytes.error().toStdString();
        EXPECT_TRUE(ce::readRtf(*bytes, ce::builtinLanguage()).ok()) << page.toStdString();
        pages.insert(page);
    }
    EXPECT_EQ(pages.size(), names.size()) << "each language has its own help page";
}

TEST(LanguageFiles, HelpPagesNameTheMenusAsCaptioned)
{
    // Menu and entry as the help page names them: "Fichier > Assistant".
    // Captions lose their "&" and the "..." of an entry that opens a window.
    const auto caption = [](QString text) {
        text.remove(u'&');
        if (text.endsWith(QStringLiteral("...")))
            text.chop(3);
        return text;
    };
    for (const QString& name : languageFiles()) {
        SCOPED_TRACE(name.toStdString());
        const ce::LanguageTable table = load(name).table;
        const auto bytes = ce::readFileBytes(dataFolder() + u'/' + table.text(QStringLiteral("help.file")), ce::builtinLanguage());
        ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
        const auto page = ce::readRtf(*bytes, ce::builtinLanguage());
        ASSERT_TRUE(page.ok());
        const QString text = page->plainText();

        const QString file = caption(table.form[2]);
        const QString options = caption(table.form[8]);
        const QString paths[] = {
            file + QStringLiteral(" > ") + caption(table.form[3]),   // the assistant
            file + QStringLiteral(" > ") + caption(table.form[4]),   // open a project
            file + QStringLiteral(" > ") + caption(table.form[5]),   // save it
            file + QStringLiteral(" > ") + caption(table.form[6]),   // save the defaults
            options + QStringLiteral(" > ") + caption(table.form[9]),  // the configurations
            file + QStringLiteral(" > ") + caption(table.text(QStringLiteral("export.menu.wcs"))),
            file + QStringLiteral(" > ") + caption(table.text(QStringLiteral("export.menu.csv"))),
            options + QStringLiteral(" > ") + caption(table.text(QStringLiteral("ui.menu.language"))),
        };
        for (const QString& path : paths)
            EXPECT_TRUE(text.contains(path)) << path.toStdString();
        for (const QString& button : {caption(table.text(QStringLiteral("export.copyall"))), table.form[45 + ce::msg::kAutoCaption],
                                      table.form[15], table.form[16], table.form[17], table.form[18]})
            EXPECT_TRUE(text.contains(button)) << button.toStdString();
    }
}

}  // namespace
