// Moving a click to the brightest 7 by 7 window within 3 pixels. Expected
// positions are worked out by hand from the pixel layout of each case.

#include "solve/star_refine.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace ce {
namespace {

// A black picture of the given size with a few lit pixels; −1 outside.
class SparseImage final : public PixelSource {
public:
    SparseImage(int width, int height, std::int32_t background = 0)
        : width_(width), height_(height), background_(background) {}
    void set(int x, int y, std::int32_t colour) { lit_[{x, y}] = colour; }
    std::int32_t pixel(int x, int y) const override
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return -1;
        const auto it = lit_.find({x, y});
        return it == lit_.end() ? background_ : it->second;
    }

private:
    int width_, height_;
    std::int32_t background_;
    std::map<std::pair<int, int>, std::int32_t> lit_;
};

struct Expect {
    int x, y;
    bool moved;
};

void check(const RefinedStar& got, Expect want)
{
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.moved, want.moved);
}

TEST(StarRefine, IsolatedBrightPixelGoesToTheFirstTiedWindow)
{
    SparseImage image(100, 100);
    image.set(20, 20, 0xFFFFFF);
    // Every window holding (20, 20) ties; the first, x then y ascending, is
    // centred 3 left and 3 above it.
    check(refineStarPosition(image, 20, 20), {17, 17, true});
    // Clicked at (22, 21): the centres holding the pixel that lie in reach
    // start at x = 19 and y = 18.
    check(refineStarPosition(image, 22, 21), {19, 18, true});
}

TEST(StarRefine, TiesAreBrokenByColumnFirstThenRow)
{
    // Two equal pixels no window holds together: one left and below the
    // click, one right and above. Scanning columns first meets the left one
    // first (centre x 17, y 21); scanning rows first would meet the other.
    SparseImage image(100, 100);
    image.set(16, 24, 500);
    image.set(24, 16, 500);
    check(refineStarPosition(image, 20, 20), {17, 21, true});
}

TEST(StarRefine, OnlyAStrictlyGreaterSumReplaces)
{
    SparseImage image(100, 100);
    image.set(16, 24, 500);
    image.set(24, 16, 501);  // brighter, met later: it wins
    check(refineStarPosition(image, 20, 20), {21, 17, true});
}

TEST(StarRefine, DarkNeighbourhoodKeepsTheClick)
{
    SparseImage black(100, 100);
    check(refineStarPosition(black, 50, 60), {50, 60, false});
    // At the corner the windows reach outside the picture and sum below 0.
    check(refineStarPosition(black, 0, 0), {0, 0, false});
    // Wholly outside the picture.
    check(refineStarPosition(black, -40, 500), {-40, 500, false});
}

TEST(StarRefine, PointsOutsideThePictureCountMinusOne)
{
    // A lit corner pixel: the windows holding it that stay inside the
    // picture (centre (3, 3) only) sum 1000; those reaching outside lose 1
    // per outside point, so the first tie (−2, −2) would win if outside
    // points counted 0.
    SparseImage image(50, 50);
    image.set(0, 0, 1000);
    check(refineStarPosition(image, 1, 1), {3, 3, true});
}

TEST(StarRefine, UniformBrightFieldTakesTheFirstCentre)
{
    SparseImage white(100, 100, 0xFFFFFF);
    check(refineStarPosition(white, 40, 30), {37, 27, true});
}

}  // namespace
}  // namespace ce
