// The object details report. The expected texts are written by hand from the
// report's layout: 1h34m50s = 23.708333 deg, +22d11'01" = 22.183611 deg.

#include "skymap/object_report.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

const QString kId = QStringLiteral("U1500_01193693");
constexpr double kRaDeg = 5690.0 / 240.0;     // 1h34m50s
constexpr double kDecDeg = 79861.0 / 3600.0;  // +22d11'01"

// The number after ": " on a coordinate line, "." as separator.
double lineNumber(const QString& line)
{
    return line.section(QStringLiteral(": "), 1).section(u' ', 0, 0).replace(u',', u'.').toDouble();
}

TEST(ObjectReport, WholeReportAtEpoch2000)
{
    const ce::ObjectReport r = ce::buildObjectReport(kId, kRaDeg, kDecDeg, QStringLiteral(" 9.8"),
                                                     QStringLiteral("10.1"), QStringLiteral("2000.0"), u'.');
    EXPECT_EQ(r.title, QStringLiteral("About U1500_01193693"));
    const QString expected = QStringLiteral(
        "INFORMATION SUR L'OBJET\r\n"
        "   Identification: U1500_01193693\r\n"
        "   Magnitude Rouge:  9.8\r\n"
        "   Magnitude Bleu: 10.1\r\n"
        "   \r\n"
        "COORDONNEE EQUATORIALE (J2000.0)\r\n"
        "   Ascention droite: 23.70833  (1H34'50'')\r\n"
        "   Declinaison: 22.18361  (22°11'1'')\r\n"
        "   \r\n"
        "COORDONNEE EQUATORIALE (J2000.0)\r\n"
        "   Ascention droite: 23.70833  (1H34'50'')\r\n"
        "   Declinaison: 22.18361  (22°11'1'')\r\n"
        "   \r\n"
        "NOM DANS LES CATALOGUES\r\n"
        "   USNO-A2.0: U1500_01193693\r\n"
        "   ");
    EXPECT_EQ(r.text, expected);
}

TEST(ObjectReport, EpochBlockAndItsHeading)
{
    // Meeus, Astronomical Algorithms, example 21.b: theta Persei at J2000.0
    // (41.054063, 49.227750) lies at (41.547214, 49.348483) for 2028.86705.
    const ce::ObjectReport meeus = ce::buildObjectReport(kId, 41.054063, 49.227750, "16.2", "18.8",
                                                         QStringLiteral("2028.86705"), u',');
    const QStringList lines = meeus.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[6], QStringLiteral("   Ascention droite: 41,05406  (2H44'13'')"));
    EXPECT_EQ(lines[9], QStringLiteral("COORDONNEE EQUATORIALE (J2028.86705)"));
    // The routine's angles differ from the example's by a fraction of an
    // arcsecond over this interval: 0.3" = 8.3e-5 deg.
    EXPECT_NEAR(lineNumber(lines[10]), 41.547214, 8.3e-5);
    EXPECT_NEAR(lineNumber(lines[11]), 49.348483, 8.3e-5);
    // 41.547214 / 15 h = 2h46m11.33s; 49.348483 deg = 49d20'54.5";
    // 41.054063 / 15 h = 2h44m12.975s.
    EXPECT_TRUE(lines[10].endsWith(QStringLiteral("  (2H46'11'')"))) << lines[10].toStdString();
    EXPECT_TRUE(lines[11].endsWith(QStringLiteral("  (49°20'55'')"))) << lines[11].toStdString();

    // An epoch text that is no number is shown as typed and counts as 0.
    const auto empty = ce::buildObjectReport(kId, kRaDeg, kDecDeg, "a", "b", QString(), u'.');
    const auto letters = ce::buildObjectReport(kId, kRaDeg, kDecDeg, "a", "b", QStringLiteral("xyz"), u'.');
    const auto zero = ce::buildObjectReport(kId, kRaDeg, kDecDeg, "a", "b", QStringLiteral("0"), u'.');
    const QStringList e = empty.text.split(QStringLiteral("\r\n"));
    const QStringList l = letters.text.split(QStringLiteral("\r\n"));
    const QStringList z = zero.text.split(QStringLiteral("\r\n"));
    EXPECT_EQ(e[9], QStringLiteral("COORDONNEE EQUATORIALE (J)"));
    EXPECT_EQ(l[9], QStringLiteral("COORDONNEE EQUATORIALE (Jxyz)"));
    EXPECT_EQ(e[10], z[10]);
    EXPECT_EQ(l[11], z[11]);
    // Two thousand years of precession move the star by about 28 degrees.
    EXPECT_GT(std::abs(lineNumber(z[10]) - kRaDeg), 10.0);
}

TEST(ObjectReport, CoordinatesRoundHalfToEvenInShortestForm)
{
    struct Row { const char* name; double decDeg; QChar point; QString text; };
    const Row rows[] = {
        // 0.015625 = 1/64 and 0.046875 = 3/64 are exact: true ties at 5 decimals.
        {"tie down to even", 0.015625, u'.', "0.01562"},
        {"tie up to even", 0.046875, u'.', "0.04688"},
        {"negative tie", -0.046875, u'.', "-0.04688"},
        {"whole value without point", 15.0, u'.', "15"},
        {"trailing zeros dropped", 15.1, u',', "15,1"},
        {"locale separator", -12.345678, u',', "-12,34568"},
    };
    for (const Row& row : rows) {
        const auto r = ce::buildObjectReport(kId, 10.0, row.decDeg, "a", "b", QStringLiteral("2000"), row.point);
        const QStringList lines = r.text.split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines[7].section(u' ', 4, 4), row.text) << row.name << ": " << lines[7].toStdString();
        EXPECT_EQ(lines[11].section(u' ', 4, 4), row.text) << row.name;
    }
    // The identifier appears on lines 2 and 15 and in the title.
    const auto r = ce::buildObjectReport(kId, 10.0, 10.0, "a", "b", "2000", u'.');
    EXPECT_EQ(r.text.count(kId), 2);
    EXPECT_FALSE(r.text.endsWith(QStringLiteral("\n")));
    EXPECT_EQ(r.text.count(QStringLiteral("\r\n")), 15);
}

}  // namespace
