// Number reading, rounding and text forms of entry fields.
#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(LeadingNumber, TakesTheLongestLeadingNumber)
{
    const std::pair<const char*, double> rows[] = {
        {" 1 2.5 ", 12.5}, {"9 mm", 9.0}, {"2599,43", 2599.0}, {"-12.34567", -12.34567},
        {"1.5e2x", 150.0}, {"3e+", 3.0},  {".5", 0.5},         {"-", 0.0},
        // Below the smallest double the number is zero, beyond the largest infinite;
        // the order of the first significant digit decides, not the exponent's sign.
        {"1e-400", 0.0},   {"-1e400", -INFINITY}, {"0.001e312", INFINITY},
        {"1000e-330", 0.0},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_DOUBLE_EQ(ce::leadingNumber(QString::fromUtf8(text)), expected) << text;
    const QString huge = u'1' + QString(400, u'0') + QStringLiteral("e-5");      // 10^395
    const QString tiny = QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1e5");  // 10^-396
    EXPECT_EQ(ce::leadingNumber(huge), INFINITY);
    EXPECT_EQ(ce::leadingNumber(tiny), 0.0);
    EXPECT_TRUE(std::signbit(ce::leadingNumber(u"-1e-400")));
}

TEST(LocaleNumber, WholeTextMustBeANumber)
{
    EXPECT_DOUBLE_EQ(ce::localeNumber(u" 12,5 ", u',', QStringLiteral("x")).value(), 12.5);
    EXPECT_DOUBLE_EQ(ce::localeNumber(u"1e3", u'.', QStringLiteral("x")).value(), 1000.0);
    EXPECT_EQ(ce::localeNumber(u"-2,5e-400", u',', QStringLiteral("x")).value(), 0.0);  // underflow is 0
    for (const char* bad : {"", "12.5", "9 mm", "1,2,3", "-", "1e400"})
        EXPECT_TRUE(ce::localeNumber(QString::fromUtf8(bad), u',', QStringLiteral("RA (heures)"))
                        .error().contains(QStringLiteral("RA (heures)"))) << bad;
    EXPECT_EQ(ce::localeNumber(u"x", u'.', QStringLiteral("Tolérance")).error(),
              QStringLiteral("Incompatibilité de type : le champ Tolérance ne contient pas un nombre"));
}

TEST(Rounding, ExactHalvesGoToTheEvenNeighbourAndInt16ChecksRange)
{
    EXPECT_EQ(ce::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(ce::roundHalfEven(3.5), 4.0);
    EXPECT_EQ(ce::roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(ce::roundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(ce::roundHalfEven(0.375, 2), 0.38);
    EXPECT_EQ(ce::roundHalfEven(59.999999, 2), 60.0);
    EXPECT_EQ(ce::roundHalfEven(-12.345675, 5), -12.34567);  // stored just below the half
    EXPECT_EQ(ce::roundHalfEven(12.345665, 5), 12.34567);    // stored just above the half

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
    EXPECT_EQ(ce::formatDouble(2.0), QStringLiteral("2"));
    EXPECT_EQ(ce::formatDouble(0.1 + 0.2), QStringLiteral("0.3"));  // 15 digits hide the binary tail
    EXPECT_EQ(ce::formatDouble(1.0 / 3.0), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(ce::formatDouble(0.00001), QStringLiteral("0.00001"));
    EXPECT_EQ(ce::formatDouble(1.5e-7), QStringLiteral("1.5E-07"));
    EXPECT_EQ(ce::formatDouble(23.70833, u','), QStringLiteral("23,70833"));
    EXPECT_EQ(ce::formatDouble(-0.0), QStringLiteral("0"));
    EXPECT_EQ(ce::formatSingle(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(ce::formatSingle(1.0f / 3.0f), QStringLiteral("0.3333333"));
}

}  // namespace
