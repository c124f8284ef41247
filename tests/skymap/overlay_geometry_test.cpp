// Where the overlay places catalogue star markers and the field-centre
// cross. Expected positions are solved by hand from the chosen maps.

#include "skymap/overlay_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ce {
namespace {

// U = 2x + 10, V = −2y + 50: x = (U − 10) / 2, y = (50 − V) / 2.
constexpr PlateSolution kScaled{2, 0, 10, 0, -2, 50};
// U = y, V = −x (a quarter turn): x = −V, y = U.
constexpr PlateSolution kTurned{0, 1, 0, -1, 0, 0};
constexpr PlateSolution kIdentity{1, 0, 0, 0, 1, 0};

TEST(OverlayStars, CornerIsTheInverseMapLessTheHalfSize)
{
    struct Row {
        const char* name;
        PlateSolution s;
        double U, V, half;
        float left, top;
    };
    const Row rows[] = {
        {"scaled", kScaled, 30, 20, 4, 6, 11},           // (10, 15)
        {"turned", kTurned, 5, 7, 4, -11, 1},            // (−7, 5)
        {"click size", kScaled, 30, 20, 8, 2, 7},
        {"fraction to float", kIdentity, 0.1, 1e8 + 0.3, 0, 0.1f, static_cast<float>(1e8 + 0.3)},
        {"singular", PlateSolution{1, 2, 3, 2, 4, 5}, 30, 20, 4, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Result<MarkerCorner> c = starMarkerCorner(r.s, r.U, r.V, r.half);
        ASSERT_TRUE(c.ok()) << c.error().toStdString();
        EXPECT_EQ(c->left, r.left);
        EXPECT_EQ(c->top, r.top);
    }
}

TEST(OverlayStars, PositionsBeyondAMarkerCoordinateFail)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Identity map: the corner is (U − 4, V − 4).
    EXPECT_TRUE(starMarkerCorner(kIdentity, 1e9 + 4, -1e9 + 4, 4).ok());   // exactly at the limit
    EXPECT_FALSE(starMarkerCorner(kIdentity, 1e9 + 5, 0, 4).ok());
    EXPECT_FALSE(starMarkerCorner(kIdentity, 0, -1e9 + 3, 4).ok());
    EXPECT_FALSE(starMarkerCorner(kIdentity, nan, 0, 4).ok());
    EXPECT_FALSE(starMarkerCorner(kIdentity, 0, std::numeric_limits<double>::infinity(), 4).ok());
    // A nearly singular solution throws a star far away.
    EXPECT_FALSE(starMarkerCorner(PlateSolution{1e-12, 0, 0, 0, 1, 0}, 100, 0, 4).ok());
}

TEST(OverlayStars, LayoutStopsAtTheFirstStarThatCannotBePlaced)
{
    const std::vector<double> u = {0, 30, 12, 1e12, 40};
    const std::vector<double> v = {0, 20, 50, 0, 0};
    const StarMarkerLayout partial = layoutStarMarkers(kScaled, u, v, 4, 4);
    EXPECT_TRUE(partial.failed);
    EXPECT_FALSE(partial.error.isEmpty());
    ASSERT_EQ(partial.corners.size(), 2u);  // stars 1 and 2 keep their places
    EXPECT_EQ(partial.corners[0].left, 6.0f);
    EXPECT_EQ(partial.corners[0].top, 11.0f);
    EXPECT_EQ(partial.corners[1].left, -3.0f);  // (1, 0) − 4
    EXPECT_EQ(partial.corners[1].top, -4.0f);

    const StarMarkerLayout two = layoutStarMarkers(kScaled, u, v, 2, 4);
    EXPECT_FALSE(two.failed);
    EXPECT_EQ(two.corners.size(), 2u);

    // det = 0: every star at (0, 0), even the one that is far away.
    const StarMarkerLayout flat = layoutStarMarkers(PlateSolution{}, u, v, 4, 4);
    EXPECT_FALSE(flat.failed);
    ASSERT_EQ(flat.corners.size(), 4u);
    for (const MarkerCorner& c : flat.corners) {
        EXPECT_EQ(c.left, 0.0f);
        EXPECT_EQ(c.top, 0.0f);
    }
    // The count is clipped to the slots given.
    const std::vector<double> near = {0, 1, 2, 3};
    const StarMarkerLayout clipped = layoutStarMarkers(kIdentity, near, near, 4000, 4);
    EXPECT_FALSE(clipped.failed);
    EXPECT_EQ(clipped.corners.size(), 3u);
}

TEST(OverlayCentre, PlanePositionIsTheCorrectedCentreTimesTheScale)
{
    // (15 + 0.5)·100 and (−30 − 0.25)·200.
    const PlanePoint p = fieldCentrePlane(15, -30, 0.5, -0.25, 100, 200);
    EXPECT_DOUBLE_EQ(p.U, 1550.0);
    EXPECT_DOUBLE_EQ(p.V, -6050.0);
    // Not rounded to whole units, unlike catalogue stars.
    EXPECT_DOUBLE_EQ(fieldCentrePlane(0.0125, 0, 0, 0, 100, 1).U, 1.25);
}

TEST(OverlayCentre, InsideMeansStrictlyWithinTheImage)
{
    struct Row {
        const char* name;
        double x, y;
        bool inside;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {
        {"middle", 320, 240, true},
        {"left border", 0, 240, false},
        {"top border", 320, 0, false},
        {"right border", 640, 240, false},
        {"bottom border", 320, 480, false},
        {"just inside corner", 1e-9, 479.999, true},
        {"left of image", -1, 240, false},
        {"not a number", nan, 240, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(insideImage(r.x, r.y, 640, 480), r.inside) << r.name;
}

TEST(OverlayCentre, PlacementThroughTheInverseMap)
{
    // Scale 1 and kScaled: plane (30, 20) is pixel (10, 15).
    const Result<CentrePlacement> in = placeFieldCentre(kScaled, 29, 21, 1, -1, 1, 1, 640, 480);
    ASSERT_TRUE(in.ok());
    EXPECT_TRUE(in->placed);
    EXPECT_DOUBLE_EQ(in->x, 10.0);
    EXPECT_DOUBLE_EQ(in->y, 15.0);
    EXPECT_TRUE(in->inside);

    // Plane (10, 20) is pixel (0, 15): on the border, so outside.
    const Result<CentrePlacement> border = placeFieldCentre(kScaled, 10, 20, 0, 0, 1, 1, 640, 480);
    ASSERT_TRUE(border.ok());
    EXPECT_TRUE(border->placed);
    EXPECT_EQ(border->x, 0.0);
    EXPECT_FALSE(border->inside);

    // det = 0: no cross and no warning.
    const Result<CentrePlacement> flat = placeFieldCentre(PlateSolution{}, 10, 20, 0, 0, 1, 1, 640, 480);
    ASSERT_TRUE(flat.ok());
    EXPECT_FALSE(flat->placed);
    EXPECT_FALSE(flat->inside);

    // Thrown out of reach of any drawing: a failure.
    EXPECT_FALSE(placeFieldCentre(PlateSolution{1e-15, 0, 0, 0, 1, 0}, 1e3, 0, 0, 0, 1, 1, 640, 480).ok());
}

TEST(OverlayCentre, CrossBarsAreSixteenPixelsCentredOnThePoint)
{
    const CrossBars bars = centreCrossBars(100.5, 40);
    EXPECT_EQ(bars.vertical.x1, 100.5);
    EXPECT_EQ(bars.vertical.x2, 100.5);
    EXPECT_EQ(bars.vertical.y1, 32.0);
    EXPECT_EQ(bars.vertical.y2, 48.0);
    EXPECT_EQ(bars.horizontal.y1, 40.0);
    EXPECT_EQ(bars.horizontal.y2, 40.0);
    EXPECT_EQ(bars.horizontal.x1, 92.5);
    EXPECT_EQ(bars.horizontal.x2, 108.5);
}

}  // namespace
}  // namespace ce
