#pragma once
// The calibration flows of the main window: calibration by image and super
// calibration, driven by the calibration frame and its "Suivant" button.
//
// Usage:
//  1. startEtalonage() (menu "Etalonage par image", needs an image loaded)
//     or startSuperEtalonage() (menu "Super Etalonage", needs an accepted
//     solution) shows the calibration frame Frm_4 in place of Frm_3.
//  2. Per star: a click on the image (calibration by image) or a hover and a
//     click over a catalogue marker (super calibration) fills Etalo_0..7;
//     the pointer flow does that part. BoutonEtalo() stores the star.
//  3. The third BoutonEtalo() solves for Corr Asd and Corr Dec, writes them
//     into txt_corrasd and txt_corrdec, reports them and hides the frame.
// Every failure of a press is one message box; see BoutonEtalo().

#include <QString>

#include <array>

namespace ce {

class ReductionController;

class CalibrationFlow {
public:
    explicit CalibrationFlow(ReductionController& controller);

    // Menu "Etalonage par image". With an image loaded: mode "etalo", step 1,
    // magnifier and calibration frame shown, "Debug" frame hidden. Always:
    // the "etalonage" suggestion (step -1 with an image, 0 without).
    void startEtalonage();

    // Menu "Super Etalonage". With an accepted solution: fill flag 1, mode
    // "superetalo", step 1, markCount 0, calibration frame shown, click
    // markers 1..5 hidden. Always: the "superetalonage" suggestion (step -1
    // with a solution, 0 without).
    void startSuperEtalonage();

    // "Suivant": stores the star in the boxes as calibration star etaloStep
    // and advances; after the third star computes the scale factors.
    // Failures (one message box each, nothing after the failing point done):
    //  1. a box that is not a number (X, Y, hours, minutes, degrees,
    //     arc-minutes): the boxes keep their texts, the step does not move;
    //  2. etaloStep outside 0..3 (e.g. a further press after a failed
    //     computation): « Indice hors limites » until restarted;
    //  3. the computation (D = 0, no real square root, overflow): the step
    //     stays 4, the boxes are empty, the Corr fields keep their texts.
    void BoutonEtalo();

    // The text of Etalo_<box> changed: with exactly two characters the focus
    // moves to the next box, except from the seconds boxes 4 and 7.
    void etaloTextChanged(int box);

private:
    void startFrame();
    void endFrame();
    void computeScale();
    std::array<QString, 8> boxTexts() const;

    ReductionController& controller_;
};

// "Etalo_<box>", the object name of calibration box 0..7.
QString etaloBoxName(int box);

}  // namespace ce
