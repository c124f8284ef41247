#include "calibration/ui/config_window.h"

#include "app/flow/reduction_controller.h"
#include "app/ui/apply_lang.h"
#include "app/ui/control_text.h"
#include "app/ui/dialogs.h"

#include <algorithm>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ce {

namespace {

constexpr std::int16_t kChoosing = 2;

}  // namespace

Config::Config(ReductionController& controller, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(controller), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Config"));
    setWindowTitle(controller_.lang().config[1]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(named(new QLabel(controller_.lang().config[2], this),
                            QStringLiteral("lbl_0")));
    list1_ = named(new QListWidget(this), QStringLiteral("List1"));
    layout->addWidget(list1_);

    auto* fields = new QGridLayout;
    const std::array<QString, 3> captions = {controller_.lang().config[3],
                                             controller_.lang().text(QStringLiteral("calib.corrasd")),
                                             controller_.lang().text(QStringLiteral("calib.corrdec"))};
    const std::array<QString, 3> labelNames = {QStringLiteral("lbl_1"), QStringLiteral("lblAsd"),
                                               QStringLiteral("lblDec")};
    for (int n = 0; n < 3; ++n) {
        const auto i = std::size_t(n);
        txtCoor_[i] = named(new QLineEdit(this), QStringLiteral("txt_coor_") + QString::number(n));
        fields->addWidget(named(new QLabel(captions[i], this), labelNames[i]), n, 0);
        fields->addWidget(txtCoor_[i], n, 1);
        connect(txtCoor_[i], &QLineEdit::textChanged, this, [this, n](const QString& text) {
            table_.editField(selectedRow(), n, text);
        });
    }
    layout->addLayout(fields);

    frame1_ = named(new QFrame(this), QStringLiteral("Frame1"));
    frame1_->setFrameShape(QFrame::StyledPanel);
    auto* editing = new QHBoxLayout(frame1_);
    editing->addWidget(named(new QLabel(controller_.lang().config[4], frame1_),
                             QStringLiteral("lbl_2")));
    cmd2_ = named(new QPushButton(controller_.lang().config[6], frame1_), QStringLiteral("cmd2"));
    cmd4_ = named(new QPushButton(controller_.lang().config[8], frame1_), QStringLiteral("cmd4"));
    cmd1_ = named(new QPushButton(controller_.lang().config[5], frame1_), QStringLiteral("cmd1"));
    editing->addWidget(cmd2_);
    editing->addWidget(cmd4_);
    editing->addWidget(cmd1_);
    layout->addWidget(frame1_);
    cmd3_ = named(new QPushButton(controller_.lang().config[7], this), QStringLiteral("cmd3"));
    layout->addWidget(cmd3_);
    cmd4_->setDefault(true);

    connect(cmd2_, &QPushButton::clicked, this, &Config::Nouveau);
    connect(cmd1_, &QPushButton::clicked, this, &Config::Supprimer);
    connect(cmd4_, &QPushButton::clicked, this, &Config::Enregistrer);
    connect(cmd3_, &QPushButton::clicked, this, &Config::Utiliser);
    // The selection, not the current row, says which record the boxes show:
    // when the list takes the focus Qt makes its first row current without
    // selecting it, and that must not put record 1 under the boxes.
    connect(list1_, &QListWidget::itemSelectionChanged, this, [this] { showRecord(selectedRow()); });

    // Load.
    applyCaptions(*this, controller_.lang(), QStringLiteral("Config"));
    const bool choosing = controller_.state().ConfigStatus == kChoosing;
    frame1_->setVisible(!choosing);
    cmd3_->setVisible(choosing);

    const ConfigReading reading = loadConfigFile(controller_.paths().programFolder, controller_.lang());
    table_ = ConfigTable(reading.records);
    rebuildList();
    if (!reading.ok())
        dialogs_.message(this, reading.error, QString(), false);
    else if (list1_->count() > 0)
        list1_->setCurrentRow(0);
}

void Config::rebuildList()
{
    const QSignalBlocker quiet(list1_);
    list1_->clear();
    list1_->addItems(table_.names());
    list1_->setCurrentRow(-1);
    // Wide enough for the longest name (up to 640 pixels): without the
    // editing buttons the choosing window would otherwise be too narrow to
    // tell names apart.
    const int namesWidth = list1_->sizeHintForColumn(0) + 2 * list1_->frameWidth() +
                           list1_->verticalScrollBar()->sizeHint().width();
    list1_->setMinimumWidth(std::min(namesWidth, 640));
}

int Config::selectedRow() const
{
    const QModelIndexList rows = list1_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Config::showRecord(int row)
{
    if (row < 0)
        return;
    // A copy: each box writes its text back into the record as it changes.
    const OpticalConfiguration record = table_.slot(row + 1);
    txtCoor_[0]->setText(record.name);
    txtCoor_[1]->setText(record.corrAsd);
    txtCoor_[2]->setText(record.corrDec);
    // A long name shows its beginning, not its end.
    for (QLineEdit* box : txtCoor_)
        box->setCursorPosition(0);
}

void Config::Nouveau()
{
    const Status added = table_.addNew(controller_.lang());
    if (!added) {
        dialogs_.message(this, added.error(), QString(), false);
        return;
    }
    // The selection stays where it was; the user clicks the new entry.
    list1_->addItem(table_.names().constLast());
}

void Config::Supprimer()
{
    const int selected = selectedRow();
    if (selected < 0)
        return;
    const int next = table_.remove(selected);
    rebuildList();
    // Refreshes the boxes; with nothing left they keep their texts.
    list1_->setCurrentRow(next);
}

void Config::Enregistrer()
{
    const Status saved = saveConfigFile(controller_.paths().programFolder, table_.records(), controller_.lang());
    if (!saved) {
        dialogs_.message(this, saved.error(), QString(), false);
        return;
    }
    accept();
}

void Config::Utiliser()
{
    ReductionView& main = controller_.view();
    main.setText(QStringLiteral("txt_corrasd"), txtCoor_[1]->text());
    main.setText(QStringLiteral("txt_corrdec"), txtCoor_[2]->text());
    accept();
}

void openConfigurationList(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    Config window(controller, dialogs, parent);
    window.exec();
}

void chooseConfiguration(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    controller.state().ConfigStatus = kChoosing;
    {
        Config window(controller, dialogs, parent);
        window.exec();
    }
    controller.state().ConfigStatus = 0;
}

}  // namespace ce
