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

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
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

    QMenu* file = addMenu(bar, "mnu_fichier", QStringLiteral("Fichier"));
    addEntry(file, "mnu_wizard", QStringLiteral("Assistant"), this, [this] { openWizard(); });
    addEntry(file, "mnu_open", QStringLiteral("Ouvrir Projet"), this, [this] { openProject(); });
    addEntry(file, "mnu_save", QStringLiteral("Enregistrer Projet"), this,
             [this] { saveProject(); });
    addSeparator(file, "mnu_space1");
    addEntry(file, "mnu_export_wcs", lang_.text(QStringLiteral("export.menu.wcs")), this,
             [this] { exportWcsDialog(this, *controller_, dialogs_); });
    addEntry(file, "mnu_export_csv", lang_.text(QStringLiteral("export.menu.csv")), this,
             [this] { exportStarsDialog(this, *controller_, dialogs_); });
    addSeparator(file, "mnu_space_export");
    addEntry(file, "mnu_savedefaut", QStringLiteral("Save defaut"), this, [this] { SaveDefaut(); });
    addRestoreLastRunEntry(file);
    addSeparator(file, "space4");
    addEntry(file, "mnu_quit", QStringLiteral("Qutiter"), this, [this] { close(); });

    QMenu* options = addMenu(bar, "mnu_option", QStringLiteral("Option"));
    addEntry(options, "mnu_config", QStringLiteral("Correcteurs"), this, [this] { openConfig(); });
    addEntry(options, "mnu_catalogue", lang_.text(QStringLiteral("catalogue.menu")), this,
             [this] { openCatalogueOptions(this, paths_, lang_, dialogs_); });
    addSeparator(options, "mnu_space2");
    addEntry(options, "mnu_etalonage2", QStringLiteral("Etalonage classique"), this,
             [this] { openConfig2(); });
    addEntry(options, "mnu_etalonage", QStringLiteral("Etalonage par image"), this,
             [this] { controller_->startEtalonage(); });
    addEntry(options, "mnu_superetalonage", QStringLiteral("Super Etalonage"), this,
             [this] { controller_->startSuperEtalonage(); });
    addSeparator(options, "mnu_space3");
    QAction* refine = addEntry(options, "mnu_refine", builtinMessage(msg::kRefineOption), this,
                               [this](bool on) { setRefinement(on); });
    refine->setCheckable(true);
    refine->setChecked(controller_->refinementEnabled());

    QMenu* help = addMenu(bar, "mnu_aide", QStringLiteral("&?"));
    addEntry(help, "mnu_help", QStringLiteral("Aide"), this, [this] { showHelp(); });
    addEntry(help, "mnu_about", QStringLiteral("A propos"), this, [this] { showAbout(); });

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
