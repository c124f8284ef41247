// The refined solution on generated plates: a known TAN model renders
// catalogue stars (some missing from the image, some misplaced in the
// catalogue, some image stars not in it), a 3-star solution is formed from
// three marks close together as the matching would, and the fit must give
// the known model back.

#include "solve/refined_solution.h"

#include "tests/solve/synthetic_plate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ce {
namespace {

using testing::makeScene;
using testing::Plate;
using testing::Scene;
using testing::SyntheticSky;
using testing::trueModel;

constexpr double kRad = std::numbers::pi / 180.0;

RefinementInput inputOf(const Scene& s, const Plate& p, double tolerancePx)
{
    // The typed centre is a few arcminutes from the true tangent point.
    return {s.catalogue, s.threeStar, s.corrAsd, s.corrDec, s.marks, tolerancePx,
            SkyPoint{p.raDeg + 0.05 / std::cos(p.decDeg * kRad), p.decDeg - 0.04}};
}

// Largest distance, over a grid covering the image, between where the true
// model and the fitted model put the same sky position.
double worstModelErrorPx(const TanWcs& fitted, const TanWcs& truth, int width, int height)
{
    double worst = 0;
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) {
            const double x = (width - 1) * i / 10.0, y = (height - 1) * j / 10.0;
            const SkyPoint sky = pixelToSky(truth, x, y);
            const auto back = skyToPixel(fitted, sky.raDeg, sky.decDeg);
            worst = std::max(worst, back ? std::hypot(back->x - x, back->y - y) : 1e9);
        }
    return worst;
}

// The 3-star solution's worst error at the image corners, pixels.
double worstThreeStarCornerErrorPx(const Scene& s, const TanWcs& truth, int width, int height)
{
    double worst = 0;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {width - 1.0, 0.0}, {0.0, height - 1.0}, {width - 1.0, height - 1.0}}) {
        const SkyPoint sky = pixelToSky(truth, x, y);
        const auto p = planeToPixel(s.threeStar, sky.raDeg * s.corrAsd, sky.decDeg * s.corrDec);
        worst = std::max(worst, std::hypot(p->x - x, p->y - y));
    }
    return worst;
}

TEST(RefinedSolution, RecoversKnownModelsGrowingFromThreeCloseStars)
{
    struct Case {
        Plate plate;
        double tolerancePx;
        double modelErrorPx;  // worst error of the fitted model over the image
    };
    const Case cases[] = {
        // A 3000 x 3000 plate at 1.08″/px, noise-free: the fit itself must be exact.
        {{"plate, turned 30°", 3000, 3000, 1.08, 30.0, false, 23.7, 22.2, 500, 0.0, 8, 25, 25, 60.0, 1}, 7.0, 0.1},
        {{"mirrored, +48°, grain", 2000, 1500, 2.0, -12.0, true, 301.0, 48.0, 300, 2.0, 8, 25, 25, 80.0, 2}, 7.0, 0.15},
        // 4.4° x 3.3° south of the equator, north to the side.
        {{"wide, 90°, south, grain", 800, 600, 20.0, 90.0, false, 150.0, -1.2, 200, 2.0, 5, 15, 15, 25.0, 3}, 7.0, 0.15},
        {{"wide, 90°, south, noise-free", 800, 600, 20.0, 90.0, false, 150.0, -1.2, 200, 0.0, 5, 15, 15, 25.0, 4}, 7.0, 0.1},
        // Crowded: a prediction off by more than the Tolérance finds some
        // other star one time in four, so only growth from the marks holds.
        {{"crowded, 90°, south", 800, 600, 20.0, 90.0, false, 150.0, -1.2, 700, 1.0, 5, 15, 15, 15.0, 6}, 7.0, 0.15},
    };
    for (const Case& c : cases) {
        const Plate& p = c.plate;
        SyntheticSky image(p.width, p.height, 30.0);
        const Scene scene = makeScene(p, image);
        const TanWcs truth = trueModel(p);
        // The starting point really is poor far from the marks.
        const double startErrorPx = worstThreeStarCornerErrorPx(scene, truth, p.width, p.height);
        ASSERT_GT(startErrorPx, 15.0) << p.name;

        const RefinementResult r = refineSolution(image, inputOf(scene, p, c.tolerancePx));
        ASSERT_EQ(r.outcome, RefinementOutcome::Refined) << p.name;
        EXPECT_TRUE(r.refined);
        EXPECT_LT(worstModelErrorPx(r.wcs, truth, p.width, p.height), c.modelErrorPx) << p.name;
        EXPECT_LT(r.rmsPx, r.threeStarRmsPx) << p.name;

        // Most stars on the image are used (blends of close neighbours go),
        // over the whole image, and no misplaced catalogue position is.
        const int onImage = p.stars - p.missing;
        EXPECT_GE(r.starsUsed, int(0.75 * (onImage - p.misplaced))) << p.name;
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, sum2 = 0;
        int onStar = 0;
        for (const RefinedStarFit& f : r.stars) {
            if (scene.misplaced[std::size_t(f.index)]) {
                EXPECT_FALSE(f.used) << p.name << " star " << f.index;
            }
            if (!f.used) continue;
            minX = std::min(minX, f.measuredX), maxX = std::max(maxX, f.measuredX);
            minY = std::min(minY, f.measuredY), maxY = std::max(maxY, f.measuredY);
            sum2 += f.residualPx * f.residualPx;
            // Residual in arcseconds is the pixel residual at the plate scale.
            EXPECT_NEAR(f.residualArcsec, f.residualPx * p.arcsecPerPx, 0.02 * p.arcsecPerPx + 1e-6) << p.name;
            // The measured centroid is on the true star (neighbours may pull a few).
            const PixelPoint t = scene.truth[std::size_t(f.index)];
            onStar += std::hypot(f.measuredX - t.x, f.measuredY - t.y) < (p.grain > 0 ? 0.5 : 0.1);
        }
        EXPECT_GE(onStar, int(0.95 * r.starsUsed)) << p.name;
        EXPECT_GT(maxX - minX, 0.9 * p.width) << p.name;
        EXPECT_GT(maxY - minY, 0.9 * p.height) << p.name;
        EXPECT_NEAR(r.rmsPx, std::sqrt(sum2 / r.starsUsed), 1e-9) << p.name;
        EXPECT_NEAR(r.rmsArcsec, r.rmsPx * p.arcsecPerPx, 0.05 * r.rmsArcsec) << p.name;
        EXPECT_EQ(r.starsRejected, int(r.stars.size()) - r.starsUsed);
        EXPECT_TRUE(std::is_sorted(r.stars.begin(), r.stars.end(),
                                   [](const auto& a, const auto& b) { return a.index < b.index; }));

        // Deterministic: a second run gives the same model and stars.
        const RefinementResult again = refineSolution(image, inputOf(scene, p, c.tolerancePx));
        EXPECT_EQ(again.wcs.crpixX, r.wcs.crpixX);
        EXPECT_EQ(again.wcs.cd12, r.wcs.cd12);
        EXPECT_EQ(again.starsUsed, r.starsUsed);
    }
}

TEST(RefinedSolution, KeepsTheThreeStarSolutionWhenItCannotDoBetter)
{
    const Plate p{"sparse", 600, 600, 2.0, 0.0, false, 80.0, 10.0, 9, 1.0, 0, 4, 0, 40.0, 5};
    SyntheticSky image(p.width, p.height, 30.0);
    const Scene scene = makeScene(p, image);
    // Five stars on the image (the four others are missing): too few.
    const RefinementResult few = refineSolution(image, inputOf(scene, p, 7.0));
    EXPECT_EQ(few.outcome, RefinementOutcome::TooFewStars);
    EXPECT_FALSE(few.refined);

    // Scale factors of 0 or a plate solution without inverse: no prediction.
    RefinementInput bad = inputOf(scene, p, 7.0);
    bad.corrAsd = 0.0;
    EXPECT_EQ(refineSolution(image, bad).outcome, RefinementOutcome::NoLinearModel);
    bad = inputOf(scene, p, 7.0);
    bad.threeStar = PlateSolution{1, 2, 0, 2, 4, 0};
    EXPECT_EQ(refineSolution(image, bad).outcome, RefinementOutcome::NoLinearModel);

    // An empty sky: nothing found.
    SyntheticSky empty(p.width, p.height, 30.0);
    empty.finish(1, 2.0);
    EXPECT_EQ(refineSolution(empty, inputOf(scene, p, 7.0)).outcome, RefinementOutcome::TooFewStars);
}

}  // namespace
}  // namespace ce
