// Decimal-comma repair: one step, and the repair repeated as the field does.

#include "app/comma_to_point.h"

#include <gtest/gtest.h>

namespace {

TEST(CommaToPoint, FirstCommaThenAllOfThem)
{
    const struct {
        const char* text; int caret; const char* once; int onceCaret; const char* all; int allCaret;
    } rows[] = {
        {"2599,43", 7, "2599.43", 5, "2599.43", 5},
        {"1,2,3", 5, "1.2,3", 2, "1.2.3", 4},
        {",5", 2, ".5", 1, ".5", 1},
        {"2599.43", 3, "2599.43", 3, "2599.43", 3},  // no comma: caret kept
        {"", 0, "", 0, "", 0},
    };
    for (const auto& r : rows) {
        const ce::EditedText once = ce::CommaToPoint(QString::fromLatin1(r.text), r.caret);
        const ce::EditedText all = ce::commaToPointAll(QString::fromLatin1(r.text), r.caret);
        EXPECT_EQ(once.text, QString::fromLatin1(r.once)) << r.text;
        EXPECT_EQ(once.caret, r.onceCaret) << r.text;
        EXPECT_EQ(once.changed, QString::fromLatin1(r.text).contains(u',')) << r.text;
        EXPECT_EQ(all.text, QString::fromLatin1(r.all)) << r.text;
        EXPECT_EQ(all.caret, r.allCaret) << r.text;
    }
}

}  // namespace
