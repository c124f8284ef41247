// Form1: the menu bar. Every entry is named after the layout so that the
// language texts find it; the "&?" menu keeps its caption.

#include "app/ui/form1.h"
#include "catalogue/ui/catalogue_options_window.h"

#include "app/builtin_texts.h"
#include "export/ui/export_dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

namespace ce {

namespace {

template <typename Parent>
QMenu* addMenu(Parent* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("_entry"));
    return menu;
}

template <typename Slot>
QAction* addEntry(QMenu* menu, const char* name, const QString& caption, Form1* window, Slot slot)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, window, slot);
    return action;
}

void addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

}  // namespace

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = addMenu(bar, "mnu_fichier", lang_.form[2]);
    addEntry(file, "mnu_wizard", lang_.form[3], this, [this] { openWizard(); });
    addEntry(file, "mnu_open", lang_.form[4], this, [this] { openProject(); });
    addEntry(file, "mnu_save", lang_.form[5], this,
             [this] { saveProject(); });
    addSeparator(file, "mnu_space1");
    addEntry(file, "mnu_export_wcs", lang_.text(QStringLiteral("export.menu.wcs")), this,
             [this] { exportWcsDialog(this, *controller_, dialogs_); });
    addEntry(file, "mnu_export_csv", lang_.text(QStringLiteral("export.menu.csv")), this,
             [this] { exportStarsDialog(this, *controller_, dialogs_); });
    addSeparator(file, "mnu_space_export");
    addEntry(file, "mnu_savedefaut", lang_.form[6], this, [this] { SaveDefaut(); });
    addRestoreLastRunEntry(file);
    addSeparator(file, "space4");
    addEntry(file, "mnu_quit", lang_.form[7], this, [this] { close(); });

    QMenu* options = addMenu(bar, "mnu_option", lang_.form[8]);
    addEntry(options, "mnu_config", lang_.form[9], this, [this] { openConfig(); });
    addEntry(options, "mnu_catalogue", lang_.text(QStringLiteral("catalogue.menu")), this,
             [this] { openCatalogueOptions(this, paths_, lang_, dialogs_); });
    addSeparator(options, "mnu_space2");
    addEntry(options, "mnu_etalonage2", lang_.form[11], this,
             [this] { openConfig2(); });
    addEntry(options, "mnu_etalonage", lang_.form[10], this,
             [this] { controller_->startEtalonage(); });
    addEntry(options, "mnu_superetalonage", lang_.form[12], this,
             [this] { controller_->startSuperEtalonage(); });
    addSeparator(options, "mnu_space3");
    QAction* refine = addEntry(options, "mnu_refine", lang_.message(msg::kRefineOption), this,
                               [this](bool on) { setRefinement(on); });
    refine->setCheckable(true);
    refine->setChecked(controller_->refinementEnabled());
    languageMenu_ = addMenu(options, "mnu_language", lang_.text(QStringLiteral("ui.menu.language")));
    fillLanguageMenu();

    QMenu* help = addMenu(bar, "mnu_aide", QStringLiteral("&?"));
    addEntry(help, "mnu_help", lang_.form[13], this, [this] { showHelp(); });
    addEntry(help, "mnu_about", lang_.form[14], this, [this] { showAbout(); });

    // The journal's context menu: "Copier tout" puts every line, as shown
    // (newest first), on the clipboard.
    auto* copyAll = new QAction(lang_.text(QStringLiteral("export.copyall")), status_);
    copyAll->setObjectName(QStringLiteral("mnu_copyall"));
    connect(copyAll, &QAction::triggered, this, [this] {
        QStringList lines;
        for (int row = 0; row < status_->count(); ++row)
            lines << status_->item(row)->text();
        QGuiApplication::clipboard()->setText(lines.join(u'\n'));
    });
    status_->addAction(copyAll);
    status_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace ce
