// Sexagesimal forms: entry fields to degrees, the split used by the catalogue
// query and the display text. Expected values are worked by hand from the
// definitions (h*3600 + m*60 + s) / 3600 * 15 and the successive sixtieths.

#include "core/sexagesimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

TEST(Sexagesimal, FieldsToDegrees)
{
    // 1h34m50s = 5690 s of time = 5690 / 240 degrees.
    EXPECT_DOUBLE_EQ(ce::raFromFields(1, 34, 50), 5690.0 / 240.0);
    EXPECT_DOUBLE_EQ(ce::raFromFields(24, 0, 0), 360.0);
    EXPECT_DOUBLE_EQ(ce::raFromFields(0, 0, 1), 15.0 / 3600.0);
    // 22d11'1" = 79861"; the sign applies to the whole value.
    EXPECT_DOUBLE_EQ(ce::decFromFields(22, 11, 1, +1), 79861.0 / 3600.0);
    EXPECT_DOUBLE_EQ(ce::decFromFields(22, 11, 1, -1), -79861.0 / 3600.0);
    EXPECT_DOUBLE_EQ(ce::decFromFields(0, 30, 0, -1), -0.5);

    EXPECT_EQ(ce::signFactorFromCaption(QStringLiteral("-")), -1);
    EXPECT_EQ(ce::signFactorFromCaption(QStringLiteral("+")), 1);
    EXPECT_EQ(ce::signFactorFromCaption(QString()), 1);
}

TEST(Sexagesimal, FieldTextsUseTheLocaleSeparatorAndNameTheFailingField)
{
    const ce::Result<double> ra = ce::raFromTexts(QStringLiteral("1"), QStringLiteral(" 34 "),
                                                  QStringLiteral("50,5"), u',');
    ASSERT_TRUE(ra.ok()) << ra.error().toStdString();
    EXPECT_DOUBLE_EQ(*ra, 5690.5 / 240.0);

    // An explicit "+" is a sign, not a reason to read nothing.
    const ce::Result<double> plus = ce::raFromTexts(QStringLiteral("+1"), QStringLiteral("0"),
                                                    QStringLiteral("+0"), u'.');
    ASSERT_TRUE(plus.ok());
    EXPECT_DOUBLE_EQ(*plus, 15.0);

    const ce::Result<double> dec = ce::decFromTexts(QStringLiteral("0"), QStringLiteral("30"),
                                                    QStringLiteral("0"), -1, u'.');
    ASSERT_TRUE(dec.ok());
    EXPECT_DOUBLE_EQ(*dec, -0.5);

    struct Row { const char* name; QString a, b, c; bool isRa; QChar point; QString field; };
    const Row rows[] = {
        {"empty hours", "", "0", "0", true, u'.', "RA (heures)"},
        {"letters in minutes", "1", "x", "0", true, u'.', "RA (minutes)"},
        {"point where comma is the separator", "1", "2", "3.5", true, u',', "RA (secondes)"},
        {"empty degrees", " ", "0", "0", false, u'.', "DEC (degrés)"},
        {"trailing text in arcminutes", "1", "2a", "0", false, u'.', "DEC (minutes)"},
        {"empty arcseconds", "1", "2", "", false, u'.', "DEC (secondes)"},
        {"first bad field wins", "a", "b", "c", false, u'.', "DEC (degrés)"},
    };
    for (const Row& row : rows) {
        const ce::Result<double> r = row.isRa ? ce::raFromTexts(row.a, row.b, row.c, row.point)
                                              : ce::decFromTexts(row.a, row.b, row.c, 1, row.point);
        ASSERT_FALSE(r.ok()) << row.name;
        EXPECT_EQ(r.error(), QStringLiteral("Incompatibilité de type : le champ %1 ne contient pas un nombre")
                                 .arg(row.field)) << row.name;
    }
}

TEST(Sexagesimal, SplitKeepsTheSignOnTheWholePartOnly)
{
    struct Row { const char* name; double value; int whole, minutes; double seconds; };
    const Row rows[] = {
        {"negative half", -12.5, -12, 30, 0.0},
        {"between -1 and 0 loses the sign", -0.5, 0, 30, 0.0},
        {"zero", 0.0, 0, 0, 0.0},
        // 0.12345678 * 60 = 7.4074068; 0.4074068 * 60 = 24.444408 -> 24.4444.
        {"seconds to four decimals", 10.12345678, 10, 7, 24.4444},
        // 0.999999999 h = 59' 59.9999964" -> 60.0000, not carried.
        {"sixty not carried", 1.999999999, 1, 59, 60.0},
        {"non finite", std::numeric_limits<double>::quiet_NaN(), 0, 0, 0.0},
        {"beyond 16 bits is held", 1.0e6, 32767, 0, 0.0},
    };
    for (const Row& row : rows) {
        const ce::SexagesimalParts p = ce::SplitSexagesimal(row.value);
        EXPECT_EQ(p.whole, row.whole) << row.name;
        EXPECT_EQ(p.minutes, row.minutes) << row.name;
        EXPECT_NEAR(p.seconds, row.seconds, 1e-9) << row.name;
    }
}

TEST(Sexagesimal, FormatRoundsSecondsTwiceHalfToEven)
{
    struct Row { const char* name; double value; const char* unit; QString text; };
    const Row rows[] = {
        {"zero", 0.0, "h", "0h0'0''"},
        {"half hour", 12.5, "h", "12h30'0''"},
        {"negative", -5.25, "°", "-5°15'0''"},
        {"sign kept when whole is 0", -0.5, "°", "-0°30'0''"},
        {"sixty not carried", 10.9999999, "°", "10°59'60''"},
        // 1/32 deg = 1.875' = 1'52.5" -> 52 (even); 3/32 deg = 5'37.5" -> 38 (even).
        {"exact half down to even", 1.0 / 32.0, "°", "0°1'52''"},
        {"exact half up to even", 3.0 / 32.0, "°", "0°5'38''"},
        // 53.4961" -> 53.50 at two decimals -> 54; one rounding would give 53.
        {"hundredths first", 10.0 + 53.4961 / 3600.0, "°", "10°0'54''"},
        {"whole part beyond 16 bits", 40000.25, "°", "40000°15'0''"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "°", "NaN°0'0''"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ce::FormatSexagesimal(row.value, QString::fromUtf8(row.unit)), row.text) << row.name;
}

}  // namespace
