// The plate solution: forward map, inverse map, and the solution through
// three star pairs, against maps chosen and worked out by hand.

#include "core/plate_solution.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ce {
namespace {

// U = 2x + 0.5y + 10, V = -0.25x + 3y - 5; det = 2·3 − 0.5·(−0.25) = 6.125.
constexpr PlateSolution kSkewed{2.0, 0.5, 10.0, -0.25, 3.0, -5.0};
// A mirror image: U = −x + 100, V = y (det = −1).
constexpr PlateSolution kMirrored{-1.0, 0.0, 100.0, 0.0, 1.0, 0.0};

TEST(PlateSolution, ForwardAndInverseMapAgreeWithHandValues)
{
    struct Row { PlateSolution s; double x, y, U, V; };
    const Row rows[] = {
        {kSkewed, 4.0, 8.0, 2 * 4 + 0.5 * 8 + 10, -0.25 * 4 + 3 * 8 - 5},
        {PlateSolution{0, -1, 0, 1, 0, 0}, 3.0, 5.0, -5.0, 3.0},  // quarter turn
    };
    for (const Row& r : rows) {
        const PlanePoint p = pixelToPlane(r.s, r.x, r.y);
        EXPECT_EQ(std::pair(p.U, p.V), std::pair(r.U, r.V));
        const auto back = planeToPixel(r.s, r.U, r.V);
        ASSERT_TRUE(back.has_value());
        EXPECT_LT(std::hypot(back->x - r.x, back->y - r.y), 1e-12);
    }
    EXPECT_DOUBLE_EQ(determinant(kSkewed), 6.125);
    EXPECT_DOUBLE_EQ(determinant(kMirrored), -1.0);
    // None only for an exactly zero determinant (A·E = B·D).
    EXPECT_FALSE(planeToPixel(PlateSolution{1, 2, 3, 2, 4, 5}, 10, 10).has_value());
}

TEST(PlateSolution, ThreePairsRecoverTheMapThatMadeThem)
{
    struct Row { PlateSolution s; double x1, y1, x2, y2, x3, y3; };
    const Row rows[] = {
        {kSkewed, 10, 20, 300, 45, 120, 250},
        {kMirrored, 0, 0, 640, 0, 0, 480},
        {PlateSolution{0.6, -0.8, 12000, 0.8, 0.6, -3500}, 5.5, 7.25, 812, 33, 400, 599},
    };
    for (const Row& r : rows) {
        const PlanePoint p1 = pixelToPlane(r.s, r.x1, r.y1), p2 = pixelToPlane(r.s, r.x2, r.y2),
                         p3 = pixelToPlane(r.s, r.x3, r.y3);
        const auto got = solveFromThreePairs(r.x1, r.y1, p1.U, p1.V, r.x2, r.y2, p2.U, p2.V, r.x3, r.y3, p3.U, p3.V);
        ASSERT_TRUE(got.has_value());
        const double tol = 1e-9 * (1 + std::fabs(r.s.C) + std::fabs(r.s.F));
        const double got6[] = {got->A, got->B, got->C, got->D, got->E, got->F};
        const double want[] = {r.s.A, r.s.B, r.s.C, r.s.D, r.s.E, r.s.F};
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(got6[i], want[i], i % 3 == 2 ? tol : 1e-12) << "coefficient " << i;
    }
    // Collinear image points (on y = 2x + 1), then two equal points: no solution.
    EXPECT_FALSE(solveFromThreePairs(0, 1, 5, 5, 1, 3, 6, 9, 2, 5, 1, 2).has_value());
    EXPECT_FALSE(solveFromThreePairs(4, 4, 0, 0, 4, 4, 9, 9, 7, 1, 3, 3).has_value());
    // Collinear plane points do not matter: the map exists, with det 0.
    const auto flat = solveFromThreePairs(0, 0, 0, 0, 10, 0, 10, 10, 0, 10, 20, 20);
    ASSERT_TRUE(flat.has_value());
    EXPECT_DOUBLE_EQ(determinant(*flat), 0.0);
}

}  // namespace
}  // namespace ce
