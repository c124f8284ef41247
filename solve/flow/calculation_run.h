#pragma once
// "3-Calcul" and the matching with its questions (Algo).

namespace ce {

class ReductionController;

// Above this many catalogue stars the run asks before matching.
inline constexpr int kLargeCatalogueQuestionAbove = 380;

// runStartCalcul, in this order:
//  1. the image loaded afresh;
//  2. corrAsd, corrDec from txt_corrasd, txt_corrdec by the leading-number
//     rule;
//  3. star markers 1..4000 hidden;
//  4. no complete star selection: the "calculannuler" suggestion, stop;
//  5. a scale factor of 0 (field empty or not a number): a message asking
//     for a calibration or an optical configuration, stop before reading;
//  6. READFILE (stop when there is no catalogue file);
//  7. more than 380 stars: the question (message 15, title message 16); No
//     posts message 17 and stops;
//  8. Algo; a tolerance or threshold that is not a number stops here;
//  9. map with the plate solution the matching left.
void runStartCalcul(ReductionController& controller);

// scaleFactorsUsable: after corrAsd and corrDec are read for a run. When
// either is 0, the status list and a warning box name it, the accepted
// solution is withdrawn, and false is returned.
bool scaleFactorsUsable(ReductionController& controller);

// runAlgo: message 5, solutionAccepted cleared, the tolerance and decision
// threshold read (a text that is not a number: a message box naming the
// field, no search, returns false), the distance tables and the search, then
// each candidate in order: plate solution (collinear R1..R3 skipped), map,
// decision count on the markers as drawn (4 when "Décideur" is unchecked),
// skipped when drawing failed or the count is below 4, else the question
// message 2 + " (s/solutionCount)" titled message 3. Yes: message 4,
// solutionAccepted, mode "coor", no further candidate. A full candidate
// table (800) is said in the status list. At the end message 6 and the
// "calcul" suggestion (-1 accepted, else 0; solutionCount; starCount).
bool runAlgo(ReductionController& controller);

}  // namespace ce
