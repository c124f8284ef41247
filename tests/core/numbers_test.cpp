// Number reading, rounding and text forms of entry fields.
#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(LeadingNumber, TakesTheLongestLeadingNumber)
{
    struct Row { const char* name; const char* text; double expected; };
    const Row rows[] = {
        {"plain", "2599.43", 2599.43},
        {"blanks ignored everywhere", " 1 2.5 ", 12.5},
        {"stops at first misfit", "9 mm", 9.0},
        {"comma is not a separator", "2599,43", 2599.0},
        {"signed", "-12.34567", -12.34567},
        {"exponent", "1.5e2x", 150.0},
        {"incomplete exponent", "3e+", 3.0},
        {"point only", ".", 0.0},
        {"leading point", ".5", 0.5},
        {"letters", "abc", 0.0},
        {"empty", "", 0.0},
        {"sign only", "-", 0.0},
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(ce::leadingNumber(QString::fromUtf8(row.text)), row.expected) << row.name;
}

TEST(LocaleNumber, WholeTextMustBeANumber)
{
    auto ok = ce::localeNumber(u" 12,5 ", u',', QStringLiteral("Tolérance"));
    ASSERT_TRUE(ok.ok());
    EXPECT_DOUBLE_EQ(ok.value(), 12.5);
    EXPECT_DOUBLE_EQ(ce::localeNumber(u"-3.25", u'.', QStringLiteral("x")).value(), -3.25);
    EXPECT_DOUBLE_EQ(ce::localeNumber(u"1e3", u'.', QStringLiteral("x")).value(), 1000.0);

    for (const char* bad : {"", "  ", "12.5", "9 mm", "1,2,3", "abc", "-", "1e400"}) {
        auto r = ce::localeNumber(QString::fromUtf8(bad), u',', QStringLiteral("RA (heures)"));
        EXPECT_FALSE(r.ok()) << bad;
        EXPECT_TRUE(r.error().contains(QStringLiteral("RA (heures)"))) << bad;
    }
    EXPECT_EQ(ce::localeNumber(u"x", u'.', QStringLiteral("Tolérance")).error(),
              QStringLiteral("Incompatibilité de type : le champ Tolérance ne contient pas un nombre"));
}

TEST(Rounding, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(ce::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(ce::roundHalfEven(3.5), 4.0);
    EXPECT_EQ(ce::roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(ce::roundHalfEven(61629.47), 61629.0);
    EXPECT_EQ(ce::roundHalfEven(-33456.4), -33456.0);

    EXPECT_EQ(ce::roundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(ce::roundHalfEven(0.375, 2), 0.38);
    EXPECT_EQ(ce::roundHalfEven(59.999999, 2), 60.0);
    EXPECT_EQ(ce::roundHalfEven(23.7083333333, 5), 23.70833);
    EXPECT_EQ(ce::roundHalfEven(-12.345675, 5), -12.34567);  // stored just below the half
    EXPECT_EQ(ce::roundHalfEven(12.345665, 5), 12.34567);    // stored just above the half
}

TEST(Rounding, Int16ConversionChecksRange)
{
    EXPECT_EQ(ce::toInt16(32767.4).value(), 32767);
    EXPECT_EQ(ce::toInt16(-32768.0).value(), -32768);
    EXPECT_EQ(ce::toInt16(0.5).value(), 0);
    EXPECT_EQ(ce::toInt16(1.5).value(), 2);
    EXPECT_FALSE(ce::toInt16(32767.5).ok());  // rounds to 32768
    EXPECT_FALSE(ce::toInt16(NAN).ok());
}

TEST(TextForms, ShortestWithinTheSignificantDigits)
{
    EXPECT_EQ(ce::formatWhole(-42), QStringLiteral("-42"));
    EXPECT_EQ(ce::formatDouble(1939.1), QStringLiteral("1939.1"));
    EXPECT_EQ(ce::formatDouble(2.0), QStringLiteral("2"));
    EXPECT_EQ(ce::formatDouble(-0.5), QStringLiteral("-0.5"));
    EXPECT_EQ(ce::formatDouble(0.1 + 0.2), QStringLiteral("0.3"));          // 15 digits hide the binary tail
    EXPECT_EQ(ce::formatDouble(1.0 / 3.0), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(ce::formatDouble(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(ce::formatDouble(0.00001), QStringLiteral("0.00001"));
    EXPECT_EQ(ce::formatDouble(1.5e-7), QStringLiteral("1.5E-07"));
    EXPECT_EQ(ce::formatDouble(23.70833, u','), QStringLiteral("23,70833"));
    EXPECT_EQ(ce::formatDouble(-0.0), QStringLiteral("0"));
    EXPECT_EQ(ce::formatSingle(103.5f), QStringLiteral("103.5"));
    EXPECT_EQ(ce::formatSingle(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(ce::formatSingle(1.0f / 3.0f), QStringLiteral("0.3333333"));
}

}  // namespace
