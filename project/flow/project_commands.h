#pragma once
// The project commands of the main window: "Enregistrer Projet" writes the
// seventeen parameters of the reduction to a ".pam" file, "Ouvrir Projet"
// puts them back and reloads the image.
//
// The file dialogs are behind ProjectFileChooser, so the commands run the
// same with the real dialogs and with a scripted chooser in tests. Failures
// go to the main window as one message box with the exclamation icon.

#include "core/result.h"
#include "project/project_file.h"

#include <QString>

namespace ce {

class ReductionController;
class ReductionView;

// Asks the user for a file name. An empty answer means cancelled.
class ProjectFileChooser {
public:
    virtual ~ProjectFileChooser() = default;
    virtual QString saveFileName(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString openFileName(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
};

// The file-type filter of the dialogs from the language text. The text may
// be written as pairs "description|pattern[|description|pattern...]"; each
// pair becomes "description (pattern)" and pairs are joined with ";;", the
// form the dialogs take. A description that already holds its pattern in
// parentheses is kept as it is; a text without "|" is used unchanged.
QString projectDialogFilter(const QString& languageText);

// The seventeen parameters as the main window holds them now.
ProjectFields projectFieldsFromView(const ReductionView& view);

// Puts the parameters into the main window: the sixteen texts (each field
// reacts as to typing, e.g. the comma repair), the sign label's caption and
// the state of CheckDecideur.
void applyProjectFields(ReductionView& view, const ProjectFields& fields);

// Saves the main window's parameters under `chosenName`, ".pam" appended
// when the name does not contain it. Nothing else changes.
Status saveProjectAs(ReductionController& controller, const QString& chosenName);

// Opens the project at `path`. The whole file is checked first: a missing,
// short or bad file fails and changes nothing. Otherwise the fields are
// replaced, the image is loaded through the controller's Loadimg (so
// imageLoaded tells whether it loaded), the "open" suggestion is shown, all
// catalogue and click markers are hidden and solutionAccepted and
// starsSelected are cleared.
Status openProjectFrom(ReductionController& controller, const QString& path);

// "Enregistrer Projet": save dialog titled with language message 14,
// filter from message 13, starting in the program folder. Cancelling does
// nothing; a failure is reported in a warning box.
void saveProjectCommand(ReductionController& controller, ProjectFileChooser& chooser);

// "Ouvrir Projet": open dialog titled with language message 12, the rest as
// saveProjectCommand.
void openProjectCommand(ReductionController& controller, ProjectFileChooser& chooser);

}  // namespace ce
