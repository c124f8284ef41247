#pragma once
// The calibration flows of the main window: calibration by image and super
// calibration, driven by the calibration frame and its "Suivant" button.

namespace ce {

class ReductionController;

class CalibrationFlow {
public:
    explicit CalibrationFlow(ReductionController& controller);

    void startEtalonage();          // menu "Etalonage par image"
    void startSuperEtalonage();     // menu "Super Etalonage"
    void BoutonEtalo();             // "Suivant"
    void etaloTextChanged(int box); // focus moves after two characters

private:
    ReductionController& controller_;
};

}  // namespace ce
