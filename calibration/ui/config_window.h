#pragma once
// Config: the optical configuration list ("Coefficient optique"). It keeps
// its own copy of config.cfg, read when it opens, in which the user creates,
// edits and deletes named configurations; "Enregistrer" writes the copy
// back. In choosing mode (opened from the main window's "Load" beside the
// Corr fields, ConfigStatus 2) the editing frame is hidden and "Utiliser"
// copies the Corr texts of the boxes into the main window.

#include "calibration/config_file.h"

#include <QDialog>

#include <array>

class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ce {

class Dialogs;
class ReductionController;

class Config final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Config)

public:
    // Loading: the "Config" language texts, the mode from the controller's
    // ConfigStatus (2 = choosing), then config.cfg from the program folder.
    // A reading failure is one message box; the list then holds the records
    // read so far and nothing is selected. Otherwise the first entry, if
    // any, is selected. The controller and the dialogs outlive the window.
    Config(ReductionController& controller, Dialogs& dialogs, QWidget* parent = nullptr);

    const ConfigTable& table() const { return table_; }

    // The buttons.
    void Nouveau();      // cmd2: appends "Config#" (refused at 15 records)
    void Supprimer();    // cmd1: deletes the selected record, if any
    void Enregistrer();  // cmd4: saves config.cfg and closes; stays open on failure
    void Utiliser();     // cmd3: Corr texts of the boxes into the main window, closes

private:
    int selectedRow() const;  // list index of the selected entry, -1 for none
    void showRecord(int row);
    void rebuildList();

    ReductionController& controller_;
    Dialogs& dialogs_;
    ConfigTable table_;

    QListWidget* list1_ = nullptr;
    std::array<QLineEdit*, 3> txtCoor_{};
    QFrame* frame1_ = nullptr;
    QPushButton* cmd1_ = nullptr;
    QPushButton* cmd2_ = nullptr;
    QPushButton* cmd3_ = nullptr;
    QPushButton* cmd4_ = nullptr;
};

// Menu "Correcteurs": the list in editing mode, modal over `parent`.
void openConfigurationList(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

// Button "Load" (LoadCorr): ConfigStatus 2 while the list is open in
// choosing mode, 0 afterwards.
void chooseConfiguration(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

}  // namespace ce
