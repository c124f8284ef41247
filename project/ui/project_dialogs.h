#pragma once
// The file dialogs of "Enregistrer Projet" and "Ouvrir Projet", and the two
// menu entry points. The commands themselves (suffix rule, whole-file check,
// what opening changes) are in project/flow/project_commands.h.

#include "project/flow/project_commands.h"

class QWidget;

namespace ce {

class Dialogs;
class ReductionController;

// Asks through the window's Dialogs (the common file dialogs in the
// program, a scripted answerer in tests), over `parent`.
class DialogsFileChooser final : public ProjectFileChooser {
public:
    DialogsFileChooser(QWidget* parent, Dialogs& dialogs) : parent_(parent), dialogs_(dialogs) {}

    QString saveFileName(const QString& title, const QString& folder,
                         const QString& filter) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;

private:
    QWidget* parent_;
    Dialogs& dialogs_;
};

// Menu "Enregistrer Projet".
void saveProjectDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

// Menu "Ouvrir Projet".
void openProjectDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

}  // namespace ce
