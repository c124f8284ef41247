#pragma once
// "…" beside Img: the open dialog that chooses the image file.
//
// Title: [FORM] text 66 (« Ouvrir une image »). Filter: [FORM] text 67 in
// the "description|pattern|…" form of the project dialogs, by default all
// images, then FITS, JPEG, PNG, TIFF, BMP and GIF. The dialog starts in the
// folder of the current path (resolved like the "Load" button does), or in
// the program folder when that folder does not exist.

#include "app/language_table.h"
#include "core/program_paths.h"

#include <QString>

class QWidget;

namespace ce {

class Dialogs;

QString imageDialogFilter(const LanguageTable& lang);
QString imageDialogFolder(const ProgramPaths& paths, const QString& typedPath);

// Shows the dialog; returns the chosen absolute path, empty when cancelled.
QString chooseImageFile(QWidget* parent, Dialogs& dialogs, const LanguageTable& lang,
                        const ProgramPaths& paths, const QString& typedPath);

}  // namespace ce
