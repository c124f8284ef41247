#pragma once
// Config2: the classical calibration window ("Etalonage classique"). From
// the sensor's size in millimetres and in pixels and the focal length it
// computes Corr Asd and Corr Dec, writes them into the main window's
// txt_corrasd and txt_corrdec and reports them with the field size. The
// window stays open after a computation, so other values can be tried.

#include "app/language_table.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace ce {

class Dialogs;
class ReductionController;
class ReductionView;

class Config2 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Config2)

public:
    // The window keeps references to the main window, the language table and
    // the dialogs; all three outlive it. Loading puts the "Config2" texts on
    // the title, lbl_0..lbl_5 and cmd1.
    Config2(ReductionView& mainWindow, const LanguageTable& lang, Dialogs& dialogs,
            QWidget* parent = nullptr);

    // "Calculer" (cmd1, the default button). Reads txt_1..txt_5, writes the
    // Corr fields of the main window and shows "<message 7>: CX = … et CY =
    // …", CR, "CCD size: FW' x FH'". A failure is one message box and leaves
    // the Corr fields as they were.
    void Calculer();

private:
    ReductionView& main_;
    const LanguageTable& lang_;
    Dialogs& dialogs_;
    std::array<QLineEdit*, 5> txt_{};  // txt_1..txt_5
    QPushButton* cmd1_ = nullptr;
};

// Menu "Etalonage classique": shows Config2 modally over `parent`.
void openClassicalCalibration(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

}  // namespace ce
