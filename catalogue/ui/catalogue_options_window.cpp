#include "catalogue/ui/catalogue_options_window.h"

#include "app/ui/dialogs.h"
#include "catalogue/cache/catalogue_cache.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ce {

namespace {

constexpr CatalogueSourceKind kSources[] = {CatalogueSourceKind::Service, CatalogueSourceKind::VizierUsnoA2,
                                            CatalogueSourceKind::VizierGaiaDr3};

}  // namespace

CatalogueOptionsWindow::CatalogueOptionsWindow(ProgramPaths paths, const LanguageTable& lang, Dialogs& dialogs,
                                               QWidget* parent)
    : QDialog(parent), paths_(std::move(paths)), lang_(lang), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("CatalogueOptions"));
    setWindowTitle(lang_.text(QStringLiteral("catalogue.title")));
    const CatalogueOptions current = loadCatalogueOptions(paths_.dataFolder);

    auto* layout = new QVBoxLayout(this);
    source_ = new QButtonGroup(this);
    const char* captions[] = {"catalogue.service", "catalogue.usno", "catalogue.gaia"};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(lang_.text(QString::fromLatin1(captions[i])), this);
        option->setObjectName(QStringLiteral("opt_source_%1").arg(i));
        option->setChecked(current.source == kSources[i]);
        source_->addButton(option, i);
        layout->addWidget(option);
    }

    auto* form = new QFormLayout;
    mirror_ = new QComboBox(this);
    mirror_->setObjectName(QStringLiteral("cbo_mirror"));
    mirror_->setEditable(true);  // any address may be typed
    mirror_->addItems(vizierMirrors());
    mirror_->setCurrentText(current.vizierAddress);
    mirror_->setMinimumContentsLength(32);
    form->addRow(lang_.text(QStringLiteral("catalogue.mirror")), mirror_);
    cacheDays_ = new QSpinBox(this);
    cacheDays_->setObjectName(QStringLiteral("txt_cachedays"));
    cacheDays_->setRange(0, 3650);
    cacheDays_->setValue(current.cacheMaxAgeDays);
    form->addRow(lang_.text(QStringLiteral("catalogue.cachedays")), cacheDays_);
    layout->addLayout(form);

    auto* clear = new QPushButton(lang_.text(QStringLiteral("catalogue.clearcache")), this);
    clear->setObjectName(QStringLiteral("cmd_clearcache"));
    connect(clear, &QPushButton::clicked, this, &CatalogueOptionsWindow::clearCache);
    layout->addWidget(clear, 0, Qt::AlignLeft);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Qt's own captions are English without its translations.
    buttons->button(QDialogButtonBox::Ok)->setText(lang_.text(QStringLiteral("box.ok")));
    buttons->button(QDialogButtonBox::Cancel)->setText(lang_.text(QStringLiteral("box.cancel")));
    connect(buttons, &QDialogButtonBox::accepted, this, &CatalogueOptionsWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CatalogueOptionsWindow::reject);
    layout->addWidget(buttons);
}

CatalogueOptions CatalogueOptionsWindow::options() const
{
    CatalogueOptions o;
    const int chosen = source_->checkedId();
    o.source = chosen >= 0 && chosen < 3 ? kSources[chosen] : CatalogueSourceKind::Service;
    o.vizierAddress = mirror_->currentText().trimmed();
    o.cacheMaxAgeDays = cacheDays_->value();
    return o;
}

void CatalogueOptionsWindow::accept()
{
    const Status saved = saveCatalogueOptions(paths_.dataFolder, options(), lang_);
    if (!saved) {
        dialogs_.message(this, saved.error(), QString(), true);
        return;
    }
    QDialog::accept();
}

void CatalogueOptionsWindow::clearCache()
{
    const Result<int> cleared = CatalogueCache(paths_.dataFile(QStringLiteral("cache"))).clear(lang_);
    if (!cleared) {
        dialogs_.message(this, cleared.error(), QString(), true);
        return;
    }
    dialogs_.message(this, lang_.text(QStringLiteral("catalogue.cachecleared")).arg(*cleared), QString(), false);
}

void openCatalogueOptions(QWidget* parent, const ProgramPaths& paths, const LanguageTable& lang, Dialogs& dialogs)
{
    CatalogueOptionsWindow window(paths, lang, dialogs, parent);
    window.exec();
}

}  // namespace ce
