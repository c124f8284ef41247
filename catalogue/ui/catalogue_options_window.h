#pragma once
// The catalogue options window (Options > Catalogue...): which source the
// downloads use, the VizieR mirror (a list of official mirrors, or any
// address typed), how long cached answers are served, and emptying the
// cache. "OK" writes options.ini in the data folder; "Annuler" changes
// nothing.

#include "app/language_table.h"
#include "catalogue/flow/catalogue_options.h"
#include "core/program_paths.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QSpinBox;

namespace ce {

class Dialogs;

class CatalogueOptionsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueOptionsWindow)

public:
    // Shows the options read from options.ini. The language table and the
    // dialogs outlive the window. Controls: opt_source_0..2 (service,
    // USNO-A2.0, Gaia DR3), cbo_mirror, txt_cachedays, cmd_clearcache.
    CatalogueOptionsWindow(ProgramPaths paths, const LanguageTable& lang, Dialogs& dialogs,
                           QWidget* parent = nullptr);

    // The options as the controls show them.
    CatalogueOptions options() const;
    // "OK": writes them; a failure is one message box and keeps the window open.
    void accept() override;
    // "Vider le cache": removes every kept answer and says how many went.
    void clearCache();

private:
    ProgramPaths paths_;
    const LanguageTable& lang_;
    Dialogs& dialogs_;
    QButtonGroup* source_ = nullptr;
    QComboBox* mirror_ = nullptr;
    QSpinBox* cacheDays_ = nullptr;
};

// Opens the window modally over `parent`.
void openCatalogueOptions(QWidget* parent, const ProgramPaths& paths, const LanguageTable& lang,
                          Dialogs& dialogs);

}  // namespace ce
