#pragma once
// Wizard: the new-reduction assistant. Three pages (Frame1 the image and
// its field, Frame2 the optical configuration, Frame3 the calculation
// parameters) show the main window's values, except the epoch, which starts
// at "2000.0". The last page also chooses how the stars are found: clicked
// five by hand (choix_0, the default) or by "5-Auto" (choix_1). "Terminer"
// copies everything back, sets WizardStatus to the way chosen (markFive or
// automatic) and closes; closing the window on any page changes nothing.
// Nothing typed here is checked: the commands that use the values report
// bad ones.

#include "calibration/config_file.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ce {

class Dialogs;
class ReductionController;

class Wizard final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Wizard)

public:
    // Loading: the "Wizard" language texts, WizardStatus := 0, the main
    // window's fields copied in, the epoch set to "2000.0", and the names of
    // config.cfg's configurations in Combo with none chosen. A reading
    // failure is one message box; Combo then offers the records read so far.
    // The controller and the dialogs outlive the window.
    Wizard(ReductionController& controller, Dialogs& dialogs, QWidget* parent = nullptr);

    // The page shown, 1..3.
    int page() const { return page_; }

private:
    QGroupBox* buildPage1();
    QGroupBox* buildPage2();
    QGroupBox* buildPage3();
    void copyFromMainWindow();
    void copyToMainWindow();
    void setSign(bool negative);
    void chooseConfiguration(int index);
    void nextPage();
    void Terminer();

    ReductionController& controller_;
    Dialogs& dialogs_;
    std::vector<OpticalConfiguration> configurations_;
    int page_ = 1;

    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QGroupBox* frame3_ = nullptr;
    QPushButton* step1_ = nullptr;
    QPushButton* step2_ = nullptr;
    QPushButton* step3_ = nullptr;
    QComboBox* combo_ = nullptr;
    QLabel* signLabel_ = nullptr;
    QRadioButton* minus_ = nullptr;
    QRadioButton* plus_ = nullptr;
    QRadioButton* markFive_ = nullptr;
    QRadioButton* automatic_ = nullptr;
};

// Menu "Assistant": shows the assistant modally over `parent`; when it was
// finished the controller's wizardFinished() downloads the catalogue and
// starts the star selection or "5-Auto", as chosen.
void openWizardWindow(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

}  // namespace ce
