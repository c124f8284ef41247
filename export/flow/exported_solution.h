#pragma once
// What the exports take from the reduction: the accepted solution as a TAN
// model and the catalogue stars drawn on the image.
//
// Pixels: image pixels, 0-based, x right, y down, pixel centres on whole
// numbers. Sky: degrees, J2000.0 (ICRS).

#include "core/reduction_state.h"
#include "core/tangent_plane.h"
#include "export/star_list_csv.h"

#include <optional>
#include <vector>

namespace ce {

struct AcceptedSolution {
    TanWcs wcs;
    bool refined = false;  // false: the three-star solution's TAN equivalent
};

// acceptedSolution: the solution a user accepted, as a TAN model.
// Given:  the state and the tangent point for the three-star solution (the
//         field centre, J2000.0).
// Returns: none without an accepted solution; the refined model when there
//          is one; else tanFromLinearSolution of the plate solution at the
//          tangent point (none when it has no inverse or a factor is 0).
std::optional<AcceptedSolution> acceptedSolution(const ReductionState& state, const SkyPoint& tangentPoint);

// predictedPosition: where the solution in force puts a sky position.
// The refined model: skyToPixel; the three-star solution: its linear plane
// (U = ra·corrAsd, V = dec·corrDec, unrounded) through planeToPixel, the
// way its markers are drawn. None where no position exists.
std::optional<PixelPoint> predictedPosition(const ReductionState& state, double raDeg, double decDeg);

// identifiedStars: one row per catalogue star drawn on the image: its
// marker visible (slots 1..4000) and its predicted position on the image
// (−0.5 ≤ x < width − 0.5, −0.5 ≤ y < height − 0.5), in slot order.
// Positions are the unrounded catalogue values (starRaDeg, starDecDeg);
// a star the refined fit measured carries its measure.
std::vector<IdentifiedStar> identifiedStars(const ReductionState& state, int width, int height);

}  // namespace ce
