#pragma once
// Where the overlay puts its markers: catalogue stars through the inverse
// plate solution, and the cross on the typed field centre.
//
// Positions are computed in double precision; marker corners are handed to
// the window in single precision, as the marker records hold them.

#include "core/plate_solution.h"
#include "core/reduction_state.h"
#include "core/result.h"
#include "core/text_lookup.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace ce {

// Largest magnitude accepted for a marker or cross coordinate, pixels.
// Anything beyond, or not finite, cannot be placed and fails the drawing.
inline constexpr double kMarkerCoordinateLimitPx = 1e9;
inline constexpr double kCentreBarHalfPx = 8.0;   // the cross is 16 pixels across

// The map from the catalogue plane (U, V) to image pixels that the drawing
// uses: the plate solution's inverse, or the refined model's
// (core/solution_in_force.h). None: the point has no image.
using PlaneToImage = std::function<std::optional<PixelPoint>(double U, double V)>;

// The inverse of a plate solution as such a map.
PlaneToImage inverseOf(const PlateSolution& solution);

struct MarkerCorner {
    float left = 0.0f;
    float top = 0.0f;
};

// starMarkerCorner: top-left corner of the marker of one catalogue star.
// Given:  the plate solution, the star's plane position (U, V) and the
//         marker's half size h in pixels (4 for the 8-pixel star marker).
// Returns: (x − h, y − h) with (x, y) the inverse map of (U, V), as floats.
// Notes:
//  1. det = 0: (0, 0), no position is computed.
//  2. A corner that is not finite or beyond ±1e9 pixels is a failure
//     naming the star's plane position (overlay.star_outside, worded by
//     `lang`).
Result<MarkerCorner> starMarkerCorner(const PlateSolution& solution, double U, double V,
                                      double halfSizePx, const TextLookup& lang);
Result<MarkerCorner> starMarkerCorner(const PlaneToImage& toImage, double U, double V,
                                      double halfSizePx, const TextLookup& lang);

// The corners of stars 1..count, in order, stopping at the first failure.
struct StarMarkerLayout {
    std::vector<MarkerCorner> corners;  // element i − 1 for star i, the stars placed
    bool failed = false;                // star corners.size() + 1 could not be placed
    QString error;                      // its message when failed
};

// layoutStarMarkers: given the solution, starU/starV by slot (slot 0
// unused), the number of stars (clipped to the slots given) and the half
// size; the markers placed before a failure keep their positions.
StarMarkerLayout layoutStarMarkers(const PlateSolution& solution, std::span<const double> starU,
                                   std::span<const double> starV, int count, double halfSizePx,
                                   const TextLookup& lang);
StarMarkerLayout layoutStarMarkers(const PlaneToImage& toImage, std::span<const double> starU,
                                   std::span<const double> starV, int count, double halfSizePx,
                                   const TextLookup& lang);

// fieldCentrePlane: the typed field centre in the catalogue plane.
// Given:  raDeg, decDeg (degrees, epoch of observation), the corrections
//         dRaDeg, dDecDeg (degrees) to J2000.0, and the scale factors.
// Returns: Uc = (raDeg + dRaDeg)·corrAsd, Vc = (decDeg + dDecDeg)·corrDec,
//          not rounded.
PlanePoint fieldCentrePlane(double raDeg, double decDeg, double dRaDeg, double dDecDeg,
                            double corrAsd, double corrDec);

// insideImage: strictly inside, 0 < x < width and 0 < y < height; a point
// on the border (or not finite) is outside.
bool insideImage(double x, double y, double widthPx, double heightPx);

struct Segment {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

// The two bars of the centre cross on (x, y): vertical from (x, y − 8) to
// (x, y + 8), horizontal from (x − 8, y) to (x + 8, y).
struct CrossBars {
    Segment vertical;
    Segment horizontal;
};
CrossBars centreCrossBars(double x, double y);

// The whole field-centre step.
struct CentrePlacement {
    bool placed = false;  // false when det = 0: no cross, no warning
    double x = 0.0;       // centre on the image, pixels
    double y = 0.0;
    bool inside = false;  // strictly inside the image; false asks for the warning
};

// placeFieldCentre: given the solution, the centre as for fieldCentrePlane
// and the image size; fails when the centre's position is not finite or
// beyond ±1e9 pixels (the cross cannot be drawn there), with the
// message overlay.centre_outside worded by `lang`.
Result<CentrePlacement> placeFieldCentre(const PlateSolution& solution, double raDeg,
                                         double decDeg, double dRaDeg, double dDecDeg,
                                         double corrAsd, double corrDec, double widthPx,
                                         double heightPx, const TextLookup& lang);
Result<CentrePlacement> placeFieldCentre(const PlaneToImage& toImage, double raDeg,
                                         double decDeg, double dRaDeg, double dDecDeg,
                                         double corrAsd, double corrDec, double widthPx,
                                         double heightPx, const TextLookup& lang);

}  // namespace ce
