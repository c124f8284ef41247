// Number reading, rounding and text forms of entry fields, and the
// sexagesimal forms: entry fields to degrees, the split used by the catalogue
// query and the display text. Expected values are worked by hand, e.g. from
// (h*3600 + m*60 + s) / 3600 * 15 and the successive sixtieths.
#include "core/numbers.h"
#include "core/sexagesimal.h"
#include "tests/core/key_echo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(LeadingNumber, TakesTheLongestLeadingNumber)
{
    const std::pair<const char*, double> rows[] = {
        {" 1 2.5 ", 12.5}, {"9 mm", 9.0}, {"2599,43", 2599.0}, {"1.5e2x", 150.0}, {"3e+", 3.0}, {"-", 0.0},
        // Below the smallest double the number is zero, beyond the largest infinite;
        // the order of the first significant digit decides, not the exponent's sign.
        {"-1e400", -INFINITY}, {"0.001e312", INFINITY}, {"1000e-330", 0.0},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_DOUBLE_EQ(ce::leadingNumber(QString::fromUtf8(text)), expected) << text;
    EXPECT_EQ(ce::leadingNumber(u'1' + QString(400, u'0') + QStringLiteral("e-5")), INFINITY);  // 10^395
    EXPECT_TRUE(std::signbit(ce::leadingNumber(u"-1e-400")));
}

TEST(LocaleNumber, WholeTextMustBeANumber)
{
    const ce::test::KeyEcho lang;
    const auto read = [&lang](QStringView text, QChar point) {
        return ce::localeNumber(text, point, QStringLiteral("x"), lang);
    };
    EXPECT_DOUBLE_EQ(read(u" 12,5 ", u',').value(), 12.5);
    EXPECT_EQ(read(u"-2,5e-400", u',').value(), 0.0);  // underflow is 0
    // Both separators whatever the locale; never a group separator.
    for (const QChar locale : {u',', u'.'})
        for (const auto& [typed, value] : {std::pair{u"7.5", 7.5}, {u" 7,5", 7.5}, {u"50.5e0", 50.5}}) {
            EXPECT_DOUBLE_EQ(read(typed, locale).value(), value);
            EXPECT_EQ(ce::localeValue(typed, locale), value);
        }
    for (const char* bad : {"", "1,234.5", "1.234,5", "1 234", "9 mm", "1,2,3", "-"}) {
        EXPECT_EQ(ce::test::spoken(read(QString::fromUtf8(bad), u',').error()), "number.not_a_number|x") << bad;
        EXPECT_FALSE(ce::localeValue(QString::fromUtf8(bad), u',')) << bad;
    }
    EXPECT_EQ(ce::test::spoken(read(u"1e400", u'.').error()), "number.overflow_field|x");
    EXPECT_FALSE(ce::localeValue(u"-1e400", u'.'));
    // A field named by a language text carries that text into the message.
    EXPECT_EQ(ce::test::spoken(ce::fieldNumber(u"7 px", "field.tolerance", u'.', lang).error()),
              "number.not_a_number|field.tolerance");
}

TEST(Rounding, ExactHalvesGoToTheEvenNeighbourAndInt16ChecksRange)
{
    EXPECT_EQ(std::pair(ce::roundHalfEven(2.5), ce::roundHalfEven(-3.5)), std::pair(2.0, -4.0));
    EXPECT_EQ(std::pair(ce::roundHalfEven(0.125, 2), ce::roundHalfEven(0.375, 2)), std::pair(0.12, 0.38));
    EXPECT_EQ(ce::roundHalfEven(-12.345675, 5), -12.34567);  // stored just below the half
    EXPECT_EQ(ce::roundHalfEven(12.345665, 5), 12.34567);    // stored just above the half
    EXPECT_EQ(std::tuple(ce::toInt16(32767.4).value(), ce::toInt16(-32768.0).value(), ce::toInt16(0.5).value()),
              std::tuple(32767, -32768, 0));
    EXPECT_FALSE(ce::toInt16(32767.5));  // rounds to 32768
    EXPECT_FALSE(ce::toInt16(kNan));
}

TEST(TextForms, ShortestWithinTheSignificantDigits)
{
    const std::pair<QString, const char*> rows[] = {
        {ce::formatWhole(-42), "-42"},
        {ce::formatDouble(0.1 + 0.2), "0.3"},  // 15 digits hide the binary tail
        {ce::formatDouble(1.0 / 3.0), "0.333333333333333"},
        {ce::formatDouble(1.5e-7), "1.5E-07"},
        {ce::formatDouble(23.70833, u','), "23,70833"},
        {ce::formatDouble(-0.0), "0"},
        {ce::formatSingle(1.0f / 3.0f), "0.3333333"},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(text, QString::fromUtf8(expected));
}

TEST(Sexagesimal, FieldsToDegrees)
{
    const ce::test::KeyEcho lang;
    EXPECT_DOUBLE_EQ(ce::raFromFields(1, 34, 50), 5690.0 / 240.0);  // 5690 s of time
    EXPECT_DOUBLE_EQ(ce::decFromFields(22, 11, 1, -1), -79861.0 / 3600.0);  // the sign applies to the whole
    EXPECT_EQ(ce::signFactorFromCaption(QStringLiteral("-")), -1);
    EXPECT_EQ(ce::signFactorFromCaption(QString()), 1);
    EXPECT_DOUBLE_EQ(ce::raFromTexts(QStringLiteral("1"), QStringLiteral(" 34 "), QStringLiteral("50,5"), u',', lang).value(),
                     5690.5 / 240.0);
    // An explicit "+" is a sign, not a reason to read nothing.
    EXPECT_DOUBLE_EQ(
        ce::raFromTexts(QStringLiteral("+1"), QStringLiteral("0"), QStringLiteral("+0"), u'.', lang).value(), 15.0);

    struct Row { QString a, b, c; bool isRa; QChar point; QString field; };
    const Row rows[] = {
        {"", "0", "0", true, u'.', "field.ra_hours"},
        {"1", "2", "3.5x", true, u',', "field.ra_seconds"},
        {"1", "2a", "0", false, u'.', "field.dec_minutes"},
        {"a", "b", "c", false, u'.', "field.dec_degrees"},  // the first bad field wins
    };
    for (const Row& row : rows) {
        const ce::Result<double> r = row.isRa ? ce::raFromTexts(row.a, row.b, row.c, row.point, lang)
                                              : ce::decFromTexts(row.a, row.b, row.c, 1, row.point, lang);
        EXPECT_EQ(ce::test::spoken(r.error()), QStringLiteral("number.not_a_number|") + row.field);
    }
}

TEST(Sexagesimal, FineTextRoundsOnceAndCarries)
{
    struct Row { double value; int decimals; const char* text; };
    const Row rows[] = {
        {1.5, 2, "1h30'0.00''"},
        {22.0 + 11.0 / 60 + 1.04 / 3600, 1, "22°11'1.0''"},
        {10.0 + 59.0 / 60 + 59.96 / 3600, 1, "11°0'0.0''"},     // 59.96'' carries into the minute and degree
        {-(0.5 + 0.126 / 3600), 2, "-0°30'0.13''"},          // the sign on the whole text
        {-0.00001, 1, "0°0'0.0''"},                          // rounds to nothing: no sign
        {23.999999999, 2, "24h0'0.00''"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ce::FormatSexagesimalFine(row.value, row.value == 1.5 || row.value > 23 ? QStringLiteral("h") : QStringLiteral("°"),
                                            row.decimals),
                  QString::fromUtf8(row.text)) << row.value;
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
        {kNan, 0, 0, 0.0},
        {1.0e6, 32767, 0, 0.0},  // beyond 16 bits is held
    };
    for (const Row& row : rows) {
        const ce::SexagesimalParts p = ce::SplitSexagesimal(row.value);
        EXPECT_EQ(std::pair(int(p.whole), int(p.minutes)), std::pair(row.whole, row.minutes)) << row.value;
        EXPECT_NEAR(p.seconds, row.seconds, 1e-9) << row.value;
    }
}

TEST(Sexagesimal, FormatRoundsSecondsTwiceHalfToEven)
{
    struct Row { double value; QString text; };
    const Row rows[] = {
        {-0.5, "-0°30'0''"},        // sign kept when the whole part is 0
        {10.9999999, "10°59'60''"},  // sixty not carried
        // 1/32 deg = 1'52.5" -> 52 (even); 3/32 deg = 5'37.5" -> 38 (even).
        {1.0 / 32.0, "0°1'52''"},
        {3.0 / 32.0, "0°5'38''"},
        // 53.4961" -> 53.50 at two decimals -> 54; one rounding would give 53.
        {10.0 + 53.4961 / 3600.0, "10°0'54''"},
        {40000.25, "40000°15'0''"},
        {kNan, "NaN°0'0''"},
    };
    for (const Row& row : rows) EXPECT_EQ(ce::FormatSexagesimal(row.value, QStringLiteral("°")), row.text);
}

}  // namespace
