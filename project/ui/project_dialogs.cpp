#include "project/ui/project_dialogs.h"

#include "app/ui/dialogs.h"

namespace ce {

QString DialogsFileChooser::saveFileName(const QString& title, const QString& folder,
                                         const QString& filter)
{
    return dialogs_.saveFileName(parent_, title, folder, filter);
}

QString DialogsFileChooser::openFileName(const QString& title, const QString& folder,
                                         const QString& filter)
{
    return dialogs_.openFileName(parent_, title, folder, filter);
}

void saveProjectDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    DialogsFileChooser chooser(parent, dialogs);
    saveProjectCommand(controller, chooser);
}

void openProjectDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    DialogsFileChooser chooser(parent, dialogs);
    openProjectCommand(controller, chooser);
}

}  // namespace ce
