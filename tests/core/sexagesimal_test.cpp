// Sexagesimal forms: entry fields to degrees, the split used by the catalogue
// query and the display text. Expected values are worked by hand from
// (h*3600 + m*60 + s) / 3600 * 15 and the successive sixtieths.

#include "core/sexagesimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Sexagesimal, FieldsToDegrees)
{
    EXPECT_DOUBLE_EQ(ce::raFromFields(1, 34, 50), 5690.0 / 240.0);  // 5690 s of time
    EXPECT_DOUBLE_EQ(ce::raFromFields(0, 0, 1), 15.0 / 3600.0);
    EXPECT_DOUBLE_EQ(ce::decFromFields(22, 11, 1, -1), -79861.0 / 3600.0);  // the sign applies to the whole
    EXPECT_DOUBLE_EQ(ce::decFromFields(0, 30, 0, -1), -0.5);
    EXPECT_EQ(ce::signFactorFromCaption(QStringLiteral("-")), -1);
    EXPECT_EQ(ce::signFactorFromCaption(QString()), 1);

    const ce::Result<double> ra =
        ce::raFromTexts(QStringLiteral("1"), QStringLiteral(" 34 "), QStringLiteral("50,5"), u',');
    ASSERT_TRUE(ra.ok()) << ra.error().toStdString();
    EXPECT_DOUBLE_EQ(*ra, 5690.5 / 240.0);
    // An explicit "+" is a sign, not a reason to read nothing.
    EXPECT_DOUBLE_EQ(
        ce::raFromTexts(QStringLiteral("+1"), QStringLiteral("0"), QStringLiteral("+0"), u'.').value(), 15.0);

    struct Row { QString a, b, c; bool isRa; QChar point; QString field; };
    const Row rows[] = {
        {"", "0", "0", true, u'.', "RA (heures)"},
        {"1", "x", "0", true, u'.', "RA (minutes)"},
        {"1", "2", "3.5", true, u',', "RA (secondes)"},
        {"1", "2a", "0", false, u'.', "DEC (minutes)"},
        {"1", "2", "", false, u'.', "DEC (secondes)"},
        {"a", "b", "c", false, u'.', "DEC (degrés)"},  // the first bad field wins
    };
    for (const Row& row : rows) {
        const ce::Result<double> r = row.isRa ? ce::raFromTexts(row.a, row.b, row.c, row.point)
                                              : ce::decFromTexts(row.a, row.b, row.c, 1, row.point);
        EXPECT_EQ(r.error(),
                  QStringLiteral("Incompatibilité de type : le champ %1 ne contient pas un nombre").arg(row.field))
            << row.field.toStdString();
    }
}

TEST(Sexagesimal, SplitKeepsTheSignOnTheWholePartOnly)
{
    struct Row { double value; int whole, minutes; double seconds; };
    const Row rows[] = {
        {-12.5, -12, 30, 0.0},
        {-0.5, 0, 30, 0.0},  // between -1 and 0 the sign is lost
        // 0.12345678 * 60 = 7.4074068; 0.4074068 * 60 = 24.444408 -> 24.4444.
        {10.12345678, 10, 7, 24.4444},
        {1.999999999, 1, 59, 60.0},  // 59' 59.9999964" -> 60.0000, not carried
        {std::numeric_limits<double>::quiet_NaN(), 0, 0, 0.0},
        {1.0e6, 32767, 0, 0.0},  // beyond 16 bits is held
    };
    for (const Row& row : rows) {
        const ce::SexagesimalParts p = ce::SplitSexagesimal(row.value);
        EXPECT_EQ(p.whole, row.whole) << row.value;
        EXPECT_EQ(p.minutes, row.minutes) << row.value;
        EXPECT_NEAR(p.seconds, row.seconds, 1e-9) << row.value;
    }
}

TEST(Sexagesimal, FormatRoundsSecondsTwiceHalfToEven)
{
    struct Row { double value; const char* unit; QString text; };
    const Row rows[] = {
        {12.5, "h", "12h30'0''"},
        {-0.5, "°", "-0°30'0''"},  // sign kept when the whole part is 0
        {10.9999999, "°", "10°59'60''"},  // sixty not carried
        // 1/32 deg = 1'52.5" -> 52 (even); 3/32 deg = 5'37.5" -> 38 (even).
        {1.0 / 32.0, "°", "0°1'52''"},
        {3.0 / 32.0, "°", "0°5'38''"},
        // 53.4961" -> 53.50 at two decimals -> 54; one rounding would give 53.
        {10.0 + 53.4961 / 3600.0, "°", "10°0'54''"},
        {40000.25, "°", "40000°15'0''"},
        {std::numeric_limits<double>::quiet_NaN(), "°", "NaN°0'0''"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ce::FormatSexagesimal(row.value, QString::fromUtf8(row.unit)), row.text) << row.text.toStdString();
}

}  // namespace
