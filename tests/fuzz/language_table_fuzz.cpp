// The language file and the suggestions drawn from it: any file that reads
// as a table, written out again from the table, reads as the same table;
// every suggestion shown is made of the file's texts or keeps the label.

#include "app/builtin_texts.h"
#include "app/language_table.h"
#include "app/suggestions.h"
#include "tests/fuzz/fuzz_support.h"

#include <algorithm>
#include <iterator>

using namespace ce;
using ce::fuzz::require;

namespace {

template <std::size_t N>
void appendSection(QStringList& lines, const std::array<QString, N>& texts, int firstSlot,
                   const QString& marker)
{
    // The marker takes the slot after the section's last text.
    for (std::size_t slot = std::size_t(firstSlot); slot < N; ++slot) {
        lines << texts[slot];
        if (texts[slot] == marker)
            return;
    }
    ce::fuzz::broken("every section is closed by its marker", marker);
}

// The file a table was read from, minus anything after [END].
QStringList languageLines(const LanguageTable& t)
{
    QStringList lines;
    const QString config2 = QStringLiteral("[CONFIG2]");
    if (!std::count(t.config.begin(), t.config.end(), config2)) {
        lines << config2;  // the heading closed the configuration texts at once
    } else {
        lines << QStringLiteral("Langue");
        appendSection(lines, t.config, 1, config2);
    }
    appendSection(lines, t.config2, 1, QStringLiteral("[FORM]"));
    appendSection(lines, t.form, 1, QStringLiteral("[WIZARD]"));
    appendSection(lines, t.wizard, 1, QStringLiteral("[SUGESTIONS]"));
    appendSection(lines, t.suggestions, 0, QStringLiteral("[END]"));
    return lines;
}

bool sameTable(const LanguageTable& a, const LanguageTable& b)
{
    return a.config == b.config && a.config2 == b.config2 && a.form == b.form && a.wizard == b.wizard
        && a.suggestions == b.suggestions;
}

const char* const kKeys[] = {"calcul", "superetalonage", "etalonage", "selectstar",
                             "open", "fullmapannuler", "calculannuler", "autre"};

void checkSuggestions(const LanguageTable& table, const QStringList& lines, std::uint8_t pick)
{
    const QString key = QString::fromLatin1(kKeys[pick % std::size(kKeys)]);
    const auto step = static_cast<std::int16_t>(int(pick / std::size(kKeys)) % 5 - 2);
    const QString a = lines.value(0), b = lines.value(1), current = lines.value(2);
    const QString shown = SetSugestion(key, step, a, b, current, table);
    const QChar cr(13);
    if (key == u"calcul" && (step == 0 || step == 1)) {
        // The label or suggestion 1 or 2 (step 1: suggestion 15, then
        // perhaps 2), then nothing or suggestion 3 or 4.
        const QString nothingOffered = table.suggestion(15) + cr;
        const QStringList heads = step == 0
            ? QStringList{current, table.suggestion(1) + cr, table.suggestion(2) + cr}
            : QStringList{nothingOffered, nothingOffered + table.suggestion(2) + cr};
        bool made = false;
        for (const QString& head : heads)
            for (const QString& tail : {QString(), table.suggestion(3) + cr, table.suggestion(4) + cr})
                made = made || shown == head + tail;
        require(made, "a result is made of the label and suggestions 1 to 4 (and 15)", shown);
        return;
    }
    bool fromTable = shown == current;
    for (int n = 5; n <= 14; ++n)
        fromTable = fromTable || shown == table.suggestion(n);
    require(fromTable, "a suggestion comes from the table or keeps the label", shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = splitLines(decodeText(fuzz::bytesOf(data, size)));
    const Result<LanguageTable> table = parseLanguageTable(lines);
    if (!table.ok()) {
        require(table.error().contains(u"ligne"), "a failure names the line", table.error());
        checkSuggestions(LanguageTable{}, lines, size ? data[0] : 0);
        return 0;
    }
    const QStringList written = languageLines(*table);
    const Result<LanguageTable> again = parseLanguageTable(fuzz::writtenAndReadBack(written));
    if (!again.ok() || !sameTable(*again, *table))
        fuzz::broken("the table written out reads back the same", written.join(u'\n'));

    LanguageTable withMessages = *table;
    withMessages.fillMessages();
    for (int n = 0; n <= 20; ++n)
        require(withMessages.message(n) == table->form[std::size_t(45 + n)], "message N is [FORM] line 45 + N");
    for (int n = kFirstLaterMessage; n < int(withMessages.messages.size()); ++n) {
        const QString own = table->form[std::size_t(45 + n)];
        require(withMessages.message(n) == own || withMessages.message(n) == builtinMessage(n),
                "a later message is the file's text or the program's French", own);
    }
    require(withMessages.message(int(withMessages.messages.size())).isEmpty() && withMessages.message(-1).isEmpty(),
            "no message outside the table");
    checkSuggestions(*table, lines, size ? data[size - 1] : 0);
    return 0;
}
