#pragma once
// "5-Auto": the plate solved without clicks. The program finds the stars of
// the image, tries five of the brightest at a time as the marks of
// "3-Calcul" would be, and offers the first candidate that the rest of the
// image confirms.

#include <cstddef>

namespace ce {

class ReductionController;

struct AutoSearchLimits {
    // Five-star sets are drawn from this many of the brightest detections.
    int poolStars = 15;
    // At most this many sets are tried before giving up.
    int maxSets = 400;
    // A candidate is verified against this many of the brightest detections.
    int verifyStars = 40;
    // It needs at least this many of them on a catalogue star, and at least
    // a third of those that the catalogue can show (its stars on the image).
    int minVerified = 10;
    // The typed Corr Asd and Corr Dec give the scale: one plane unit per
    // pixel. A candidate whose solution scales by more than this fraction
    // away from it is not the field as typed, however many stars agree (an
    // affine solution from three stars absorbs any scale).
    double maxScaleError = 0.05;
};

// runAutoCalcul, in this order:
//  1. the image loaded afresh; corrAsd, corrDec read; star markers hidden;
//     a scale factor of 0 stops with the message of "3-Calcul";
//  2. READFILE (stop when there is no catalogue file); the Tolérance and
//     Seuil décision read (a text that is not a number stops with its
//     message);
//  3. the stars detected on the linear image when there is one (FITS),
//     on the window's picture otherwise;
//  4. five-star sets of the brightest detections, in a fixed order: by the
//     rank of their faintest star, then by ascending ranks, keeping only sets
//     whose stars are no closer than a tenth of the image's smaller side
//     and of which no three lie nearly on one line. For each, the matching
//     of "3-Calcul" with these five as marks 1..5, and for each candidate
//     its plate solution and its verification: the brightest detections
//     carried onto the catalogue plane that fall within the Seuil décision
//     of a catalogue star, its scale within maxScaleError of the typed one;
//  5. the first verified candidate: its five stars become the marks (as if
//     clicked), the solution is drawn and the question of "3-Calcul" asked;
//     Yes accepts and refines, as "3-Calcul" does; No ends the search;
//  6. nothing verified (or the search cancelled through the view's
//     progress): the "aucune solution vérifiée" message in the journal and
//     in a box, no solution in force;
//  7. the journal gets the detections (the 100 brightest at most are
//     measured), sets tried, best verification and the time taken.
void runAutoCalcul(ReductionController& controller, const AutoSearchLimits& limits = {});

}  // namespace ce
