#pragma once
// The catalogue overlay: star markers through the plate solution (map), the
// field-centre cross (PlaceCentre) and "4-Full map".

#include "core/result.h"

namespace ce {

class ReductionController;

// runMap: mapFailed cleared; n = starCount, or starTotal while mapStatus is
// "loading"; markers 1..n moved so that they centre on their stars (all to
// (0, 0) when the plate solution is singular); the centre cross; then
// markers 1..n made visible and mapStatus "done". A position that cannot be
// placed or a centre that cannot be read stops the drawing: mapFailed,
// mapStatus "err", the reason in the status list, no marker made visible
// by this run (those moved before keep their new places). Never hides a
// marker.
Status runMap(ReductionController& controller);

// runPlaceCentre: the typed centre (locale rule), PrecessToJ2000 with the
// epoch by the leading-number rule, through the inverse plate solution onto
// the image; the cross is placed and shown, and language message 20 goes to
// a message box when the centre is not strictly inside the image. A
// singular plate solution places nothing and says nothing. Fails when a
// centre field is not a number or the centre falls beyond any placeable
// position.
Status runPlaceCentre(ReductionController& controller);

// runFullMap ("4-Full map"): without an accepted solution only the
// "fullmapannuler" suggestion. Otherwise txt_mag takes txt_mag2's text for
// one download and gets its own text back whatever the download's outcome;
// a failed download stops there (the catalogue of the calculation is kept);
// READFILE with the current scale factors; message 10; mapStatus "loading";
// map over all starTotal stars; message 11 followed by mapStatus.
void runFullMap(ReductionController& controller);

}  // namespace ce
