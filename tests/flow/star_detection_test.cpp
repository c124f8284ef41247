// Stars found without clicks. A hand-made image checks each rejection rule
// on its own; generated fields with real flaws (halos, hot pixels, a
// scratch, grain, saturated flat tops) check that what is found is stars.

#include "solve/star_detection.h"
#include "tests/flow/demo_field_rig.h"
#include "tools/demo_field/field_presets.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace ce::testing {
namespace {

// A grey image in doubles, sky 100 with a deterministic ±2 texture.
class Canvas final : public IntensitySource {
public:
    Canvas(int w, int h) : w_(w), h_(h), v_(std::size_t(w) * h)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) at(x, y) = 100.0 + ((x * 7 + y * 13) % 5) - 2.0;
    }
    int width() const override { return w_; }
    int height() const override { return h_; }
    double intensity(int x, int y) const override { return v_[std::size_t(y) * w_ + x]; }
    double& at(int x, int y) { return v_[std::size_t(y) * w_ + x]; }
    void star(double cx, double cy, double amplitude, double sigma, double clip = INFINITY)
    {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (r2 > 100 * sigma * sigma) continue;
                at(x, y) = std::min(at(x, y) + amplitude * std::exp(-r2 / (2 * sigma * sigma)), clip);
            }
    }

private:
    int w_, h_;
    std::vector<double> v_;
};

const DetectedStar* near(const std::vector<DetectedStar>& stars, double x, double y, double within)
{
    for (const DetectedStar& s : stars)
        if (std::hypot(s.x - x, s.y - y) <= within) return &s;
    return nullptr;
}

TEST(StarDetection, KeepsStarsAndRejectsHotPixelsScratchesAndBorderCuts)
{
    Canvas image(300, 200);
    image.star(60.3, 50.7, 400, 1.5);
    image.star(150.0, 120.0, 2000, 3.0, 1000);  // clipped: a flat top
    image.star(240.6, 60.2, 120, 1.2);           // faint but well above 8σ
    image.star(1.0, 100.0, 800, 1.5);            // cut by the left edge
    image.at(100, 150) = 1000;                   // hot pixel, clipped like the stars
    image.at(200, 30) = 900, image.at(201, 30) = 900;  // hot pair
    for (int x = 20; x < 120; ++x) image.at(x, 180) = image.at(x, 181) = 400;  // scratch

    const std::vector<DetectedStar> stars = detectStars(image);
    ASSERT_EQ(stars.size(), 3u);
    // Brightest first.
    EXPECT_NEAR(stars[0].x, 150.0, 0.1);
    EXPECT_NEAR(stars[0].y, 120.0, 0.1);
    EXPECT_TRUE(stars[0].saturated);
    const DetectedStar* bright = near(stars, 60.3, 50.7, 0.1);
    ASSERT_NE(bright, nullptr);
    EXPECT_FALSE(bright->saturated);
    EXPECT_GT(bright->flux, 0.0);
    EXPECT_GE(bright->areaPx, 5);
    const DetectedStar* faint = near(stars, 240.6, 60.2, 0.15);
    ASSERT_NE(faint, nullptr);
    EXPECT_LT(faint->flux, bright->flux);
    EXPECT_NEAR(faint->background, 100.0, 2.0);

    // A strict threshold loses the faint one; maxStars keeps the brightest.
    DetectionOptions strict;
    strict.thresholdSigma = 60;
    EXPECT_EQ(near(detectStars(image, strict), 240.6, 60.2, 1.0), nullptr);
    DetectionOptions two;
    two.maxStars = 2;
    EXPECT_EQ(detectStars(image, two).size(), 2u);
}

TEST(StarDetection, BackgroundFollowsAGradient)
{
    Canvas image(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) image.at(x, y) += x * 0.5;  // 0 to 128 across
    image.star(30.2, 128.4, 300, 1.5);
    image.star(225.7, 128.1, 300, 1.5);
    const BackgroundGrid grid = estimateBackground(image, 32);
    EXPECT_NEAR(grid.backgroundAt(16, 16), 108, 3);
    EXPECT_NEAR(grid.backgroundAt(240, 16), 220, 3);
    // One level for the whole image (median 164, 1.4826 · MAD about 47)
    // would put the threshold above both stars; tiles see them.
    const std::vector<DetectedStar> stars = detectStars(image);
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_NE(near(stars, 30.2, 128.4, 0.2), nullptr);
    EXPECT_NE(near(stars, 225.7, 128.1, 0.2), nullptr);
}

TEST(StarDetection, StarsAcrossTileBordersFlatTopsAndBlankPixels)
{
    // Tiles of 64 px: each star below spans two or four tiles, so its
    // region is assembled from rows and runs that cross tile borders.
    Canvas image(256, 200);
    image.star(64.0, 64.0, 500, 1.6);              // on the corner of four tiles
    image.star(127.6, 40.3, 300, 1.3);             // across a vertical border
    image.star(128.3, 128.4, 6000, 4.0, 1500);     // a wide flat top on a corner
    image.star(200.2, 100.7, 600, 1.8);
    image.at(200, 101) = std::nan("");             // a blank pixel in its core
    image.star(40.0, 199.0, 800, 1.5);             // cut by the bottom edge
    for (int x = 10; x < 50; ++x) image.at(x, 150) = std::nan("");  // a blank row segment
    const std::vector<DetectedStar> stars = detectStars(image);
    ASSERT_EQ(stars.size(), 4u) << "each star once, the cut one left out";
    EXPECT_NE(near(stars, 64.0, 64.0, 0.1), nullptr);
    EXPECT_NE(near(stars, 127.6, 40.3, 0.15), nullptr);
    const DetectedStar* flat = near(stars, 128.3, 128.4, 0.15);
    ASSERT_NE(flat, nullptr);
    EXPECT_TRUE(flat->saturated);
    EXPECT_EQ(flat, &stars[0]);
    EXPECT_GE(flat->areaPx, 50);
    EXPECT_NE(near(stars, 200.2, 100.7, 0.3), nullptr) << "the blank pixel does not split the star";
    for (const DetectedStar& s : stars) EXPECT_TRUE(&s == flat || !s.saturated);
}

TEST(StarDetection, OnFlawedGeneratedFieldsWhatIsFoundIsStars)
{
    for (const std::uint64_t seed : {3u, 11u}) {
        demo::DemoFieldPreset preset = demo::wideColourPreset(seed);
        demo::addRealFlaws(preset.field);
        const demo::DemoField field = demo::generateDemoField(preset.field);
        PictureIntensity picture(field.image);
        const std::vector<DetectedStar> stars = detectStars(picture);
        ASSERT_GE(stars.size(), 60u) << "seed " << seed;

        std::vector<const demo::DemoStar*> drawn;
        for (const demo::DemoStar& s : field.stars)
            if (s.inImage && s.drawn) drawn.push_back(&s);
        for (const demo::DemoStar& s : field.uncatalogued) drawn.push_back(&s);
        auto truthNear = [&](const DetectedStar& d) -> const demo::DemoStar* {
            const demo::DemoStar* best = nullptr;
            double bestD = 2.0;
            for (const demo::DemoStar* s : drawn) {
                const double dist = std::hypot(s->placed.xPx - d.x, s->placed.yPx - d.y);
                if (dist < bestD) bestD = dist, best = s;
            }
            return best;
        };
        // The 50 brightest detections: each on a drawn star (no hot pixel,
        // no scratch, no halo ring), and the brightest ones saturated.
        int onStars = 0, saturated = 0;
        for (std::size_t i = 0; i < 50; ++i) {
            const demo::DemoStar* s = truthNear(stars[i]);
            if (s) ++onStars;
            if (stars[i].saturated) ++saturated;
            if (i > 0) {
                EXPECT_GE(stars[i - 1].flux, stars[i].flux);
            }
        }
        EXPECT_GE(onStars, 49) << "seed " << seed;
        EXPECT_GE(saturated, 3) << "seed " << seed;
        EXPECT_TRUE(stars[0].saturated) << "seed " << seed;
        // And the faintest detections are not flagged.
        EXPECT_FALSE(stars.back().saturated) << "seed " << seed;
    }
}

}  // namespace
}  // namespace ce::testing
