#pragma once
// The gnomonic (tangent-plane) projection and the TAN world coordinate
// model of an image.
//
// Frame: sky positions are right ascension and declination in degrees,
// J2000.0 (ICRS), as the catalogue gives them. Right ascension of results
// lies in 0 ≤ ra < 360.
// Pixels: image pixels, x to the right, y downwards, origin at the top-left
// pixel, pixel (i, j) centred on the whole numbers (i, j), as the marks and
// the plate solution hold them.
// Standard coordinates (ξ, η): degrees on the plane tangent to the sphere at
// the tangent point, ξ towards increasing right ascension (east), η towards
// the north pole; they are the intermediate world coordinates of a FITS
// "RA---TAN" / "DEC--TAN" header with LONPOLE 180.
//
// FITS conversion: FITS counts pixels from 1 at the centre of the first
// pixel, so CRPIX1 = crpixX + 1 and CRPIX2 = crpixY + 1 when the image rows
// are written to the file top row first; CD1_1 = cd11, CD1_2 = cd12,
// CD2_1 = cd21, CD2_2 = cd22, CRVAL1 = crvalRaDeg, CRVAL2 = crvalDecDeg.
// A writer that stores the rows bottom first (the usual FITS display
// order) has y' = height − 1 − y: CRPIX2 = height − crpixY and the signs of
// CD1_2 and CD2_2 change.
//
// Reference: M. R. Calabretta & E. W. Greisen, "Representations of
// celestial coordinates in FITS", A&A 395, 1077 (2002), zenithal
// projections (section 5.1) and TAN (5.1.3); the same equations as
// liberfa/erfa `src/tpxes.c` (projection) and `src/tpsts.c` (inverse).

#include "core/plate_solution.h"

#include <optional>

namespace ce {

struct SkyPoint {
    double raDeg = 0.0;   // degrees, J2000.0
    double decDeg = 0.0;  // degrees, J2000.0
};

struct StandardCoordinates {
    double xiDeg = 0.0;   // degrees, towards east (increasing right ascension)
    double etaDeg = 0.0;  // degrees, towards north
};

// gnomonicProject: sky position to standard coordinates.
// Given:  raDeg, decDeg, the position; ra0Deg, dec0Deg, the tangent point
//         (degrees, J2000.0).
// Returns: (ξ, η) in degrees, with c the distance from the tangent point,
//            cos c = sin δ0 sin δ + cos δ0 cos δ cos(α − α0)
//            ξ = cos δ sin(α − α0) / cos c
//            η = (cos δ0 sin δ − sin δ0 cos δ cos(α − α0)) / cos c
//          converted from radians to degrees.
// Notes:
//  1. A position 90° or more from the tangent point (cos c ≤ 1e-10) lies
//     behind the tangent plane: returns none.
//  2. Right ascensions are taken modulo 360 (359° and −1° are the same).
std::optional<StandardCoordinates> gnomonicProject(double raDeg, double decDeg,
                                                   double ra0Deg, double dec0Deg);

// gnomonicDeproject: standard coordinates to sky position, the inverse.
// Given:  xiDeg, etaDeg (degrees); ra0Deg, dec0Deg, the tangent point.
// Returns: the sky position, with ξ, η in radians,
//            α = α0 + atan2(ξ, cos δ0 − η sin δ0)
//            δ = atan2(sin δ0 + η cos δ0, √(ξ² + (cos δ0 − η sin δ0)²))
//          right ascension in 0 ≤ ra < 360.
// Notes:
//  1. Defined for every finite (ξ, η); at the poles (δ0 = ±90°) right
//     ascension follows the direction of (ξ, η).
SkyPoint gnomonicDeproject(double xiDeg, double etaDeg, double ra0Deg, double dec0Deg);

// The TAN model of an image: the tangent point, the pixel that sees it and
// the linear map from pixel offsets to standard coordinates,
//     ξ = cd11·(x − crpixX) + cd12·(y − crpixY)
//     η = cd21·(x − crpixX) + cd22·(y − crpixY)
struct TanWcs {
    double crvalRaDeg = 0.0;   // tangent point, degrees, J2000.0
    double crvalDecDeg = 0.0;
    double crpixX = 0.0;       // pixel of the tangent point, 0-based, program convention
    double crpixY = 0.0;
    double cd11 = 0.0, cd12 = 0.0;  // degrees per pixel
    double cd21 = 0.0, cd22 = 0.0;
};

// Determinant cd11·cd22 − cd12·cd21 (square degrees per square pixel):
// positive for an image of the sky as seen (north up and east left, with
// y downwards, or any turn of it), negative for a mirror image, zero for a
// model without inverse.
double determinant(const TanWcs& wcs);

// Scale at the tangent point: √|det|·3600, arcseconds per pixel.
double arcsecPerPixel(const TanWcs& wcs);

// pixelToSky: image position to sky position.
// Given:  the model and (x, y), image pixels.
// Returns: right ascension and declination, degrees, J2000.0.
SkyPoint pixelToSky(const TanWcs& wcs, double x, double y);

// skyToPixel: sky position to image position, the inverse.
// Given:  the model and the position, degrees, J2000.0.
// Returns: (x, y) in image pixels.
// Notes:
//  1. None when the position lies behind the tangent plane (gnomonicProject
//     note 1) or the CD matrix has determinant 0.
std::optional<PixelPoint> skyToPixel(const TanWcs& wcs, double raDeg, double decDeg);

// angularSeparationArcsec: the great-circle distance between two positions.
// Given:  two sky positions, degrees.
// Returns: their distance, arcseconds, by the haversine formula (exact for
//          small distances, which is what residuals are).
double angularSeparationArcsec(const SkyPoint& a, const SkyPoint& b);

// tanFromLinearSolution: the TAN model that agrees with the program's linear
// plate solution at the field centre.
// Given:  the plate solution (U = A·x + B·y + C, V = D·x + E·y + F in plane
//         units, core/plate_solution.h); corrAsd, corrDec (plane units per
//         degree of right ascension and of declination: U = ra·corrAsd,
//         V = dec·corrDec); the field centre ra0Deg, dec0Deg (J2000.0).
// Returns: CRVAL = the field centre; CRPIX = the pixel the linear solution
//          puts the centre on (planeToPixel of U0 = ra0·corrAsd,
//          V0 = dec0·corrDec); CD = the linear solution's derivative there,
//          with dξ = cos δ0·dα and dη = dδ at the tangent point:
//            cd11 = cos δ0·A / corrAsd   cd12 = cos δ0·B / corrAsd
//            cd21 = D / corrDec          cd22 = E / corrDec
// Notes:
//  1. None when corrAsd or corrDec is 0 or the plate solution has no
//     inverse (determinant 0).
//  2. Both models give the same position and the same derivative at the
//     centre. Away from it they part at second order in the distance θ from
//     the centre: the linear model keeps the right-ascension scale of the
//     centre's declination and ignores the convergence of the meridians,
//     so at offsets (ξ, η) they differ by about ξ·η·tan δ0 in ξ and
//     ξ²·tan δ0 / 2 in η (all angles in radians), plus third-order terms
//     of the projection itself (of order θ³). At δ0 = 0 the second-order
//     part vanishes. Example: at ξ = η = 0.5° from a centre at +22° the
//     second-order part is (8.7e-3)²·0.40 = 3.0e-5 rad = 6.3″, several
//     pixels on a 1″/px plate.
std::optional<TanWcs> tanFromLinearSolution(const PlateSolution& solution, double corrAsd,
                                            double corrDec, double ra0Deg, double dec0Deg);

}  // namespace ce
