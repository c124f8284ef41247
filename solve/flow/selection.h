#pragma once
// Marking the reference stars on the image: "2-Etoiles" and doselect.

namespace ce {

class ReductionController;

// runSelectStar ("2-Etoiles"): the image loaded afresh, the "selectstar"
// suggestion step 1; with an image, mode "select", markCount 0, click
// markers 1..5 and the catalogue markers hidden and the magnifier shown; without one, the
// "selectstar" suggestion step 2 and nothing else changes. starsSelected
// stays as it was: an earlier complete selection remains usable until the
// fifth star of the new one.
void runSelectStar(ReductionController& controller);

// runDoselect: one click at the state's clickX, clickY.
//  1. In mode "etalo" the calibration step chooses the slot (markCount :=
//     etaloStep - 1) and step 3 ends the calibration clicks (mode "done").
//  2. The click moves to the brightest 7 by 7 window within 3 pixels (an
//     all-black neighbourhood leaves it where it is).
//  3. The next slot (1..10) takes the position; Etalo_0 and Etalo_1 show it;
//     click markers 1..5 are centred on it. A click that would need an 11th
//     slot (or a slot below 1) is ignored altogether.
//  4. At the fifth star: magnifier hidden, mode "0", starsSelected; when the
//     assistant asked for it (WizardStatus 1) the calculation run starts and
//     WizardStatus goes back to 0.
//  5. Outside a calibration, each of the five marks posts "n/5" (message
//     kMarkCount) in the status list.
void runDoselect(ReductionController& controller);

// runRemoveLastMark (Backspace, right click): while marking the reference
// stars (mode "select", or "0" once five are marked) the last mark and its
// click marker go and the status list says how many remain; taking back the
// fifth reopens the selection (mode "select", starsSelected clear,
// magnifier shown). Anything else: nothing happens.
void runRemoveLastMark(ReductionController& controller);

}  // namespace ce
