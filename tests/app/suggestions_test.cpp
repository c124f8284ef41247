// The suggestion label's rules, one row per key/step combination.

#include "app/suggestions.h"

#include <gtest/gtest.h>

namespace {

TEST(SetSugestion, RulesByKeyAndStep)
{
    ce::LanguageTable table;
    for (int n = 0; n < 20; ++n) table.suggestions[std::size_t(n)] = QStringLiteral("S%1").arg(n);
    // "\r" is the single character 13; "avant" is the label's text before.
    const struct { const char* key; std::int16_t step; const char* a; const char* b; const char* expected; } rows[] = {
        {"calcul", 0, "20", "350", "S1\rS3\r"},   {"calcul", 0, "100", "50", "avantS4\r"},
        {"calcul", 0, "99", "200", "S1\r"},       {"calcul", 0, "101", "200", "S2\r"},
        {"calcul", 0, "100", "300", "avant"},     {"calcul", 0, "100", "301", "avantS3\r"},
        {"calcul", 0, "100", "100", "avant"},     {"calcul", 0, "150 sol", "x", "S2\rS4\r"},
        {"calcul", -1, "0", "0", "S5"},           {"calcul", 2, "0", "0", "avant"},
        // Step 1: no candidate was offered, so none was declined.
        {"calcul", 1, "0", "0", "S15\rS4\r"},     {"calcul", 1, "150", "200", "S15\rS2\r"},
        {"superetalonage", 7, "0", "0", "S6"},    {"superetalonage", -1, "0", "0", "S7"},
        {"superetalonage", -2, "0", "0", "avant"}, {"etalonage", 0, "0", "0", "S8"},
        {"etalonage", 1, "0", "0", "S9"},         {"etalonage", 2, "0", "0", "avant"},
        {"selectstar", 1, "0", "0", "S10"},       {"selectstar", 2, "0", "0", "S11"},
        {"selectstar", 3, "0", "0", "avant"},     {"open", 9, "0", "0", "S12"},
        {"fullmapannuler", -5, "0", "0", "S13"},  {"calculannuler", 0, "0", "0", "S14"},
        {"Calcul", -1, "0", "0", "avant"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ce::SetSugestion(QString::fromLatin1(r.key), r.step, QString::fromLatin1(r.a),
                                   QString::fromLatin1(r.b), QStringLiteral("avant"), table),
                  QString::fromLatin1(r.expected))
            << r.key << " " << r.step << " " << r.a << " " << r.b;
}

}  // namespace
