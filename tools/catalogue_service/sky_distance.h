#pragma once
// Angular separation and position angle on the celestial sphere.

namespace ce::service {

// angularDistanceDeg
// Given: two positions (ra1Deg, dec1Deg) and (ra2Deg, dec2Deg), degrees,
//        same equinox.
// Returns: the great-circle distance between them, degrees, 0..180.
// Notes:
//  1. Uses the Vincenty form atan2(|a x b|, a . b), accurate for tiny and
//     for nearly opposite separations alike (the arccos of the dot product
//     loses all digits below about 1 arcsecond).
//  2. Right ascensions need not be normalised; 359.9 and -0.1 are the same.
double angularDistanceDeg(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg);

// positionAngleDeg
// Given: a centre (raCentreDeg, decCentreDeg) and a star (raDeg, decDeg),
//        degrees, same equinox.
// Returns: the position angle of the star seen from the centre, counted
//          from north through east, degrees, 0 <= angle < 360.
// Notes:
//  1. A star exactly at the centre, or a centre at a pole, has no defined
//     angle; the result is then 0 at the centre and follows the star's
//     right ascension at a pole (atan2 of the components).
double positionAngleDeg(double raCentreDeg, double decCentreDeg, double raDeg, double decDeg);

}  // namespace ce::service
