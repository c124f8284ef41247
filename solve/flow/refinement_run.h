#pragma once
// After "Oui": the accepted three-star solution refined on every catalogue
// star measured on the image.

#include "core/tangent_plane.h"

namespace ce {

class ReductionController;

// fieldTangentPoint: where the solutions touch the sky: the typed field
// centre precessed to J2000.0 or, when it cannot be read, the sky position
// the three-star solution gives the image centre (corrAsd and corrDec must
// not be 0). Degrees, J2000.0.
SkyPoint fieldTangentPoint(ReductionController& controller);

// runRefinement
//  1. Clears any earlier refined model. With the option off, nothing else.
//  2. Measures the catalogue stars read (1..starTotal) on the window's
//     picture around the positions the accepted solution gives them, fits
//     the TAN model about the typed field centre (precessed to J2000.0), and
//     keeps it in the state when it is better than the three-star solution
//     on the stars it uses (solve/refined_solution.h).
//  3. The status list says either how many stars were used with the rms in
//     pixels and arcseconds (message kRefined), or why the three-star
//     solution stays (message kNotRefined).
// The caller redraws the overlay.
void runRefinement(ReductionController& controller);

}  // namespace ce
