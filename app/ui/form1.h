#pragma once
// Form1: the main window. It builds the parameter frames, the image view
// and the menu bar, forwards every command and pointer event to the
// reduction controller, and shows what the controller asks through
// ReductionView. Its load step (the constructor) reads defaut.cfg into the
// fields; the language texts are put on it afterwards with ApplyLang "Form".

#include "app/flow/reduction_controller.h"
#include "app/flow/reduction_view.h"
#include "app/ui/help_window.h"
#include "app/language_choice.h"
#include "app/language_table.h"
#include "core/program_paths.h"

#include <QMainWindow>
#include <QPointer>
#include <QProgressDialog>

#include <cstdint>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class QWidget;

namespace ce {

class Dialogs;
class DownloadProgress;
class ImageView;
class KeyStateFilter;
class Magnifier;
class ZoomBar;

class Form1 final : public QMainWindow, public ReductionView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // The window keeps references to the language table and the dialogs; both
    // outlive it. `keys` records the arrow keys for the pan timer; when null
    // the window installs its own recorder on the application.
    Form1(LanguageTable& lang, ProgramPaths paths, Dialogs& dialogs,
          KeyStateFilter* keys = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    ReductionController& controller() { return *controller_; }
    const ProgramPaths& paths() const { return paths_; }
    LanguageTable& lang() { return lang_; }
    Dialogs& dialogs() { return dialogs_; }
    // The language file the texts were read from ("lang.cfg" until told):
    // Options > Langue marks it.
    void setLanguageInUse(const QString& fileName);
    ImageView& picture() { return *picture1_; }
    Magnifier& magnifier() { return *zoom_; }
    QWidget& viewport() { return *picOrange_; }

    // Pan direction: 0 none, else the PicMove element held down (1 left,
    // 2 down, 3 right, 4 up).
    std::int16_t panDirection() const { return panDirection_; }
    // One tick of the 50 ms pan timer.
    void panTick();

    // Menu commands that belong to this window.
    void SaveDefaut();
    void showHelp();
    void showAbout();
    frmTip* helpWindow() const { return helpWindow_; }

    // ReductionView.
    QString text(const QString& control) const override;
    void setText(const QString& control, const QString& text) override;
    int checkState(const QString& control) const override;
    void setCheckState(const QString& control, int state) override;
    void setVisible(const QString& control, bool visible) override;
    bool isVisible(const QString& control) const override;
    void setFocus(const QString& control) override;
    Status loadImage(const QString& absolutePath) override;
    QList<HeaderCard> imageHeader() const override;
    const LinearPlane* linearImage() const override;
    int imageWidth() const override;
    int imageHeight() const override;
    std::int32_t pixel(int x, int y) const override;
    void resetPan() override;
    void showImageRegion(double left, double top, double right, double bottom) override;
    void markersChanged() override;
    void redrawZoom() override;
    void addStatus(const QString& line) override;
    QString suggestion() const override;
    void setSuggestion(const QString& text) override;
    void setInfo(const QString& text) override;
    void setDebugText(const QString& text) override;
    void showMessage(const QString& text, const QString& title = QString(),
                     bool warning = false) override;
    bool askYesNo(const QString& question, const QString& title) override;
    bool askYesNoAboutImage(const QString& question, const QString& title) override;
    void showDetails(const QString& title, const QString& report) override;
    DownloadMonitor& downloadMonitor() override;
    bool searchProgress(const QString& text, int done, int total) override;
    void searchFinished() override;

    // QWidget's own setVisible stays reachable beside the view's.
    using QMainWindow::setVisible;
    using QMainWindow::isVisible;
    using QMainWindow::setFocus;

signals:
    // The window was closed or "Quit" chosen: the program ends at once.
    void programEnd();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The box of a long search ("5-Auto"), while one runs.
    QPointer<QProgressDialog> searchBox_;

    // Layout (form1_layout.cpp).
    void buildLayout();
    QWidget* buildCommandFrame();
    QWidget* buildCatalogueFrame();
    QWidget* buildCcdFrame();
    QWidget* buildDeciderFrame();
    QWidget* buildSuggestionFrame();
    QWidget* buildDebugFrame();
    QWidget* buildCalibrationFrame();
    QWidget* buildImageArea();
    // Menu bar (form1_menus.cpp).
    void buildMenus();
    // Wiring of commands and field reactions (form1.cpp).
    void connectCommands();
    void repairComma(QLineEdit* field);
    void loadDefaults();
    // The last run (form1_last_run.cpp).
    void restoreLastRun();
    void saveLastRun();
    QAction* addRestoreLastRunEntry(QMenu* menu);

    // The secondary windows opened from the menus and the "Load" button of
    // the Corr fields.
    void openWizard();
    void openProject();
    void saveProject();
    void openConfig();
    void chooseConfig();
    void openConfig2();
    // Options > refine the solution: applied and remembered in options.ini.
    void setRefinement(bool on);
    // Options > Langue: the language files beside the program.
    void fillLanguageMenu();
    void chooseLanguage(const QString& fileName, const QString& name);
    // "…" beside Img: chooses the image file in a dialog, then loads it.
    void chooseImage();

    LanguageTable& lang_;
    ProgramPaths paths_;
    QString languageInUse_ = QString::fromLatin1(kDefaultLanguageFile);
    QMenu* languageMenu_ = nullptr;
    Dialogs& dialogs_;
    std::unique_ptr<ReductionController> controller_;

    QWidget* picOrange_ = nullptr;
    ImageView* picture1_ = nullptr;
    Magnifier* zoom_ = nullptr;
    ZoomBar* zoomBar_ = nullptr;
    QListWidget* status_ = nullptr;
    QLabel* info_ = nullptr;
    QPlainTextEdit* texte_ = nullptr;
    QLabel* sugestion_ = nullptr;
    QTimer* panTimer_ = nullptr;
    KeyStateFilter* keys_ = nullptr;
    std::unique_ptr<DownloadProgress> download_;
    QPointer<frmTip> helpWindow_;
    std::int16_t panDirection_ = 0;
};

}  // namespace ce
