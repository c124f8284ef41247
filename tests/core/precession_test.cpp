// Precession between J2000.0 and another epoch, checked against values that
// do not come from the routines under test:
//  - the published example of Meeus, Astronomical Algorithms (2nd ed.),
//    example 21.b: theta Persei, J2000.0 (41.054063, 49.227750) to the epoch
//    2028.86705 gives (41.547214, 49.348483);
//  - an independent rotation-matrix formulation, R3(-z) R2(theta) R3(-zeta),
//    with the IAU 1976 (Lieske) angles, whose coefficients differ from the
//    routine's by well under an arcsecond per century;
//  - the mean-value formula worked by hand for simple positions.

#include "core/precession.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArcsec = 1.0 / 3600.0;

struct Position {
    double raDeg;
    double decDeg;
};

using Matrix = std::array<std::array<double, 3>, 3>;

Matrix multiply(const Matrix& a, const Matrix& b)
{
    Matrix m{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
    return m;
}

Matrix rotZ(double a) { return {{{std::cos(a), std::sin(a), 0}, {-std::sin(a), std::cos(a), 0}, {0, 0, 1}}}; }
Matrix rotY(double a) { return {{{std::cos(a), 0, -std::sin(a)}, {0, 1, 0}, {std::sin(a), 0, std::cos(a)}}}; }

// IAU 1976 precession from J2000.0 to `epoch` (or back when `inverse`).
Position matrixPrecession(double epoch, Position p, bool inverse)
{
    const double t = (epoch - 2000.0) / 100.0;
    const double toRad = kPi / 180.0 * kArcsec;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * toRad;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * toRad;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * toRad;
    Matrix m = multiply(rotZ(-z), multiply(rotY(theta), rotZ(-zeta)));
    if (inverse)
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j) std::swap(m[i][j], m[j][i]);
    const double a = p.raDeg * kPi / 180.0, d = p.decDeg * kPi / 180.0;
    const double v[3] = {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
    double w[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) w[i] += m[i][k] * v[k];
    double ra = std::atan2(w[1], w[0]) * 180.0 / kPi;
    if (ra < 0) ra += 360.0;
    return {ra, std::asin(w[2]) * 180.0 / kPi};
}

// Angular separation in arcseconds (small angles).
double separationArcsec(Position a, Position b)
{
    double dRa = std::remainder(a.raDeg - b.raDeg, 360.0);
    dRa *= std::cos(b.decDeg * kPi / 180.0);
    return std::hypot(dRa, a.decDeg - b.decDeg) * 3600.0;
}

Position applied(Position p, ce::PrecessionCorrection c) { return {p.raDeg + c.dRaDeg, p.decDeg + c.dDecDeg}; }

const Position kSky[] = {{0.0, 0.0},     {45.0, 30.0},   {123.4, -45.6}, {200.0, -60.0},
                         {300.0, 75.0},  {359.9, 10.0},  {89.0, 85.0},   {270.0, -80.0}};
const double kEpochs[] = {1900.0, 1950.0, 1987.3, 2025.5, 2050.0, 2100.0};

TEST(PrecessFromJ2000, AgreesWithPublishedAndMatrixValues)
{
    const Position thetaPersei{41.054063, 49.227750};
    const Position meeus = applied(thetaPersei, ce::PrecessFromJ2000(2028.86705, thetaPersei.raDeg, thetaPersei.decDeg));
    EXPECT_NEAR(meeus.raDeg, 41.547214, 0.3 * kArcsec);
    EXPECT_NEAR(meeus.decDeg, 49.348483, 0.3 * kArcsec);

    for (double epoch : kEpochs)
        for (Position p : kSky) {
            const Position got = applied(p, ce::PrecessFromJ2000(epoch, p.raDeg, p.decDeg));
            EXPECT_LT(separationArcsec(got, matrixPrecession(epoch, p, false)), 1.0)
                << "epoch " << epoch << " at " << p.raDeg << ", " << p.decDeg;
            EXPECT_GE(got.raDeg, 0.0);
            EXPECT_LT(got.raDeg, 360.0);
        }
}

TEST(PrecessFromJ2000, EpochTwoThousandChangesNothingAndPolesStayFinite)
{
    // Exactly zero: a typed 2h00m00s must not come back as 1h59m59.99999s.
    for (Position p : kSky) {
        const ce::PrecessionCorrection c = ce::PrecessFromJ2000(2000.0, p.raDeg, p.decDeg);
        EXPECT_EQ(c.dRaDeg, 0.0) << p.raDeg;
        EXPECT_EQ(c.dDecDeg, 0.0) << p.decDeg;
    }
    EXPECT_EQ(ce::PrecessFromJ2000(2000.0, 365.0, 0.0).dRaDeg, -360.0);
    EXPECT_EQ(ce::PrecessFromJ2000(2000.0, -10.0, 0.0).dRaDeg, 360.0);
    // Just off 2000 the rotations run and give almost nothing.
    const ce::PrecessionCorrection tiny = ce::PrecessFromJ2000(2000.0 + 1e-9, 30.0, 20.0);
    EXPECT_NEAR(tiny.dRaDeg, 0.0, 1e-9);
    EXPECT_NEAR(tiny.dDecDeg, 0.0, 1e-9);
    for (double dec : {90.0, -90.0})
        for (double epoch : {2000.0, 1950.0, 2100.0}) {
            const ce::PrecessionCorrection c = ce::PrecessFromJ2000(epoch, 123.0, dec);
            EXPECT_TRUE(std::isfinite(c.dRaDeg) && std::isfinite(c.dDecDeg)) << epoch << " " << dec;
            EXPECT_LE(std::fabs(dec + c.dDecDeg), 90.0);
        }
}

TEST(PrecessFromJ2000, RightAscensionPastZeroHoursWraps)
{
    // 359.99 deg moves east by about 0.64 deg in fifty years: past 0h.
    const ce::PrecessionCorrection c = ce::PrecessFromJ2000(2050.0, 359.99, 10.0);
    EXPECT_LT(c.dRaDeg, -359.0);
    const Position got = applied({359.99, 10.0}, c);
    EXPECT_GT(got.raDeg, 0.0);
    EXPECT_LT(got.raDeg, 1.0);
    EXPECT_LT(separationArcsec(got, matrixPrecession(2050.0, {359.99, 10.0}, false)), 1.0);
}

TEST(PrecessToJ2000, MeanValueFormula)
{
    // By hand at (0, 0), T = 1: m = 1.2816303, n = 0.5566229;
    // a1 = -m/2, d1 = -n cos(a1)/2, dRA = -m - n sin(a1) tan(d1) = -1.2816605376,
    // dDec = -n cos(a1) = -0.5565880866 (angles with pi = 3.1415926535).
    const ce::PrecessionCorrection c = ce::PrecessToJ2000(2100.0, 0.0, 0.0);
    EXPECT_NEAR(c.dRaDeg, -1.2816605376, 1e-9);
    EXPECT_NEAR(c.dDecDeg, -0.5565880866, 1e-9);
    // (45, 30) at 1950: dRA = 0.7553755753, dDec = 0.1955619430.
    const ce::PrecessionCorrection d = ce::PrecessToJ2000(1950.0, 45.0, 30.0);
    EXPECT_NEAR(d.dRaDeg, 0.7553755753, 1e-9);
    EXPECT_NEAR(d.dDecDeg, 0.1955619430, 1e-9);

    // Near the pole tan(dec) magnifies the angle conversion: with
    // pi = 3.1415926535 the formula gives dRA = -47.8749480515 at
    // (45, 89.99) for 2050, the exact pi would give -47.8745834771.
    const ce::PrecessionCorrection polar = ce::PrecessToJ2000(2050.0, 45.0, 89.99);
    EXPECT_NEAR(polar.dRaDeg, -47.8749480515, 1e-7);
    EXPECT_NEAR(polar.dDecDeg, 0.2601488491, 1e-8);

    // Against the rigorous inverse rotation: the mean values are good to
    // about an arcsecond over a century away from the poles.
    for (double epoch : kEpochs)
        for (Position p : kSky) {
            if (std::fabs(p.decDeg) > 76.0) continue;
            const Position got = applied(p, ce::PrecessToJ2000(epoch, p.raDeg, p.decDeg));
            EXPECT_LT(separationArcsec(got, matrixPrecession(epoch, p, true)), 1.0)
                << "epoch " << epoch << " at " << p.raDeg << ", " << p.decDeg;
        }
    EXPECT_EQ(ce::PrecessToJ2000(2000.0, 10.0, 20.0).dRaDeg, 0.0);
}

TEST(PrecessToJ2000, PoleGivesBoundedFiniteCorrection)
{
    // n at T = 0.5: 0.556753/2 - 0.0001185/4 - 0.0000116/8 = 0.278345425 deg.
    const double n = 0.278345425;
    struct Row { const char* name; double epoch, dec, dDec; };
    const Row rows[] = {
        {"north, later epoch", 2050.0, 90.0, -n},
        {"south, later epoch", 2050.0, -90.0, n},
        {"north, earlier epoch", 1950.0, 90.0, -0.278404675},
        {"epoch 2000", 2000.0, 90.0, 0.0},
    };
    for (const Row& row : rows)
        for (double ra : {0.0, 90.0, 250.0}) {
            const ce::PrecessionCorrection c = ce::PrecessToJ2000(row.epoch, ra, row.dec);
            EXPECT_EQ(c.dRaDeg, 0.0) << row.name;
            EXPECT_NEAR(c.dDecDeg, row.dDec, 1e-12) << row.name;
            EXPECT_LE(std::fabs(row.dec + c.dDecDeg), 90.0) << row.name;
        }
}

}  // namespace
