#include "project/ui/wizard.h"

#include "app/flow/reduction_controller.h"
#include "app/ui/apply_lang.h"
#include "app/ui/control_text.h"
#include "app/ui/dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace ce {

namespace {

// The text fields shared with the main window, in the order they are
// copied; the names are the same in both windows.
const std::array<QString, 14> kSharedFields = {
    QStringLiteral("txt_calcul"),  QStringLiteral("txt_corrasd"),   QStringLiteral("txt_corrdec"),
    QStringLiteral("txt_dec_0"),   QStringLiteral("txt_dec_1"),     QStringLiteral("txt_dec_2"),
    QStringLiteral("txt_distance"), QStringLiteral("txt_epoch"),    QStringLiteral("txt_mag"),
    QStringLiteral("txt_ra_0"),    QStringLiteral("txt_ra_1"),      QStringLiteral("txt_ra_2"),
    QStringLiteral("txt_tolerance"), QStringLiteral("txt_url"),
};
const QString kMainSignLabel = QStringLiteral("txt_dec_sign_show_0");
const QString kMinus = QStringLiteral("txt_dec_sign_0");
const QString kPlus = QStringLiteral("txt_dec_sign_1");

QLabel* lbl(int index, const QString& caption, QWidget* parent)
{
    return named(new QLabel(caption, parent), QStringLiteral("lbl_") + QString::number(index));
}

QLineEdit* field(const QString& name, QWidget* parent)
{
    return named(new QLineEdit(parent), name);
}

QLabel* unit(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

}  // namespace

// Page 1: the image and its field.
QGroupBox* Wizard::buildPage1()
{
    frame1_ = named(new QGroupBox(controller_.lang().text(QStringLiteral("wizard.frame.catalogue")), this), QStringLiteral("Frame1"));
    auto* g1 = new QGridLayout(frame1_);
    g1->addWidget(lbl(0, controller_.lang().wizard[2], frame1_), 0, 0, 1, 8);
    g1->addWidget(lbl(5, controller_.lang().wizard[7], frame1_), 1, 0);
    g1->addWidget(field(QStringLiteral("txt_url"), frame1_), 1, 1, 1, 7);
    g1->addWidget(lbl(1, controller_.lang().wizard[3], frame1_), 2, 0);
    const std::array<QString, 3> raUnits = {controller_.lang().text(QStringLiteral("ui.unit.hours")), QStringLiteral("'"), QStringLiteral("\"")};
    for (int k = 0; k < 3; ++k) {
        g1->addWidget(field(QStringLiteral("txt_ra_") + QString::number(k), frame1_), 2, 2 + 2 * k);
        g1->addWidget(unit(raUnits[std::size_t(k)], frame1_), 2, 3 + 2 * k);
    }
    g1->addWidget(lbl(2, controller_.lang().wizard[4], frame1_), 3, 0);
    signLabel_ = named(new QLabel(QStringLiteral("+"), frame1_), QStringLiteral("txt_dec_sign_show"));
    g1->addWidget(signLabel_, 3, 1);
    const std::array<QString, 3> decUnits = {QStringLiteral("°"), QStringLiteral("'"), QStringLiteral("\"")};
    for (int k = 0; k < 3; ++k) {
        g1->addWidget(field(QStringLiteral("txt_dec_") + QString::number(k), frame1_), 3, 2 + 2 * k);
        g1->addWidget(unit(decUnits[std::size_t(k)], frame1_), 3, 3 + 2 * k);
    }
    // The two buttons are kept apart by hand so that both states copy exactly.
    minus_ = named(new QRadioButton(QStringLiteral("-"), frame1_), kMinus);
    plus_ = named(new QRadioButton(QStringLiteral("+"), frame1_), kPlus);
    minus_->setAutoExclusive(false);
    plus_->setAutoExclusive(false);
    g1->addWidget(minus_, 4, 2);
    g1->addWidget(plus_, 4, 3);
    g1->addWidget(lbl(3, controller_.lang().wizard[5], frame1_), 5, 0);
    g1->addWidget(field(QStringLiteral("txt_epoch"), frame1_), 5, 1, 1, 3);
    g1->addWidget(lbl(4, controller_.lang().wizard[6], frame1_), 6, 0);
    g1->addWidget(field(QStringLiteral("txt_mag"), frame1_), 6, 1, 1, 3);
    step1_ = named(new QPushButton(controller_.lang().wizard[18], frame1_), QStringLiteral("step1"));
    g1->addWidget(step1_, 7, 6, 1, 2);
    return frame1_;
}

// Page 2: the optical configuration.
QGroupBox* Wizard::buildPage2()
{
    frame2_ = named(new QGroupBox(QStringLiteral("CCD"), this), QStringLiteral("Frame2"));
    auto* g2 = new QGridLayout(frame2_);
    g2->addWidget(lbl(11, controller_.lang().wizard[13], frame2_), 0, 0, 1, 3);
    g2->addWidget(lbl(10, controller_.lang().wizard[12], frame2_), 1, 0);
    combo_ = named(new QComboBox(frame2_), QStringLiteral("Combo"));
    g2->addWidget(combo_, 1, 1, 1, 2);
    g2->addWidget(lbl(14, controller_.lang().wizard[16], frame2_), 2, 0);
    g2->addWidget(field(QStringLiteral("txt_corrasd"), frame2_), 2, 1);
    g2->addWidget(lbl(12, controller_.lang().wizard[14], frame2_), 2, 2);
    g2->addWidget(lbl(15, controller_.lang().wizard[17], frame2_), 3, 0);
    g2->addWidget(field(QStringLiteral("txt_corrdec"), frame2_), 3, 1);
    g2->addWidget(lbl(13, controller_.lang().wizard[15], frame2_), 3, 2);
    step2_ = named(new QPushButton(controller_.lang().wizard[18], frame2_), QStringLiteral("step2"));
    g2->addWidget(step2_, 4, 2);
    return frame2_;
}

// Page 3: the calculation parameters.
QGroupBox* Wizard::buildPage3()
{
    frame3_ = named(new QGroupBox(this), QStringLiteral("Frame3"));
    auto* g3 = new QGridLayout(frame3_);
    g3->addWidget(lbl(6, controller_.lang().wizard[8], frame3_), 0, 0, 1, 3);
    g3->addWidget(lbl(9, controller_.lang().wizard[11], frame3_), 1, 0);
    QLineEdit* tolerance = field(QStringLiteral("txt_tolerance"), frame3_);
    tolerance->setToolTip(controller_.lang().text(QStringLiteral("wizard.tip.tolerance")));
    g3->addWidget(tolerance, 1, 1);
    g3->addWidget(unit(controller_.lang().text(QStringLiteral("ui.unit.pixels")), frame3_), 1, 2);
    g3->addWidget(lbl(7, controller_.lang().wizard[9], frame3_), 2, 0);
    g3->addWidget(field(QStringLiteral("txt_distance"), frame3_), 2, 1);
    g3->addWidget(unit(controller_.lang().text(QStringLiteral("ui.unit.arcmin")), frame3_), 2, 2);
    g3->addWidget(lbl(8, controller_.lang().wizard[10], frame3_), 3, 0);
    QLineEdit* threshold = field(QStringLiteral("txt_calcul"), frame3_);
    threshold->setToolTip(
        controller_.lang().text(QStringLiteral("ui.tip.threshold")));
    g3->addWidget(threshold, 3, 1);
    // How the stars are found once the catalogue is there.
    const LanguageTable& lang = controller_.lang();
    markFive_ = named(new QRadioButton(lang.text(QStringLiteral("auto.wizard.mark")), frame3_),
                      QStringLiteral("choix_0"));
    automatic_ = named(new QRadioButton(lang.text(QStringLiteral("auto.wizard.find")), frame3_),
                       QStringLiteral("choix_1"));
    automatic_->setToolTip(lang.text(QStringLiteral("auto.wizard.tip")));
    markFive_->setChecked(true);
    g3->addWidget(markFive_, 4, 0, 1, 3);
    g3->addWidget(automatic_, 5, 0, 1, 3);
    step3_ = named(new QPushButton(lang.wizard[19], frame3_), QStringLiteral("step3"));
    g3->addWidget(step3_, 6, 2);
    return frame3_;
}

Wizard::Wizard(ReductionController& controller, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(controller), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Wizard"));
    setWindowTitle(controller_.lang().wizard[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildPage1());
    layout->addWidget(buildPage2());
    layout->addWidget(buildPage3());

    connect(minus_, &QRadioButton::clicked, this, [this] { setSign(true); });
    connect(plus_, &QRadioButton::clicked, this, [this] { setSign(false); });
    connect(combo_, &QComboBox::activated, this, &Wizard::chooseConfiguration);
    connect(step1_, &QPushButton::clicked, this, &Wizard::nextPage);
    connect(step2_, &QPushButton::clicked, this, &Wizard::nextPage);
    connect(step3_, &QPushButton::clicked, this, &Wizard::Terminer);

    // Load.
    applyCaptions(*this, controller_.lang(), QStringLiteral("Wizard"));
    controller_.state().WizardStatus = wizardStates::none;
    copyFromMainWindow();
    findChild<QLineEdit*>(QStringLiteral("txt_epoch"))->setText(QStringLiteral("2000.0"));

    const ConfigReading reading = loadConfigFile(controller_.paths().programFolder, controller_.lang());
    configurations_ = reading.records;
    for (const OpticalConfiguration& configuration : configurations_)
        combo_->addItem(configuration.name);
    combo_->setCurrentIndex(-1);

    frame2_->hide();
    frame3_->hide();
    step1_->setDefault(true);
    if (!reading.ok())
        dialogs_.message(this, reading.error, QString(), false);
}

void Wizard::copyFromMainWindow()
{
    const ReductionView& main = controller_.view();
    for (const QString& name : kSharedFields)
        findChild<QLineEdit*>(name)->setText(main.text(name));
    minus_->setChecked(main.checkState(kMinus) != 0);
    plus_->setChecked(main.checkState(kPlus) != 0);
    signLabel_->setText(main.text(kMainSignLabel));
}

void Wizard::copyToMainWindow()
{
    ReductionView& main = controller_.view();
    for (const QString& name : kSharedFields)
        main.setText(name, findChild<QLineEdit*>(name)->text());
    main.setCheckState(kMinus, minus_->isChecked() ? 1 : 0);
    main.setCheckState(kPlus, plus_->isChecked() ? 1 : 0);
    main.setText(kMainSignLabel, signLabel_->text());
}

void Wizard::setSign(bool negative)
{
    minus_->setChecked(negative);
    plus_->setChecked(!negative);
    signLabel_->setText(negative ? QStringLiteral("-") : QStringLiteral("+"));
}

void Wizard::chooseConfiguration(int index)
{
    if (index < 0 || std::size_t(index) >= configurations_.size())
        return;
    const OpticalConfiguration& chosen = configurations_[std::size_t(index)];
    findChild<QLineEdit*>(QStringLiteral("txt_corrasd"))->setText(chosen.corrAsd);
    findChild<QLineEdit*>(QStringLiteral("txt_corrdec"))->setText(chosen.corrDec);
}

void Wizard::nextPage()
{
    // There is no way back to an earlier page.
    if (page_ == 1) {
        frame1_->hide();
        frame2_->show();
        step1_->setDefault(false);
        step2_->setDefault(true);
        page_ = 2;
    } else if (page_ == 2) {
        frame2_->hide();
        frame3_->show();
        step2_->setDefault(false);
        step3_->setDefault(true);
        page_ = 3;
    }
}

void Wizard::Terminer()
{
    controller_.state().WizardStatus =
        automatic_->isChecked() ? wizardStates::automatic : wizardStates::markFive;
    copyToMainWindow();
    accept();
}

void openWizardWindow(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    {
        Wizard window(controller, dialogs, parent);
        window.exec();
    }
    if (controller.state().WizardStatus != wizardStates::none)
        controller.wizardFinished();
}

}  // namespace ce
