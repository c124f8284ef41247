// The object details report. Expected texts are written by hand from the
// report's layout: 1h34m50s = 23.708333°, +22°11'01" = 22.183611°.

#include "skymap/object_report.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QString kId = QStringLiteral("U1500_01193693");

QStringList reportLines(double raDeg, double decDeg, const QString& epoch, QChar point)
{
    return ce::buildObjectReport(kId, raDeg, decDeg, "a", "b", epoch, point).text.split(QStringLiteral("\r\n"));
}

// The number after ": " on a coordinate line.
double lineNumber(const QString& line)
{
    return line.section(QStringLiteral(": "), 1).section(u' ', 0, 0).replace(u',', u'.').toDouble();
}

TEST(ObjectReport, WholeReportAtEpoch2000)
{
    const ce::ObjectReport r = ce::buildObjectReport(kId, 5690.0 / 240.0, 79861.0 / 3600.0, QStringLiteral(" 9.8"),
                                                     QStringLiteral("10.1"), QStringLiteral("2000.0"), u'.');
    EXPECT_EQ(r.title, QStringLiteral("About U1500_01193693"));
    const QString coordinates = QStringLiteral("COORDONNEE EQUATORIALE (J2000.0)\r\n"
                                               "   Ascention droite: 23.70833  (1H34'50'')\r\n"
                                               "   Declinaison: 22.18361  (22°11'1'')\r\n   \r\n");
    EXPECT_EQ(r.text, QStringLiteral("INFORMATION SUR L'OBJET\r\n   Identification: U1500_01193693\r\n"
                                     "   Magnitude Rouge:  9.8\r\n   Magnitude Bleu: 10.1\r\n   \r\n") +
                          coordinates + coordinates +
                          QStringLiteral("NOM DANS LES CATALOGUES\r\n   USNO-A2.0: U1500_01193693\r\n   "));
}

TEST(ObjectReport, EpochBlockAndItsHeading)
{
    // Meeus, Astronomical Algorithms, example 21.b: theta Persei at J2000.0
    // (41.054063, 49.227750) lies at (41.547214, 49.348483) for 2028.86705.
    const QStringList lines = reportLines(41.054063, 49.227750, QStringLiteral("2028.86705"), u',');
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[6], QStringLiteral("   Ascention droite: 41,05406  (2H44'13'')"));  // 2h44m12.975s
    EXPECT_EQ(lines[9], QStringLiteral("COORDONNEE EQUATORIALE (J2028.86705)"));
    EXPECT_NEAR(lineNumber(lines[10]), 41.547214, 8.3e-5);  // 0.3" between the precession models
    EXPECT_NEAR(lineNumber(lines[11]), 49.348483, 8.3e-5);
    // 41.547214 / 15 h = 2h46m11.33s; 49.348483° = 49°20'54.5".
    EXPECT_TRUE(lines[10].endsWith(QStringLiteral("  (2H46'11'')"))) << lines[10].toStdString();
    EXPECT_TRUE(lines[11].endsWith(QStringLiteral("  (49°20'55'')"))) << lines[11].toStdString();

    // An epoch text that is no number is shown as typed and counts as 0.
    const QStringList letters = reportLines(23.7, 22.2, QStringLiteral("xyz"), u'.');
    const QStringList zero = reportLines(23.7, 22.2, QStringLiteral("0"), u'.');
    EXPECT_EQ(reportLines(23.7, 22.2, QString(), u'.')[9], QStringLiteral("COORDONNEE EQUATORIALE (J)"));
    EXPECT_EQ(letters[9], QStringLiteral("COORDONNEE EQUATORIALE (Jxyz)"));
    EXPECT_EQ(letters[10] + letters[11], zero[10] + zero[11]);
    EXPECT_GT(std::abs(lineNumber(zero[10]) - 23.7), 10.0);  // two thousand years move it about 28°
}

TEST(ObjectReport, CoordinatesRoundHalfToEvenInShortestForm)
{
    struct Row { double decDeg; QChar point; QString text; };
    const Row rows[] = {
        {0.015625, u'.', "0.01562"},  // 1/64 and 3/64 are exact: true ties at 5 decimals
        {-0.046875, u'.', "-0.04688"},
        {15.0, u'.', "15"},
        {15.1, u',', "15,1"},
        {-12.345678, u',', "-12,34568"},
    };
    for (const Row& row : rows) {
        const QStringList lines = reportLines(10.0, row.decDeg, QStringLiteral("2000"), row.point);
        EXPECT_EQ(lines[7].section(u' ', 4, 4), row.text) << lines[7].toStdString();
        EXPECT_EQ(lines[11].section(u' ', 4, 4), row.text) << lines[11].toStdString();
    }
}

}  // namespace
