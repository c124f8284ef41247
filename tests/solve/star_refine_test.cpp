// Moving a click to the brightest 7 by 7 window within 3 pixels. Expected
// positions are worked out by hand from the pixel layout of each case.

#include "solve/star_refine.h"

#include "tests/solve/synthetic_sky.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace ce {
namespace {

// A 100 x 100 picture of one background with a few lit pixels; −1 outside.
struct SparseImage final : PixelSource {
    SparseImage(std::int32_t b, const std::map<std::pair<int, int>, std::int32_t>& l) : background(b), lit(l) {}
    std::int32_t background;
    std::map<std::pair<int, int>, std::int32_t> lit;
    std::int32_t pixel(int x, int y) const override
    {
        if (x < 0 || y < 0 || x >= 100 || y >= 100) return -1;
        const auto it = lit.find({x, y});
        return it == lit.end() ? background : it->second;
    }
};

TEST(StarRefine, BrightestWindowFirstInColumnThenRowOrder)
{
    struct Row {
        const char* name;
        std::int32_t background;
        std::map<std::pair<int, int>, std::int32_t> lit;
        int clickX, clickY, x, y;
        bool moved;
    };
    const Row rows[] = {
        // Every window holding (20, 20) ties: the first is 3 left and 3 above.
        {"isolated pixel", 0, {{{20, 20}, 0xFFFFFF}}, 20, 20, 17, 17, true},
        // No window holds both: columns first meets the left one (rows first would not).
        {"tie broken by column first", 0, {{{16, 24}, 500}, {{24, 16}, 500}}, 20, 20, 17, 21, true},
        {"strictly greater replaces", 0, {{{16, 24}, 500}, {{24, 16}, 501}}, 20, 20, 21, 17, true},
        {"dark: click kept", 0, {}, 50, 60, 50, 60, false},
        {"wholly outside", 0, {}, -40, 500, -40, 500, false},
        // Only centre (3, 3) holds the pixel without reaching outside; if
        // outside points counted 0 instead of −1, (−2, −2) would win.
        {"outside points count -1", 0, {{{0, 0}, 1000}}, 1, 1, 3, 3, true},
        {"uniform bright field", 0xFFFFFF, {}, 40, 30, 37, 27, true},
    };
    for (const Row& r : rows) {
        const RefinedStar got = refineStarPosition(SparseImage(r.background, r.lit), r.clickX, r.clickY);
        EXPECT_EQ(std::tuple(got.x, got.y, got.moved), std::tuple(r.x, r.y, r.moved)) << r.name;
    }
}

// A saturated star's flat top fills every 7 by 7 window within reach, so
// all tie; the first in loop order would follow the click. Clicks placed as
// a hand places them, up to 3 px from the centre, must all give one mark on
// the star's centre pixel.
TEST(StarRefine, SaturatedStarsGiveOneMarkFromAnyNearbyClick)
{
    const double sky = 35.0;
    for (const double topWidth : {7.0, 9.0, 14.0, 21.0, 30.0, 40.0}) {
        for (const auto& [cx, cy] : {std::pair{100.0, 100.0}, {100.3, 99.6}, {99.5, 100.5}, {100.8, 100.2}}) {
            testing::SyntheticSky image(200, 200, sky);
            image.addSaturatedStar(cx, cy, topWidth, sky);
            // A fainter neighbour just outside the top, as on a crowded plate.
            image.addStar(cx + topWidth / 2 + 9, cy - 4, 90);
            image.finish(std::uint64_t(topWidth * 100 + cx * 10), 3.0);
            std::set<std::pair<int, int>> marks;
            bool centroided = true;
            for (int x = int(cx) - 3; x <= int(cx) + 4; ++x) {
                for (int y = int(cy) - 3; y <= int(cy) + 4; ++y) {
                    if (std::hypot(x - cx, y - cy) > 3.0) continue;
                    const RefinedStar got = refineStarPosition(image, x, y);
                    marks.insert({got.x, got.y});
                    centroided = centroided && got.centroided;
                }
            }
            ASSERT_EQ(marks.size(), 1u) << "top " << topWidth << " at " << cx << "," << cy;
            const auto [mx, my] = *marks.begin();
            EXPECT_LE(std::hypot(mx - cx, my - cy), 1.0) << "top " << topWidth << " at " << cx << "," << cy;
            // From 14 px on, several windows lie wholly on the top and tie.
            EXPECT_TRUE(centroided || topWidth < 14) << "top " << topWidth;
        }
    }
}

}  // namespace
}  // namespace ce
