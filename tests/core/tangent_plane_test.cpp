// Gnomonic projection and the TAN model. Reference values from ERFA's
// eraTpxes / eraTpsts / eraSeps (pyerfa 2.0.0.1, Debian python3-erfa),
// radians converted to degrees; tolerance 1e-11 degree (0.04 µas) on each.

#include "core/tangent_plane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ce {
namespace {

constexpr double kTolDeg = 1e-11;
constexpr double kRad = std::numbers::pi / 180.0;

TEST(TangentPlane, ProjectionMatchesErfa)
{
    struct Row {
        const char* name;
        double ra, dec, ra0, dec0, xi, eta;
    };
    const Row rows[] = {
        {"plate +22", 24.1, 22.5, 23.7, 22.2, 0.36956158058252025, 0.30049641706658936},
        {"equator south", 118.0, -3.2, 120.0, -1.5, -1.9985708410123155, -1.7024472384673992},
        {"ra wraps at 0h", 0.3, 9.5, 359.8, 10.0, 0.493173559794444, -0.4996575150851324},
        {"high dec", 40.0, 78.0, 10.0, 80.0, 5.988847195920933, -0.4302158673635223},
        {"across the pole", 180.0, 89.8, 0.0, 89.9, 0.0, 0.3000027415868441},
    };
    for (const Row& r : rows) {
        const auto s = gnomonicProject(r.ra, r.dec, r.ra0, r.dec0);
        ASSERT_TRUE(s) << r.name;
        EXPECT_NEAR(s->xiDeg, r.xi, kTolDeg) << r.name;
        EXPECT_NEAR(s->etaDeg, r.eta, kTolDeg) << r.name;
        // Back again, whatever side of 0h.
        const SkyPoint p = gnomonicDeproject(s->xiDeg, s->etaDeg, r.ra0, r.dec0);
        EXPECT_NEAR(std::remainder(p.raDeg - r.ra, 360.0) * std::cos(r.dec * kRad), 0.0, 1e-10) << r.name;
        EXPECT_NEAR(p.decDeg, r.dec, 1e-10) << r.name;
        EXPECT_GE(p.raDeg, 0.0);
        EXPECT_LT(p.raDeg, 360.0);
    }
    // 90° away and beyond: behind the plane.
    EXPECT_FALSE(gnomonicProject(100.0, 0.0, 10.0, 0.0));
    EXPECT_FALSE(gnomonicProject(190.0, -5.0, 10.0, 5.0));
    EXPECT_TRUE(gnomonicProject(99.0, 0.0, 10.0, 0.0));
}

TEST(TangentPlane, DeprojectionAndSeparationMatchErfa)
{
    struct Row {
        const char* name;
        double xi, eta, ra0, dec0, ra, dec;
    };
    const Row rows[] = {
        {"plate", 0.41, -0.27, 23.7, 22.2, 24.141967740006507, 21.929411433311056},
        {"south", -2.0, 1.2, 120.0, -1.5, 118.00122228250706, -0.2999927814706871},
        {"west of 0h", -0.5, 0.3, 0.2, -30.0, 359.6244091637264, -29.69875845647441},
    };
    for (const Row& r : rows) {
        const SkyPoint p = gnomonicDeproject(r.xi, r.eta, r.ra0, r.dec0);
        EXPECT_NEAR(p.raDeg, r.ra, kTolDeg) << r.name;
        EXPECT_NEAR(p.decDeg, r.dec, kTolDeg) << r.name;
    }
    // eraSeps, arcseconds; tolerance 1e-9″.
    EXPECT_NEAR(angularSeparationArcsec({24.1, 22.5}, {24.1003, 22.4998}), 1.230441430659059, 1e-9);
    EXPECT_NEAR(angularSeparationArcsec({359.99, -10.0}, {0.01, -10.01}), 79.52061678725146, 1e-9);
    EXPECT_EQ(angularSeparationArcsec({10.0, 20.0}, {10.0, 20.0}), 0.0);
}

TEST(TangentPlane, PixelModelRoundTripsAndRefusesWhatItCannotMap)
{
    // Rotated 30°, mirrored, and a 90° turn; near the equator south and at +60°.
    const double s = 1.08 / 3600.0;
    const double c30 = std::cos(30 * kRad), s30 = std::sin(30 * kRad);
    const TanWcs models[] = {
        {23.7, 22.2, 1499.5, 1499.5, -s * c30, s * s30, -s * s30, -s * c30},
        {23.7, 22.2, 1200.0, 1700.0, s * c30, s * s30, s * s30, -s * c30},
        {150.0, -1.2, 399.5, 299.5, 0.0, 20.0 / 3600, -20.0 / 3600, 0.0},
        {300.0, 60.0, 10.0, -30.0, -s, 0.0, 0.0, -s},
    };
    for (const TanWcs& w : models) {
        for (const auto& [x, y] : {std::pair{0.0, 0.0}, {2999.0, 17.3}, {-400.0, 3500.0}, {w.crpixX, w.crpixY}}) {
            const SkyPoint p = pixelToSky(w, x, y);
            const auto back = skyToPixel(w, p.raDeg, p.decDeg);
            ASSERT_TRUE(back);
            EXPECT_NEAR(back->x, x, 1e-7);
            EXPECT_NEAR(back->y, y, 1e-7);
        }
        const SkyPoint centre = pixelToSky(w, w.crpixX, w.crpixY);
        EXPECT_NEAR(centre.raDeg, w.crvalRaDeg, 1e-12);
        EXPECT_NEAR(centre.decDeg, w.crvalDecDeg, 1e-12);
        // One pixel from the tangent point is one pixel of scale away.
        EXPECT_NEAR(angularSeparationArcsec(centre, pixelToSky(w, w.crpixX + 1, w.crpixY)), arcsecPerPixel(w), 1e-6);
        // The antipode is behind the plane.
        EXPECT_FALSE(skyToPixel(w, w.crvalRaDeg + 180.0, -w.crvalDecDeg));
    }
    EXPECT_GT(determinant(models[0]), 0.0);  // turned, as the sky is seen
    EXPECT_LT(determinant(models[1]), 0.0);  // mirrored
    EXPECT_GT(determinant(models[2]), 0.0);  // a quarter turn is no mirror
    EXPECT_FALSE(skyToPixel(TanWcs{10, 10, 0, 0, 1e-4, 2e-4, 1e-4, 2e-4}, 10, 10));
}

// The linear plate solution of a known plate: the standard coordinates are
// M·(x − x0, y − y0) near the centre, and U = ra·corrAsd, V = dec·corrDec
// with corrAsd = pixels per degree · cos δ0 (square pixels).
PlateSolution linearPlate(double ra0, double dec0, double x0, double y0, const double m[4], double corrAsd,
                          double corrDec)
{
    const double c0 = std::cos(dec0 * kRad);
    PlateSolution p;
    p.A = corrAsd * m[0] / c0;
    p.B = corrAsd * m[1] / c0;
    p.D = corrDec * m[2];
    p.E = corrDec * m[3];
    p.C = corrAsd * ra0 - p.A * x0 - p.B * y0;
    p.F = corrDec * dec0 - p.D * x0 - p.E * y0;
    return p;
}

TEST(TangentPlane, LinearSolutionAgreesAtTheCentreAndPartsAtSecondOrder)
{
    const double s = 1.0 / 3600.0;
    const double c = std::cos(20 * kRad), n = std::sin(20 * kRad);
    const double m[4] = {-s * c, s * n, s * n, s * c};
    for (const double dec0 : {0.0, 22.2, 60.0, -45.0}) {
        const double ra0 = 359.9;  // the plane's right ascension crosses 0h inside the field
        const double corrAsd = 3600.0 * std::cos(dec0 * kRad), corrDec = 3600.0;
        const PlateSolution plate = linearPlate(ra0, dec0, 1500.0, 1400.0, m, corrAsd, corrDec);
        const auto w = tanFromLinearSolution(plate, corrAsd, corrDec, ra0, dec0);
        ASSERT_TRUE(w);
        EXPECT_NEAR(w->crpixX, 1500.0, 1e-6);
        EXPECT_NEAR(w->crpixY, 1400.0, 1e-6);
        EXPECT_NEAR(w->cd11, m[0], 1e-15);
        EXPECT_NEAR(w->cd12, m[1], 1e-15);
        EXPECT_NEAR(w->cd21, m[2], 1e-15);
        EXPECT_NEAR(w->cd22, m[3], 1e-15);
        // 1800 px (0.5°) out along both standard axes: where the linear
        // model's sky position projects, against the second-order estimate
        // Δξ = −ξ·η·tan δ0, Δη = +ξ²·tan δ0 / 2 of the header.
        const double xi = 0.5, eta = 0.5;
        const double det = m[0] * m[3] - m[1] * m[2];
        const double x = 1500.0 + (m[3] * xi - m[1] * eta) / det;
        const double y = 1400.0 + (m[0] * eta - m[2] * xi) / det;
        const PlanePoint uv = pixelToPlane(plate, x, y);
        const auto linear = gnomonicProject(uv.U / corrAsd, uv.V / corrDec, ra0, dec0);
        ASSERT_TRUE(linear);
        const double t = std::tan(dec0 * kRad);
        const double dxi = (linear->xiDeg - xi) * kRad, deta = (linear->etaDeg - eta) * kRad;
        const double third = std::pow(0.5 * std::sqrt(2.0) * kRad, 3);  // θ³ bounds the rest
        EXPECT_NEAR(dxi, -(xi * kRad) * (eta * kRad) * t, 2 * third) << dec0;
        EXPECT_NEAR(deta, (xi * kRad) * (xi * kRad) * t / 2, 2 * third) << dec0;
    }
    const double m0[4] = {-s, 0, 0, -s};
    EXPECT_FALSE(tanFromLinearSolution(linearPlate(10, 10, 0, 0, m0, 3545, 3600), 0.0, 3600, 10, 10));
    EXPECT_FALSE(tanFromLinearSolution(PlateSolution{1, 2, 0, 2, 4, 0}, 3545, 3600, 10, 10));
}

}  // namespace
}  // namespace ce
