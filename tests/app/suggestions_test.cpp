// The suggestion label's rules, one row per key/step combination.

#include "app/suggestions.h"

#include <gtest/gtest.h>

namespace {

ce::LanguageTable tableWithSuggestions()
{
    ce::LanguageTable table;
    for (int n = 0; n < 20; ++n) table.suggestions[std::size_t(n)] = QStringLiteral("S%1").arg(n);
    return table;
}

TEST(SetSugestion, RulesByKeyAndStep)
{
    struct Row {
        const char* name;
        const char* key;
        std::int16_t step;
        const char* a;
        const char* b;
        const char* expected;  // "\r" is the single character 13
    };
    const char* before = "avant";
    const Row rows[] = {
        // "calcul" step 0: the four rules in turn.
        {"few candidates, many stars", "calcul", 0, "20", "350", "S1\rS3\r"},
        {"exactly 100 keeps the text", "calcul", 0, "100", "50", "avantS4\r"},
        {"99 is below 100", "calcul", 0, "99", "200", "S1\r"},
        {"101 is above 100", "calcul", 0, "101", "200", "S2\r"},
        {"300 stars append nothing", "calcul", 0, "100", "300", "avant"},
        {"301 stars", "calcul", 0, "100", "301", "avantS3\r"},
        {"100 stars append nothing", "calcul", 0, "100", "100", "avant"},
        {"99 stars", "calcul", 0, "500", "99", "S2\rS4\r"},
        {"values by the leading-number rule", "calcul", 0, "150 solutions", "x", "S2\rS4\r"},
        {"accepted", "calcul", -1, "0", "0", "S5"},
        {"no rule for step 1", "calcul", 1, "0", "0", "avant"},
        {"superetalonage 0", "superetalonage", 0, "0", "0", "S6"},
        {"superetalonage 7", "superetalonage", 7, "0", "0", "S6"},
        {"superetalonage -1", "superetalonage", -1, "0", "0", "S7"},
        {"superetalonage -2", "superetalonage", -2, "0", "0", "avant"},
        {"etalonage 0", "etalonage", 0, "0", "0", "S8"},
        {"etalonage -1", "etalonage", -1, "0", "0", "S8"},
        {"etalonage 1", "etalonage", 1, "0", "0", "S9"},
        {"etalonage 2", "etalonage", 2, "0", "0", "avant"},
        {"selectstar 1", "selectstar", 1, "0", "0", "S10"},
        {"selectstar 2", "selectstar", 2, "0", "0", "S11"},
        {"selectstar 3", "selectstar", 3, "0", "0", "avant"},
        {"open, any step", "open", 9, "0", "0", "S12"},
        {"fullmapannuler", "fullmapannuler", -5, "0", "0", "S13"},
        {"calculannuler", "calculannuler", 0, "0", "0", "S14"},
        {"keys compare exactly", "Calcul", -1, "0", "0", "avant"},
        {"unknown key", "autre", 0, "0", "0", "avant"},
    };
    const ce::LanguageTable table = tableWithSuggestions();
    for (const Row& row : rows) {
        const QString text = ce::SetSugestion(QString::fromLatin1(row.key), row.step,
                                              QString::fromLatin1(row.a), QString::fromLatin1(row.b),
                                              QString::fromLatin1(before), table);
        EXPECT_EQ(text, QString::fromLatin1(row.expected)) << row.name;
    }
}

TEST(SetSugestion, CarriageReturnIsASingleCharacter)
{
    const QString text = ce::SetSugestion(QStringLiteral("calcul"), 0, QStringLiteral("0"),
                                          QStringLiteral("0"), QString(), tableWithSuggestions());
    ASSERT_EQ(text.size(), 6);  // "S1" CR "S4" CR
    EXPECT_EQ(text.at(2).unicode(), 13);
    EXPECT_FALSE(text.contains(u'\n'));
}

}  // namespace
