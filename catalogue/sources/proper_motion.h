#pragma once
// Carrying a catalogue position along its proper motion.
//
// Frame: ICRS (taken as J2000.0 equinox); epochs are Julian years (2016.0
// is the reference epoch of Gaia DR3).

namespace ce {

struct SkyPosition {
    double raDeg = 0;   // right ascension, degrees, 0 <= ra < 360
    double decDeg = 0;  // declination, degrees, -90..+90
};

// propagateLinear
// Given: a position (raDeg, decDeg, degrees) at epoch fromYear, its proper
//        motion pmRaMasPerYear = mu_alpha* = dRA/dt * cos(Dec) and
//        pmDecMasPerYear = dDec/dt (milliarcseconds per Julian year, as Gaia
//        gives them), and the epoch toYear.
// Returns: the position at toYear, moving linearly in RA and Dec:
//          Dec = Dec0 + pmDec * dt,  RA = RA0 + pmRA * dt / cos(Dec0),
//          dt = toYear - fromYear, with 1 mas = 1 / 3 600 000 degree.
// Notes:
//  1. Linear motion ignores the change of direction along the great circle,
//     parallax and radial velocity: for 100 years and 100 mas/yr the error
//     stays far below 0.1 arcsecond away from the poles.
//  2. Within 1e-9 degree of a pole the RA motion is left out (cos(Dec0) = 0).
//  3. RA is brought back into 0..360; a declination carried past a pole is
//     clamped to +-90.
SkyPosition propagateLinear(double raDeg, double decDeg, double pmRaMasPerYear,
                            double pmDecMasPerYear, double fromYear, double toYear);

}  // namespace ce
