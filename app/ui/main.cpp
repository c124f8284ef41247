// Cinq Étoiles: the program's entry.

#include "app/builtin_texts.h"
#include "app/command_line.h"
#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "app/ui/splash.h"
#include "app/ui/startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cinq-etoiles"));
    QApplication::setApplicationVersion(QStringLiteral(CE_VERSION));
    QApplication::setWindowIcon(ce::programIcon());

    // The command line is read before the language file is chosen (the
    // choice lives in the data folder these paths lead to), so its refusals
    // are in the program's own language.
    const ce::Result<ce::ProgramPaths> paths =
        ce::applyCommandLine(QApplication::arguments(), qEnvironmentVariable(ce::kServiceVariable),
                             ce::builtinLanguage(), ce::ProgramPaths::forInstalledProgram());
    if (!paths) {
        std::fprintf(stderr, "%s\n", qPrintable(paths.error()));
        return 2;
    }

    ce::QtDialogs dialogs;
    ce::Startup startup(*paths, dialogs);
    if (!startup.run())
        return 1;
    // Closing the main window or "Quit" ends the program at once, whatever
    // other window is open.
    QObject::connect(startup.mainWindow(), &ce::Form1::programEnd, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
