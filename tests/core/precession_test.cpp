// Precession between J2000.0 and another epoch, against values that do not
// come from the routines under test:
//  - Meeus, Astronomical Algorithms (2nd ed.), example 21.b: theta Persei,
//    J2000.0 (41.054063, 49.227750) at epoch 2028.86705 is (41.547214, 49.348483);
//  - the rigorous rotation with the IAU 1976 (Lieske) angles, computed here
//    independently, within well under an arcsecond per century;
//  - the mean-value formula worked by hand.

#include "core/precession.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Position { double raDeg, decDeg; };

// The rigorous IAU 1976 precession from J2000.0 to `epoch`, or back when
// `inverse` (Meeus, eq. 21.4, the rotation R3(-z) R2(theta) R3(-zeta)).
Position rigorousPrecession(double epoch, Position p, bool inverse)
{
    const double t = (epoch - 2000.0) / 100.0, toRad = kPi / 180.0 / 3600.0;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * toRad;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * toRad;
    const double theta = (inverse ? -1 : 1) * (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * toRad;
    const double a = p.raDeg * kPi / 180.0 + (inverse ? -z : zeta), d = p.decDeg * kPi / 180.0;
    const double A = std::cos(d) * std::sin(a);
    const double B = std::cos(theta) * std::cos(d) * std::cos(a) - std::sin(theta) * std::sin(d);
    const double C = std::sin(theta) * std::cos(d) * std::cos(a) + std::cos(theta) * std::sin(d);
    const double ra = (std::atan2(A, B) + (inverse ? -zeta : z)) * 180.0 / kPi;
    return {std::fmod(ra + 720.0, 360.0), std::asin(C) * 180.0 / kPi};
}

double separationArcsec(Position a, Position b)
{
    const double dRa = std::remainder(a.raDeg - b.raDeg, 360.0) * std::cos(b.decDeg * kPi / 180.0);
    return std::hypot(dRa, a.decDeg - b.decDeg) * 3600.0;
}

Position applied(Position p, ce::PrecessionCorrection c) { return {p.raDeg + c.dRaDeg, p.decDeg + c.dDecDeg}; }

const Position kSky[] = {{0.0, 0.0}, {123.4, -45.6}, {300.0, 75.0}, {359.9, 10.0}, {89.0, 85.0}, {270.0, -80.0}};
const double kEpochs[] = {1900.0, 1987.3, 2050.0, 2100.0};

TEST(PrecessFromJ2000, AgreesWithPublishedAndMatrixValues)
{
    const Position persei{41.054063, 49.227750};
    const Position meeus = applied(persei, ce::PrecessFromJ2000(2028.86705, persei.raDeg, persei.decDeg));
    EXPECT_LT(separationArcsec(meeus, {41.547214, 49.348483}), 0.3);
    for (double epoch : kEpochs)
        for (Position p : kSky) {
            const Position got = applied(p, ce::PrecessFromJ2000(epoch, p.raDeg, p.decDeg));
            EXPECT_LT(separationArcsec(got, rigorousPrecession(epoch, p, false)), 1.0) << epoch << " " << p.raDeg;
            EXPECT_TRUE(got.raDeg >= 0.0 && got.raDeg < 360.0) << got.raDeg;
        }
    // 359.99° moves east by about 0.64° in fifty years: past 0h, the correction wraps.
    EXPECT_LT(ce::PrecessFromJ2000(2050.0, 359.99, 10.0).dRaDeg, -359.0);

    // At 2000 exactly zero: a typed 2h00m00s must not come back as 1h59m59.99999s.
    const ce::PrecessionCorrection zero = ce::PrecessFromJ2000(2000.0, 123.4, -45.6);
    EXPECT_TRUE(zero.dRaDeg == 0.0 && zero.dDecDeg == 0.0);
    EXPECT_EQ(ce::PrecessFromJ2000(2000.0, 365.0, 0.0).dRaDeg, -360.0);
    for (double dec : {90.0, -90.0}) {  // at the poles
        const ce::PrecessionCorrection c = ce::PrecessFromJ2000(2100.0, 123.0, dec);
        EXPECT_TRUE(std::isfinite(c.dRaDeg) && std::fabs(dec + c.dDecDeg) <= 90.0) << dec;
    }
}

TEST(PrecessToJ2000, MeanValueFormula)
{
    // By hand at (0, 0), T = 1: m = 1.2816303, n = 0.5566229; a1 = -m/2,
    // d1 = -n cos(a1)/2, dRA = -m - n sin(a1) tan(d1), dDec = -n cos(a1)
    // (angles with pi = 3.1415926535).
    struct Row { double epoch, ra, dec, dRa, dDec, tol; };
    const Row rows[] = {
        {2100.0, 0.0, 0.0, -1.2816605376, -0.5565880866, 1e-9},
        {1950.0, 45.0, 30.0, 0.7553755753, 0.1955619430, 1e-9},
        // Near the pole tan(dec) magnifies the angle conversion: the exact pi would give -47.8745834771.
        {2050.0, 45.0, 89.99, -47.8749480515, 0.2601488491, 1e-7},
        // At the pole: n at T = 0.5 is 0.556753/2 - 0.0001185/4 - 0.0000116/8 = 0.278345425.
        {2050.0, 250.0, -90.0, 0.0, 0.278345425, 1e-12},
    };
    for (const Row& r : rows) {
        const ce::PrecessionCorrection c = ce::PrecessToJ2000(r.epoch, r.ra, r.dec);
        EXPECT_TRUE(std::fabs(c.dRaDeg - r.dRa) <= r.tol && std::fabs(c.dDecDeg - r.dDec) <= r.tol)
            << r.epoch << " " << r.dec << ": " << c.dRaDeg << " " << c.dDecDeg;
    }
    // Against the rigorous inverse rotation: about an arcsecond over a century away from the poles.
    for (double epoch : kEpochs)
        for (Position p : kSky) {
            if (std::fabs(p.decDeg) > 76.0) continue;
            const Position got = applied(p, ce::PrecessToJ2000(epoch, p.raDeg, p.decDeg));
            EXPECT_LT(separationArcsec(got, rigorousPrecession(epoch, p, true)), 1.0) << epoch << " " << p.raDeg;
        }
}

}  // namespace
