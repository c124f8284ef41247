#include "export/ui/export_dialogs.h"

#include "app/ui/dialogs.h"
#include "export/flow/export_commands.h"

namespace ce {

namespace {

// The save dialog opens in the proposed file's folder with its name
// filled in.
class DialogsExportChooser final : public ExportFileChooser {
public:
    DialogsExportChooser(QWidget* parent, Dialogs& dialogs) : parent_(parent), dialogs_(dialogs) {}

    QString saveFileName(const QString& title, const QString& proposedPath, const QString& filter) override
    {
        return dialogs_.saveFileName(parent_, title, proposedPath, filter);
    }

private:
    QWidget* parent_;
    Dialogs& dialogs_;
};

}  // namespace

void exportWcsDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    DialogsExportChooser chooser(parent, dialogs);
    exportWcsCommand(controller, chooser);
}

void exportStarsDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    DialogsExportChooser chooser(parent, dialogs);
    exportStarsCommand(controller, chooser);
}

}  // namespace ce
