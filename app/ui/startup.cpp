#include "app/ui/startup.h"

#include "app/ui/apply_lang.h"
#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "app/ui/panning.h"
#include "app/ui/splash.h"

#include <QApplication>
#include <QEventLoop>

namespace ce {

namespace {

constexpr int kSplashDoneValue = 99;

// The reason names the file and the line where reading stopped; the file
// is named once more when the reason does not.
QString languageFailure(const QString& path, const QString& reason)
{
    const QString where = reason.contains(path) ? reason : path + QStringLiteral(" : ") + reason;
    return QStringLiteral("Impossible de charger les textes du programme.\n%1\n\n"
                          "Le programme va se terminer.")
        .arg(where);
}

}  // namespace

Startup::Startup(ProgramPaths paths, Dialogs& dialogs)
    : paths_(std::move(paths)), dialogs_(dialogs)
{
}

Startup::~Startup()
{
    // The main window goes before the key recorder it polls.
    form_.reset();
    if (keys_ && qApp)
        qApp->removeEventFilter(keys_.get());
}

bool Startup::run()
{
    auto splash = std::make_unique<frmSplash>(paths_.dataFile(QStringLiteral("test.bmp")));
    // During start-up a click must not close the window the wait depends on.
    splash->setClickCloses(false);
    splash->show();
    splash->repaint();
    splash->startTimer1();

    const QString langPath = paths_.programFile(QStringLiteral("lang.cfg"));
    Result<LanguageTable> loaded = loadLanguageTable(paths_.programFolder);
    if (!loaded) {
        splash->hide();
        dialogs_.message(nullptr, languageFailure(langPath, loaded.error()), QString(), true);
        return false;
    }
    lang_ = *loaded;

    keys_ = std::make_unique<KeyStateFilter>();
    qApp->installEventFilter(keys_.get());
    form_ = std::make_unique<Form1>(lang_, paths_, dialogs_, keys_.get());
    ApplyLang(*form_, lang_, QStringLiteral("Form"));

    while (splash->barValue() < kSplashDoneValue)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);

    form_->show();
    form_->controller().createMarkers();
    splashTicks_ = splash->ticks();
    splash.reset();
    form_->activateWindow();
    form_->raise();
    return true;
}

}  // namespace ce
