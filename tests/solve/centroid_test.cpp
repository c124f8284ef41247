// Centroids of generated stars: faint and bright, saturated to flat tops,
// grain noise, neighbours, image edges, and places with no star at all.

#include "solve/centroid.h"

#include "tests/solve/synthetic_sky.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ce {
namespace {

using testing::SyntheticSky;

TEST(Centroid, FindsSubPixelCentresOfUnsaturatedStars)
{
    struct Row {
        const char* name;
        double x, y, peak, fwhm, grain, tolerancePx;
    };
    const Row rows[] = {
        // Noise-free: only the pixel grid and the threshold cut can bias.
        {"noise-free, on a pixel", 50.0, 50.0, 100, 3.0, 0.0, 0.01},
        {"noise-free, quarter", 50.25, 49.75, 100, 3.0, 0.0, 0.02},
        {"noise-free, half", 50.5, 50.5, 100, 3.0, 0.0, 0.02},
        {"noise-free, sharp", 50.3, 50.6, 150, 1.6, 0.0, 0.03},
        {"noise-free, broad", 49.6, 50.1, 80, 6.0, 0.0, 0.02},
        // Grain of 2 grey levels on a star 60 above the sky.
        {"grain", 50.37, 49.81, 60, 3.0, 2.0, 0.15},
    };
    for (const Row& r : rows) {
        SyntheticSky sky(100, 100, 30.0);
        sky.addStar(r.x, r.y, r.peak, r.fwhm);
        sky.finish(7, r.grain, r.grain > 0);
        // Seeds 3 px off on either side find the same star.
        for (const double dx : {-3.0, 0.0, 2.0}) {
            const Centroid c = measureCentroid(sky, r.x + dx, r.y - dx);
            ASSERT_TRUE(c.found) << r.name;
            EXPECT_NEAR(c.x, r.x, r.tolerancePx) << r.name << " dx " << dx;
            EXPECT_NEAR(c.y, r.y, r.tolerancePx) << r.name << " dx " << dx;
            EXPECT_FALSE(c.flatTop) << r.name;
            EXPECT_NEAR(c.background, 30.0, r.grain + 0.5) << r.name;
        }
    }
}

TEST(Centroid, FlatTopsOfEveryWidthAreCentredFromAnySeed)
{
    for (const double width : {7.0, 12.0, 21.0, 30.0, 40.0}) {
        SyntheticSky sky(220, 220, 40.0);
        const double cx = 110.4, cy = 109.7;
        sky.addSaturatedStar(cx, cy, width, 40.0);
        sky.finish(11, 3.0);
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 3; ++dx) {
                const Centroid c = measureCentroid(sky, std::round(cx) + dx, std::round(cy) + dy);
                ASSERT_TRUE(c.found) << width;
                EXPECT_TRUE(c.flatTop) << width;
                EXPECT_FALSE(c.truncated) << width;
                EXPECT_EQ(c.peak, 255.0) << width;
                EXPECT_NEAR(c.x, cx, 0.3) << width << " seed " << dx << "," << dy;
                EXPECT_NEAR(c.y, cy, 0.3) << width << " seed " << dx << "," << dy;
                // The region above half the peak is a disc somewhat wider than the top.
                EXPECT_GT(c.regionPixels, 0.7 * M_PI * width * width / 4) << width;
                EXPECT_LT(c.regionPixels, 0.25 * M_PI * (width + 8) * (width + 8)) << width;
            }
        }
    }
}

TEST(Centroid, NeighboursEdgesAndEmptySky)
{
    {
        // A star twice as bright 9 px away, and a hot grain 2 px from the
        // seed: the 3 x 3 sums keep the star, the threshold keeps the
        // neighbour out of the region.
        SyntheticSky sky(100, 100, 20.0);
        sky.addStar(40.3, 50.2, 80);
        sky.addStar(49.3, 50.2, 160);
        sky.finish(3, 1.0);
        sky.setValue(42, 47, 255.0);
        const Centroid c = measureCentroid(sky, 41, 48, CentroidOptions{4, 60, 2, 5.0});
        ASSERT_TRUE(c.found);
        EXPECT_NEAR(c.x, 40.3, 0.15);
        EXPECT_NEAR(c.y, 50.2, 0.15);
    }
    {
        // A star cut by the image edge is still found; its centroid leans
        // inwards but stays on the star.
        SyntheticSky sky(60, 60, 20.0);
        sky.addStar(1.0, 30.0, 100);
        sky.finish(5, 1.0);
        const Centroid c = measureCentroid(sky, 2, 31);
        ASSERT_TRUE(c.found);
        EXPECT_NEAR(c.x, 1.0, 0.8);
        EXPECT_NEAR(c.y, 30.0, 0.2);
    }
    {
        // Grain alone, a uniform field, a seed off the image, a bad seed.
        SyntheticSky grain(80, 80, 30.0);
        grain.finish(9, 3.0);
        EXPECT_FALSE(measureCentroid(grain, 40, 40).found);
        SyntheticSky flat(80, 80, 255.0);
        flat.finish(1, 0.0);
        EXPECT_FALSE(measureCentroid(flat, 40, 40).found);
        EXPECT_FALSE(measureCentroid(flat, -50, 40).found);
        EXPECT_FALSE(measureCentroid(flat, NAN, 40).found);
    }
    {
        // A faint star (peak 4σ of the grain) is below the significance asked.
        SyntheticSky sky(80, 80, 30.0);
        sky.addStar(40, 40, 12);
        sky.finish(4, 3.0);
        EXPECT_FALSE(measureCentroid(sky, 40, 40).found);
        EXPECT_TRUE(measureCentroid(sky, 40, 40, CentroidOptions{6, 60, 2, 2.0}).found);
    }
}

TEST(Centroid, PackedColourBrightnessIsTheSumOfTheChannels)
{
    EXPECT_EQ(packedColourBrightness(0x000000), 0.0);
    EXPECT_EQ(packedColourBrightness(0x0A141E), 30.0 + 20.0 + 10.0);
    EXPECT_EQ(packedColourBrightness(0xFFFFFF), 765.0);
    EXPECT_TRUE(std::isnan(packedColourBrightness(-1)));
}

}  // namespace
}  // namespace ce
