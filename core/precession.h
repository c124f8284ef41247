#pragma once
// Precession of equatorial positions between J2000.0 and another epoch.
//
// Both routines return corrections that the caller adds to the position it
// passed in; they keep no state between calls.

namespace ce {

// Corrections to add to a right ascension and a declination, degrees.
struct PrecessionCorrection {
    double dRaDeg = 0.0;
    double dDecDeg = 0.0;
};

// Rigorous precession from J2000.0 to an epoch.
// Given: epoch, years (Julian epoch, 2000.0 = J2000.0); raDeg, decDeg: mean
// position for J2000.0, degrees.
// Returns: dRaDeg = alpha' - ra with alpha' in 0..360, and dDecDeg, degrees.
// Method: the three angles zeta, z, theta as polynomials of
// T = (epoch - 2000) / 100 (arcseconds, with the constant terms of zeta and
// z that cancel at T = 0), then the rotation
//   A = cos d sin(a + zeta)
//   B = cos theta cos d cos(a + zeta) - sin theta sin d
//   C = sin theta cos d cos(a + zeta) + cos theta sin d
//   d' = asin C,  a' = atan2(sin z B + cos z A, cos z B - sin z A).
// Notes:
//  1. Epoch 2000 gives corrections of exactly 0 for ra in 0..360 (the
//     rotations would give rounding noise that turns 2h00m00s into
//     1h59m59.99999s); a ra outside 0..360 is only brought into that range.
//  2. When the precessed right ascension passes 0h the correction is near
//     -360 (or +360): adding it to ra gives the right value in 0..360.
//  3. C is held to -1..+1 before the arcsine, so a pole never gives NaN
//     through rounding.
//  4. To go back from an epoch E to J2000.0 approximately, pass 4000 - E.
PrecessionCorrection PrecessFromJ2000(double epoch, double raDeg, double decDeg);

// Approximate precession from an epoch to J2000.0, with mean annual values.
// Given: epoch, years; raDeg, decDeg: position for that epoch, degrees.
// Returns: dRaDeg = a0 - ra, dDecDeg = d0 - dec, degrees, where, with
// T = (epoch - 2000) / 100,
//   m = 1.2812323 T + 0.0003879 T^2 + 0.0000101 T^3      (degrees)
//   n = 0.556753 T  - 0.0001185 T^2 - 0.0000116 T^3      (degrees)
//   a1 = ra - (m + n sin(ra) tan(dec)) / 2,  d1 = dec - n cos(a1) / 2
//   a0 = ra - m - n sin(a1) tan(d1),         d0 = dec - n cos(a1)
// with angles turned into radians through pi = 3.1415926535 (this rounded
// value, kept for agreement with earlier results).
// Notes:
//  1. At a pole (|dec| >= 90) right ascension has no meaning and tan(dec)
//     has none either: the routine returns dRaDeg = 0 and moves the position
//     by |n| towards the equator (dDecDeg = -|n| at +90, +|n| at -90), the
//     distance between the two epochs' poles to this approximation.
PrecessionCorrection PrecessToJ2000(double epoch, double raDeg, double decDeg);

}  // namespace ce
