#include "app/ui/form1.h"

#include "app/program_options.h"
#include "app/comma_to_point.h"
#include "app/defaults_file.h"
#include "app/ui/control_text.h"
#include "app/ui/dialogs.h"
#include "app/ui/download_progress.h"
#include "app/ui/help_window.h"
#include "app/ui/image_view.h"
#include "app/ui/magnifier.h"
#include "app/ui/panning.h"
#include "app/ui/splash.h"
#include "app/ui/image_choice.h"
#include "calibration/ui/config2_window.h"
#include "calibration/ui/config_window.h"
#include "image/flow/header_hints_flow.h"
#include "project/ui/project_dialogs.h"
#include "project/ui/wizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>

namespace ce {

namespace {

constexpr int kPanIntervalMs = 50;
constexpr QSize kInitialWindowSize(1200, 720);

// The eight text fields of defaut.cfg, in file order; the ninth line is the
// state of CheckDecideur.
const char* const kDefaultFields[] = {"txt_calcul", "txt_corrasd", "txt_corrdec",
                                      "txt_distance", "txt_mag", "txt_mag2",
                                      "txt_tolerance", "txt_url"};

QString* defaultsSlot(DefaultSettings& settings, int line)
{
    QString* fields[] = {&settings.txt_calcul, &settings.txt_corrasd, &settings.txt_corrdec,
                        &settings.txt_distance, &settings.txt_mag, &settings.txt_mag2,
                        &settings.txt_tolerance, &settings.txt_url};
    return fields[line];
}

}  // namespace

Form1::Form1(LanguageTable& lang, ProgramPaths paths, Dialogs& dialogs, KeyStateFilter* keys,
             QWidget* parent)
    : QMainWindow(parent),
      lang_(lang),
      paths_(std::move(paths)),
      dialogs_(dialogs),
      controller_(std::make_unique<ReductionController>(*this, lang_, paths_)),
      keys_(keys)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(lang_.text(QStringLiteral("box.title")));
    setWindowIcon(programIcon());
    download_ = std::make_unique<DownloadProgress>(this, lang_);

    controller_->setRefinementEnabled(loadOptions(paths_.dataFolder).refineSolution);
    buildLayout();
    buildMenus();
    connectCommands();
    // Room for the view on a 1280 x 800 screen from the start, so that the
    // calibration frame replacing the debug frame never resizes the window.
    resize(kInitialWindowSize.expandedTo(minimumSizeHint()));

    if (!keys_) {
        keys_ = new KeyStateFilter(this);
        qApp->installEventFilter(keys_);
    }
    panTimer_ = new QTimer(this);
    panTimer_->setObjectName(QStringLiteral("Timer1"));
    panTimer_->setInterval(kPanIntervalMs);
    connect(panTimer_, &QTimer::timeout, this, &Form1::panTick);
    panTimer_->start();

    // Load step: the user's usual parameters, then the last run's values,
    // before the language texts.
    loadDefaults();
    restoreLastRun();
}

Form1::~Form1()
{
    // The controls go first: the image view paints the controller's marker
    // tables and the controls' signals lead to the controller.
    panTimer_->stop();
    delete centralWidget();
}

void Form1::setRefinement(bool on)
{
    controller_->setRefinementEnabled(on);
    ProgramOptions options = loadOptions(paths_.dataFolder);
    options.refineSolution = on;
    const Status saved = saveOptions(paths_.dataFolder, options, lang_);
    if (!saved)
        dialogs_.message(this, saved.error(), QString(), true);
}

void Form1::connectCommands()
{
    const auto button = [this](const char* name) {
        return findChild<QPushButton*>(QString::fromLatin1(name));
    };
    ReductionController* c = controller_.get();
    connect(button("DownloadData"), &QPushButton::clicked, this, [c] { c->DownloadData(); });
    connect(button("SelectStar"), &QPushButton::clicked, this, [c] { c->SelectStar(); });
    connect(button("startCalcul"), &QPushButton::clicked, this, [c] { c->startCalcul(); });
    connect(button("FullMap"), &QPushButton::clicked, this, [c] { c->FullMap(); });
    connect(button("AutoCalcul"), &QPushButton::clicked, this, [c] { c->AutoCalcul(); });
    connect(button("Loadimg"), &QPushButton::clicked, this, [c] { loadImageOfferingHints(*c); });
    connect(button("chooseImage"), &QPushButton::clicked, this, [this] { chooseImage(); });
    connect(button("LoadCorr"), &QPushButton::clicked, this, [this] { chooseConfig(); });
    connect(button("BoutonEtalo"), &QPushButton::clicked, this, [c] { c->BoutonEtalo(); });

    connect(picture1_, &ImageView::pointerMoved, this,
            [c](double x, double y) { c->pointerMove(x, y); });
    connect(picture1_, &ImageView::clicked, this, [c] { c->click(); });
    connect(picture1_, &ImageView::doubleClicked, this, [c] { c->doubleClick(); });
    connect(picture1_, &ImageView::rightClicked, this, [c] { c->removeLastMark(); });
    // Backspace takes back the last mark; a text box with the focus keeps
    // its own Backspace (it claims the key before any shortcut).
    auto* takeBack = new QShortcut(QKeySequence(Qt::Key_Backspace), this);
    connect(takeBack, &QShortcut::activated, this, [c] { c->removeLastMark(); });

    // The Décideur is ticked or clear for the user; a grey state comes only
    // from an older defaut.cfg or project, and a click leaves it for good.
    auto* decider = findChild<QCheckBox*>(QStringLiteral("CheckDecideur"));
    connect(decider, &QCheckBox::clicked, this, [decider] {
        if (decider->checkState() == Qt::PartiallyChecked) decider->setCheckState(Qt::Checked);
        decider->setTristate(false);
    });
    connect(zoom_, &Magnifier::pointerMoved, this, [c](double x, double y) { c->zoomMove(x, y); });
    connect(zoom_, &Magnifier::clicked, this, [c] { c->zoomClick(); });

    // The decimal-comma repair of the fields that take a "." separator.
    for (const char* name : {"txt_corrasd", "txt_corrdec", "txt_epoch"}) {
        QLineEdit* field = findChild<QLineEdit*>(QString::fromLatin1(name));
        connect(field, &QLineEdit::textChanged, this, [this, field] { repairComma(field); });
    }
    for (int box = 0; box < 8; ++box) {
        QLineEdit* field = findChild<QLineEdit*>(QStringLiteral("Etalo_") + QString::number(box));
        connect(field, &QLineEdit::textChanged, this, [this, field, c, box] {
            repairComma(field);
            c->etaloTextChanged(box);
        });
    }

    // Sign buttons: 0 and 1 set the field centre's sign, 2 and 3 the
    // calibration star's.
    for (int element = 0; element < 4; ++element) {
        auto* sign = findChild<QRadioButton*>(QStringLiteral("txt_dec_sign_") + QString::number(element));
        const QString label = QStringLiteral("txt_dec_sign_show_") + QString::number(element / 2);
        const QString caption = element % 2 == 0 ? QStringLiteral("-") : QStringLiteral("+");
        connect(sign, &QRadioButton::clicked, this,
                [this, label, caption] { setControlCaption(*this, label, caption); });
    }
}

void Form1::repairComma(QLineEdit* field)
{
    // The comma is replaced through the field's selection, which changes the
    // text again and so repairs the next comma, leaving the caret after the
    // last point.
    const EditedText repaired = CommaToPoint(field->text(), field->cursorPosition());
    if (!repaired.changed)
        return;
    field->setSelection(repaired.caret - 1, 1);
    field->insert(QStringLiteral("."));
}

void Form1::loadDefaults()
{
    DefaultSettings base;
    for (int line = 0; line < 8; ++line)
        *defaultsSlot(base, line) = text(QString::fromLatin1(kDefaultFields[line]));
    base.CheckDecideur = checkState(QStringLiteral("CheckDecideur"));

    DefaultsReading reading = ce::loadDefaults(paths_.programFolder, base, lang_);
    // Each value goes in at once, so the fields' own reactions run.
    for (int line = 0; line < 8 && line < reading.valuesRead; ++line)
        setText(QString::fromLatin1(kDefaultFields[line]), *defaultsSlot(reading.settings, line));
    if (reading.valuesRead >= kDefaultsLineCount)
        setCheckState(QStringLiteral("CheckDecideur"), reading.settings.CheckDecideur);
}

void Form1::SaveDefaut()
{
    DefaultSettings settings;
    for (int line = 0; line < 8; ++line)
        *defaultsSlot(settings, line) = text(QString::fromLatin1(kDefaultFields[line]));
    settings.CheckDecideur = checkState(QStringLiteral("CheckDecideur"));
    const Status saved = saveDefaults(paths_.programFolder, settings, lang_);
    if (!saved)
        dialogs_.message(this, saved.error(), QString(), true);
}

void Form1::panTick()
{
    // Polled on every tick: arrow presses made while this window is not
    // active are spent here instead of moving the image later.
    const PanRequest request = keys_->poll(panDirection_);
    const bool active = QApplication::activeWindow() == this;
    const bool leftButton = QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    if (!active && !leftButton)
        return;
    // The image on screen at the current zoom moves inside the view.
    const QPoint at = picture1_->offset().toPoint();
    const QPoint moved = panStep(at, picture1_->scaledSize(), picture1_->size(), request);
    if (moved != at)
        picture1_->setOffset(moved);
}

void Form1::showHelp()
{
    if (helpWindow_) {
        helpWindow_->raise();
        helpWindow_->activateWindow();
        return;
    }
    helpWindow_ = new frmTip(paths_.programFile(lang_.text(QStringLiteral("help.file"))), lang_, dialogs_, this);
    helpWindow_->show();
}

void Form1::showAbout()
{
    frmSplash about(paths_.dataFile(QStringLiteral("test.bmp")), lang_, this);
    about.exec();
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    saveLastRun();
    emit programEnd();
}

// The secondary windows, each modal over this one. The assistant, once
// finished, hands over to the controller (download, then star selection).
void Form1::openWizard() { openWizardWindow(this, *controller_, dialogs_); }
void Form1::openProject() { openProjectDialog(this, *controller_, dialogs_); }
void Form1::saveProject() { saveProjectDialog(this, *controller_, dialogs_); }
void Form1::openConfig() { openConfigurationList(this, *controller_, dialogs_); }
void Form1::chooseConfig() { chooseConfiguration(this, *controller_, dialogs_); }
void Form1::openConfig2() { openClassicalCalibration(this, *controller_, dialogs_); }

}  // namespace ce

namespace ce {

void Form1::chooseImage()
{
    const QString chosen = chooseImageFile(this, dialogs_, lang_, paths_, text(QStringLiteral("txt_url")));
    if (chosen.isEmpty())
        return;
    setText(QStringLiteral("txt_url"), QDir::toNativeSeparators(chosen));
    loadImageOfferingHints(*controller_);
}

}  // namespace ce
