// Decimal-comma repair: one step, and the repair repeated as the field does.

#include "app/comma_to_point.h"

#include <gtest/gtest.h>

namespace {

TEST(CommaToPoint, ReplacesTheFirstCommaAndPutsTheCaretAfterIt)
{
    struct Row {
        const char* name;
        const char* text;
        int caret;
        const char* expected;
        int expectedCaret;
        bool changed;
    };
    const Row rows[] = {
        {"typed decimal comma", "2599,43", 7, "2599.43", 5, true},
        {"first of several", "1,2,3", 5, "1.2,3", 2, true},
        {"comma first", ",5", 2, ".5", 1, true},
        {"comma last", "12,", 3, "12.", 3, true},
        {"no comma keeps the caret", "2599.43", 3, "2599.43", 3, false},
        {"empty", "", 0, "", 0, false},
    };
    for (const Row& row : rows) {
        const ce::EditedText e = ce::CommaToPoint(QString::fromLatin1(row.text), row.caret);
        EXPECT_EQ(e.text, QString::fromLatin1(row.expected)) << row.name;
        EXPECT_EQ(e.caret, row.expectedCaret) << row.name;
        EXPECT_EQ(e.changed, row.changed) << row.name;
    }
}

TEST(CommaToPoint, RepeatedUntilNoCommaIsLeft)
{
    const ce::EditedText pasted = ce::commaToPointAll(QStringLiteral("1,2,3"), 5);
    EXPECT_EQ(pasted.text, "1.2.3");
    EXPECT_EQ(pasted.caret, 4);  // after the last point replaced
    EXPECT_TRUE(pasted.changed);

    const ce::EditedText clean = ce::commaToPointAll(QStringLiteral("2000.0"), 2);
    EXPECT_EQ(clean.text, "2000.0");
    EXPECT_EQ(clean.caret, 2);
    EXPECT_FALSE(clean.changed);
}

}  // namespace
