#include "app/ui/startup.h"

#include "app/builtin_texts.h"
#include "app/language_choice.h"
#include "app/program_options.h"
#include "app/ui/apply_lang.h"
#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "app/ui/panning.h"
#include "app/ui/splash.h"

#include <QApplication>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ce {

namespace {

constexpr int kSplashDoneValue = 99;

// The reason names the file and the line where reading stopped; the file
// is named once more when the reason does not.
QString failureWhere(const QString& path, const QString& reason)
{
    return reason.contains(path) ? reason : path + QStringLiteral(" : ") + reason;
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

void Startup::useLanguage()
{
    dialogs_.useLanguage(lang_);
    // The interface speaks the language file's language whatever the
    // system's: Qt's own texts (file dialogs, context menus of the text
    // boxes) follow when Qt's translation for it (key ui.locale) is
    // installed, and stay English otherwise.
    if (!qApp) return;
    qtTexts_ = std::make_unique<QTranslator>();
    if (qtTexts_->load(QLocale(lang_.text(QStringLiteral("ui.locale"))), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts_.get());
}

bool Startup::loadLanguage()
{
    // The chosen file first; when it is gone or fails, lang.cfg, and one box
    // says why (in lang.cfg's words).
    const QString chosen = languageFileToRead(loadOptions(paths_.dataFolder).languageFile);
    QString chosenFailure;
    if (chosen != QLatin1String(kDefaultLanguageFile)) {
        const QString path = paths_.programFile(chosen);
        Result<LanguageTable> loaded = loadLanguageFile(path);
        if (loaded) {
            lang_ = *loaded;
            languageFile_ = chosen;
            useLanguage();
            return true;
        }
        chosenFailure = failureWhere(path, loaded.error());
    }
    const QString path = paths_.programFile(QString::fromLatin1(kDefaultLanguageFile));
    Result<LanguageTable> loaded = loadLanguageFile(path);
    if (!loaded) {
        // Nothing to take the texts from but the program's own French.
        dialogs_.message(nullptr,
                         builtinLanguage().text(QStringLiteral("box.language.fatal")).arg(failureWhere(path, loaded.error())),
                         QString(), true);
        return false;
    }
    lang_ = *loaded;
    languageFile_ = QString::fromLatin1(kDefaultLanguageFile);
    useLanguage();
    if (!chosenFailure.isEmpty())
        dialogs_.message(nullptr, lang_.text(QStringLiteral("box.language.fallback")).arg(chosenFailure), QString(), true);
    return true;
}

bool Startup::run()
{
    if (!loadLanguage())
        return false;

    auto splash = std::make_unique<frmSplash>(paths_.dataFile(QStringLiteral("test.bmp")), lang_);
    // During start-up a click must not close the window the wait depends on.
    splash->setClickCloses(false);
    splash->show();
    splash->repaint();
    splash->startTimer1();

    keys_ = std::make_unique<KeyStateFilter>();
    qApp->installEventFilter(keys_.get());
    form_ = std::make_unique<Form1>(lang_, paths_, dialogs_, keys_.get());
    form_->setLanguageInUse(languageFile_);
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
