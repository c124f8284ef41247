#include "core/precession.h"

#include <algorithm>
#include <cmath>

namespace ce {
namespace {

// Polynomial in T with coefficients c[0] + c[1] T + c[2] T^2 + ...
template <std::size_t N>
double polynomial(const double (&c)[N], double t)
{
    double sum = 0.0;
    for (std::size_t i = N; i-- > 0;)
        sum = sum * t + c[i];
    return sum;
}

}  // namespace

PrecessionCorrection PrecessFromJ2000(double epoch, double raDeg, double decDeg)
{
    const double pi = 4.0 * std::atan(1.0);
    const double degToRad = pi / 180.0;
    const double t = (epoch - 2000.0) / 100.0;

    if (t == 0.0) {
        // No precession: return exact zeros rather than the rounding noise of
        // the rotations, so that 2h00m00s stays 2h00m00s and does not become
        // 1h59m60s once split into sexagesimal parts.
        double raOut = std::fmod(raDeg, 360.0);
        if (raOut < 0.0) raOut += 360.0;
        return {raOut - raDeg, 0.0};
    }

    // Precession angles, arcseconds, T in Julian centuries from J2000.0.
    //                       1          T             T^2           T^3           T^4         T^5        T^6      T^7
    const double zetaC[] = { 2.72767, 2306.080472,  0.3023262,  0.01801752, -5.708e-6,  -3.04e-7,  -1.3e-10};
    const double zC[]    = {-2.72767, 2306.07607,   1.0956768,  0.01826676, -2.8276e-5, -2.486e-7, -5.0e-11};
    const double thetaC[]= { 0.0,     2004.190936, -0.426698,  -0.04182364, -7.291e-6,  -1.127e-7,  3.6e-10, 9.0e-12};

    // Arcseconds to degrees to radians.
    const double zeta = polynomial(zetaC, t) / 3600.0 * degToRad;
    const double z = polynomial(zC, t) / 3600.0 * degToRad;
    const double theta = polynomial(thetaC, t) / 3600.0 * degToRad;

    const double alpha = raDeg * degToRad;
    const double delta = decDeg * degToRad;

    // Rotation about the pole by zeta, tilt by theta.
    const double a = std::cos(delta) * std::sin(alpha + zeta);
    const double b = std::cos(theta) * std::cos(delta) * std::cos(alpha + zeta)
                   - std::sin(theta) * std::sin(delta);
    const double c = std::sin(theta) * std::cos(delta) * std::cos(alpha + zeta)
                   + std::cos(theta) * std::sin(delta);

    // Declination; C may pass 1 by a rounding at a pole.
    const double decOut = std::asin(std::clamp(c, -1.0, 1.0)) / degToRad;

    // Final rotation about the new pole by z; right ascension in 0..360.
    const double x = std::cos(z) * b - std::sin(z) * a;
    const double y = std::sin(z) * b + std::cos(z) * a;
    double raOut = std::atan2(y, x) / degToRad;
    if (raOut < 0.0) raOut += 360.0;
    if (raOut >= 360.0) raOut -= 360.0;

    return {raOut - raDeg, decOut - decDeg};
}

PrecessionCorrection PrecessToJ2000(double epoch, double raDeg, double decDeg)
{
    // The rounded pi of the mean-value formula, kept so that positions agree
    // with those computed before.
    const double pi = 3.1415926535;
    const double degToRad = pi / 180.0;
    const double t = (epoch - 2000.0) / 100.0;

    // Mean precession in right ascension (m) and declination (n), degrees.
    const double m = 1.2812323 * t + 0.0003879 * t * t + 0.0000101 * t * t * t;
    const double n = 0.556753 * t - 0.0001185 * t * t - 0.0000116 * t * t * t;

    if (std::fabs(decDeg) >= 90.0) {
        // At a pole the right ascension is undefined and tan(dec) diverges:
        // keep the right ascension and move the declination by the distance
        // between the poles of the two epochs, towards the equator.
        return {0.0, decDeg > 0 ? -std::fabs(n) : std::fabs(n)};
    }

    // Mid-point values, then the full step.
    const double alpha1 = raDeg - (m + n * std::sin(raDeg * degToRad) * std::tan(decDeg * degToRad)) / 2.0;
    const double delta1 = decDeg - n * std::cos(alpha1 * degToRad) / 2.0;
    const double alpha0 = raDeg - m - n * std::sin(alpha1 * degToRad) * std::tan(delta1 * degToRad);
    const double delta0 = decDeg - n * std::cos(alpha1 * degToRad);

    return {alpha0 - raDeg, delta0 - decDeg};
}

}  // namespace ce
