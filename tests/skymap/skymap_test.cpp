// The skymap layer: the object details report, and where the overlay places
// catalogue star markers and the field-centre cross. Expected texts and
// positions are written by hand from the report's layout and the chosen maps:
// 1h34m50s = 23.708333°, +22°11'01" = 22.183611°.

#include "skymap/object_report.h"
#include "skymap/overlay_geometry.h"
#include "tests/core/key_echo.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ce {
namespace {

const QString kId = QStringLiteral("U1500_01193693");
const ce::test::KeyEcho kKeys;

QStringList reportLines(double raDeg, double decDeg, const QString& epoch, QChar point)
{
    return ce::buildObjectReport(kId, raDeg, decDeg, "a", "b", epoch, point, QString(), kKeys)
        .text.split(QStringLiteral("\r\n"));
}

// The coordinate on a report.ra / report.dec line, and its sexagesimal form.
double lineNumber(const QString& line) { return line.section(u'|', 1, 1).replace(u',', u'.').toDouble(); }
QString lineSexagesimal(const QString& line) { return line.section(u'|', 2, 2); }

TEST(ObjectReport, WholeReportAtEpoch2000)
{
    const ce::ObjectReport r = ce::buildObjectReport(kId, 5690.0 / 240.0, 79861.0 / 3600.0, QStringLiteral(" 9.8"),
                                                     QStringLiteral("10.1"), QStringLiteral("2000.0"), u'.',
                                                     QString(), kKeys);
    using ce::test::keyed;
    EXPECT_EQ(r.title, keyed("report.title", {kId}));
    const QStringList coordinates = {keyed("report.equatorial", {"2000.0"}),
                                     "   " + keyed("report.ra", {"23.70833", "1H34'50''"}),
                                     "   " + keyed("report.dec", {"22.18361", "22°11'1''"}), "   "};
    const QStringList expected = QStringList{keyed("report.heading", {}), "   " + keyed("report.identification", {kId}),
                                             "   " + keyed("report.mag_red", {" 9.8"}),
                                             "   " + keyed("report.mag_blue", {"10.1"}), "   "}
                                 + coordinates + coordinates
                                 + QStringList{keyed("report.names", {}), "   USNO-A2.0: U1500_01193693", "   "};
    EXPECT_EQ(r.text.split(QStringLiteral("\r\n")), expected);
}

TEST(ObjectReport, EpochBlockAndItsHeading)
{
    // Meeus, Astronomical Algorithms, example 21.b: theta Persei at J2000.0
    // (41.054063, 49.227750) lies at (41.547214, 49.348483) for 2028.86705.
    const QStringList lines = reportLines(41.054063, 49.227750, QStringLiteral("2028.86705"), u',');
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[6], "   " + ce::test::keyed("report.ra", {"41,05406", "2H44'13''"}));  // 2h44m12.975s
    EXPECT_EQ(lines[9], ce::test::keyed("report.equatorial", {"2028.86705"}));
    // 41.547214 / 15 h = 2h46m11.33s; 49.348483° = 49°20'54.5".
    EXPECT_NEAR(lineNumber(lines[10]), 41.54721, 2e-5);
    EXPECT_EQ(lineSexagesimal(lines[10]), QStringLiteral("2H46'11''"));
    EXPECT_EQ(lineSexagesimal(lines[11]), QStringLiteral("49°20'55''"));
    // An epoch text that is no number is shown as typed and counts as 0.
    const QStringList letters = reportLines(23.7, 22.2, QStringLiteral("xyz"), u'.');
    EXPECT_EQ(letters[9], ce::test::keyed("report.equatorial", {"xyz"}));
    EXPECT_EQ(letters.mid(10, 2), reportLines(23.7, 22.2, QStringLiteral("0"), u'.').mid(10, 2));
    EXPECT_GT(std::abs(lineNumber(letters[10]) - 23.7), 10.0);  // two thousand years move it about 28°
}

TEST(ObjectReport, GaiaStarNamesItsSourceAndTheCarriedEpoch)
{
    const ce::ObjectReport r = ce::buildObjectReport(kId, 23.7, 22.2, "a", "b", QStringLiteral("2024.5"), u'.',
                                                     QStringLiteral("Gaia DR3 1234567890"), kKeys);
    const QStringList lines = r.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[14], QStringLiteral("   Gaia DR3: 1234567890"));
    EXPECT_EQ(lines[15], "   " + ce::test::keyed("report.gaia_epoch", {"2024.5"}));
    EXPECT_EQ(lines[16], QStringLiteral("   "));
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
// U = 2x + 10, V = −2y + 50: x = (U − 10) / 2, y = (50 − V) / 2.
constexpr PlateSolution kScaled{2, 0, 10, 0, -2, 50};
constexpr PlateSolution kIdentity{1, 0, 0, 0, 1, 0};

TEST(OverlayStars, CornerIsTheInverseMapLessTheHalfSize)
{
    struct Row { PlateSolution s; double U, V, half; float left, top; };
    const Row rows[] = {
        {kScaled, 30, 20, 4, 6, 11},                           // (10, 15)
        {PlateSolution{0, 1, 0, -1, 0, 0}, 5, 7, 8, -15, -3},  // quarter turn: x = −V, y = U
        {PlateSolution{1, 2, 3, 2, 4, 5}, 30, 20, 4, 0, 0},    // singular
        {kIdentity, 1e9 + 4, -1e9 + 4, 4, 1e9f, -1e9f},        // exactly at the limit
    };
    for (const Row& r : rows) {
        const Result<MarkerCorner> c = starMarkerCorner(r.s, r.U, r.V, r.half, kKeys);
        ASSERT_TRUE(c.ok()) << c.error().toStdString();
        EXPECT_EQ(std::pair(c->left, c->top), std::pair(r.left, r.top)) << r.U;
    }
    // Beyond a marker coordinate, not a number, or thrown far by a nearly singular map.
    EXPECT_FALSE(starMarkerCorner(kIdentity, 1e9 + 5, 0, 4, kKeys).ok());
    EXPECT_FALSE(starMarkerCorner(kIdentity, 0, -1e9 + 3, 4, kKeys).ok());
    EXPECT_FALSE(starMarkerCorner(PlateSolution{1e-12, 0, 0, 0, 1, 0}, 100, 0, 4, kKeys).ok());
}

TEST(OverlayStars, LayoutStopsAtTheFirstStarThatCannotBePlaced)
{
    const std::vector<double> u = {0, 30, 12, 1e12, 40};
    const std::vector<double> v = {0, 20, 50, 0, 0};
    const StarMarkerLayout partial = layoutStarMarkers(kScaled, u, v, 4, 4, kKeys);
    EXPECT_TRUE(partial.failed);
    // The message names the third star's plane position.
    EXPECT_EQ(partial.error.section(u'|', 0, 0), QStringLiteral("overlay.star_outside"));
    EXPECT_EQ(partial.error.section(u'|', 1, 1).toDouble(), 1e12);
    EXPECT_EQ(partial.error.section(u'|', 2, 2), QStringLiteral("0"));
    ASSERT_EQ(partial.corners.size(), 2u);  // stars 1 and 2 keep their places
    EXPECT_EQ(std::pair(partial.corners[1].left, partial.corners[1].top), std::pair(-3.0f, -4.0f));  // (1, 0) − 4
    EXPECT_FALSE(layoutStarMarkers(kScaled, u, v, 2, 4, kKeys).failed);

    // det = 0: every star at (0, 0), even the far one.
    const StarMarkerLayout flat = layoutStarMarkers(PlateSolution{}, u, v, 4, 4, kKeys);
    ASSERT_TRUE(!flat.failed && flat.corners.size() == 4u);
    EXPECT_EQ(flat.corners[2].left, 0.0f);
    const std::vector<double> near = {0, 1, 2, 3};
    EXPECT_EQ(layoutStarMarkers(kIdentity, near, near, 4000, 4, kKeys).corners.size(), 3u);  // clipped to the slots
}

TEST(OverlayCentre, PlacementInsideTheImage)
{
    // (15 + 0.5)·100 and (−30 − 0.25)·200, not rounded to whole units.
    const PlanePoint p = fieldCentrePlane(15, -30, 0.5, -0.25, 100, 200);
    EXPECT_EQ(std::pair(p.U, p.V), std::pair(1550.0, -6050.0));

    struct Row { double x, y; bool inside; };
    const Row rows[] = {{0, 240, false},   {320, 0, false},       {640, 240, false},
                        {320, 480, false}, {1e-9, 479.999, true}, {kNan, 240, false}};
    for (const Row& r : rows) EXPECT_EQ(insideImage(r.x, r.y, 640, 480), r.inside) << r.x << ", " << r.y;

    const Result<CentrePlacement> in = placeFieldCentre(kScaled, 29, 21, 1, -1, 1, 1, 640, 480, kKeys);  // plane (30, 20)
    ASSERT_TRUE(in.ok());
    EXPECT_TRUE(in->placed && in->inside && in->x == 10.0 && in->y == 15.0);
    const Result<CentrePlacement> border = placeFieldCentre(kScaled, 10, 20, 0, 0, 1, 1, 640, 480, kKeys);  // pixel (0, 15)
    ASSERT_TRUE(border.ok());
    EXPECT_TRUE(border->placed && !border->inside);
    const Result<CentrePlacement> flat = placeFieldCentre(PlateSolution{}, 10, 20, 0, 0, 1, 1, 640, 480, kKeys);
    ASSERT_TRUE(flat.ok());
    EXPECT_FALSE(flat->placed || flat->inside);  // no cross and no warning
    const Result<CentrePlacement> far = placeFieldCentre(PlateSolution{1e-15, 0, 0, 0, 1, 0}, 1e3, 0, 0, 0, 1, 1, 640, 480, kKeys);
    ASSERT_FALSE(far.ok());
    EXPECT_EQ(far.error(), ce::test::keyed("overlay.centre_outside", {}));
}

}  // namespace
}  // namespace ce
