// Cinq Étoiles: the program's entry.

#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "app/ui/splash.h"
#include "app/ui/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cinq-etoiles"));
    QApplication::setApplicationVersion(QStringLiteral(CE_VERSION));
    QApplication::setWindowIcon(ce::programIcon());

    ce::QtDialogs dialogs;
    ce::Startup startup(ce::ProgramPaths::forInstalledProgram(), dialogs);
    if (!startup.run())
        return 1;
    // Closing the main window or "Quit" ends the program at once, whatever
    // other window is open.
    QObject::connect(startup.mainWindow(), &ce::Form1::programEnd, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
