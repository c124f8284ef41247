// Form1: the last run. The seventeen project values go to options.ini in
// the data folder when the program ends, and come back at the next start,
// after defaut.cfg, unless the user turned that off (Fichier menu).

#include "app/ui/form1.h"

#include "app/last_run.h"
#include "core/numbers.h"
#include "project/flow/project_commands.h"
#include "project/project_file.h"

#include <QAction>
#include <QMenu>

namespace ce {

void Form1::restoreLastRun()
{
    if (!restoreLastRunEnabled(paths_.dataFolder))
        return;
    const std::optional<QStringList> lines = lastRunLines(paths_.dataFolder);
    if (!lines)
        return;
    // A damaged record is passed over: the start goes on with the defaults.
    const Result<ProjectFields> fields = parseProject(*lines, systemDecimalPoint(), optionsFile(paths_.dataFolder), lang_);
    if (fields)
        applyProjectFields(*this, *fields);
}

void Form1::saveLastRun()
{
    // Nothing to tell the user at the end of the program: a data folder that
    // cannot be written only means no restore at the next start.
    (void)ce::saveLastRun(paths_.dataFolder, projectLines(projectFieldsFromView(*this)), lang_);
}

QAction* Form1::addRestoreLastRunEntry(QMenu* menu)
{
    QAction* entry = menu->addAction(lang_.message(84 - 45));  // [FORM] line 84
    entry->setObjectName(QStringLiteral("mnu_restore"));
    entry->setCheckable(true);
    entry->setChecked(restoreLastRunEnabled(paths_.dataFolder));
    connect(entry, &QAction::toggled, this,
            [this](bool on) { setRestoreLastRunEnabled(paths_.dataFolder, on); });
    return entry;
}

}  // namespace ce
