// The new-reduction assistant, driven offscreen over a fake main window.

#include "project/ui/wizard.h"

#include "tests/flow/flow_support.h"
#include "tests/ui/ui_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

namespace ce {

namespace {

// The main window's fields that the assistant shows, with values that
// differ from the assistant's own layout texts.
const std::vector<std::pair<QString, QString>> kMainFields = {
    {"txt_calcul", "11"},     {"txt_corrasd", "1500.5"}, {"txt_corrdec", "1600.25"},
    {"txt_dec_0", "41"},      {"txt_dec_1", "16"},       {"txt_dec_2", "9"},
    {"txt_distance", "25"},   {"txt_epoch", "2010.5"},   {"txt_mag", "14.5"},
    {"txt_ra_0", "0"},        {"txt_ra_1", "42"},        {"txt_ra_2", "44.3"},
    {"txt_tolerance", "6"},   {"txt_url", "m31.jpg"},
};

}  // namespace

class WizardTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::FlowRig> rig_;
    testing::ScriptedDialogs dialogs_;

    ReductionState& state() { return rig_->st; }
    static QLineEdit* field(Wizard& w, const QString& name) { return w.findChild<QLineEdit*>(name); }
    static QWidget* control(Wizard& w, const char* name) { return w.findChild<QWidget*>(QString::fromLatin1(name)); }
    static void press(Wizard& w, const char* name)
    {
        auto* button = qobject_cast<QAbstractButton*>(control(w, name));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, 4));
    }
    void writeConfigurations(const QByteArray& bytes = " 2 \r\nSC 203\r\n3931.7\r\n3931.8\r\n"
                                                       "Lunette 80\r\n1113.95\r\n1118.71\r\n")
    {
        QFile f(rig_->folders.paths().programFile(QStringLiteral("config.cfg")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void setMainWindow()
    {
        for (const auto& [name, text] : kMainFields) rig_->view.setText(name, text);
        rig_->view.setText(QStringLiteral("txt_dec_sign_show_0"), QStringLiteral("+"));
        rig_->view.setCheckState(QStringLiteral("txt_dec_sign_0"), 0);
        rig_->view.setCheckState(QStringLiteral("txt_dec_sign_1"), 1);
    }
    // Every field of the main window as it stands, for "nothing changed".
    QStringList mainSnapshot() const
    {
        QStringList all;
        for (const auto& [name, text] : kMainFields) all << rig_->view.text(name);
        all << rig_->view.text(QStringLiteral("txt_dec_sign_show_0"))
            << QString::number(rig_->view.checkState(QStringLiteral("txt_dec_sign_0")))
            << QString::number(rig_->view.checkState(QStringLiteral("txt_dec_sign_1")));
        return all;
    }

private slots:
    void init()
    {
        dialogs_.messages.clear();
        rig_ = std::make_unique<testing::FlowRig>();
        for (int n = 1; n <= 19; ++n) rig_->lang.wizard[std::size_t(n)] = QStringLiteral("W%1").arg(n);
        setMainWindow();
    }

    void loadShowsTheMainWindowAndFinishingCopiesEverythingBack()
    {
        writeConfigurations();
        state().WizardStatus = 1;  // left over: loading clears it
        Wizard w(rig_->controller, dialogs_);
        QCOMPARE(state().WizardStatus, std::int16_t(0));
        for (const auto& [name, text] : kMainFields) {
            if (name == u"txt_epoch") continue;
            QCOMPARE(field(w, name)->text(), text);
        }
        QCOMPARE(field(w, QStringLiteral("txt_epoch"))->text(), QStringLiteral("2000.0"));
        QVERIFY(qobject_cast<QRadioButton*>(control(w, "txt_dec_sign_1"))->isChecked());
        QVERIFY(!qobject_cast<QRadioButton*>(control(w, "txt_dec_sign_0"))->isChecked());

        auto* combo = w.findChild<QComboBox*>(QStringLiteral("Combo"));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), QStringLiteral("Lunette 80"));
        QCOMPARE(combo->currentIndex(), -1);

        // Page 1 first, its "Suivant" the default button; the language texts.
        QCOMPARE(w.page(), 1);
        QVERIFY(!control(w, "Frame1")->isHidden() && control(w, "Frame2")->isHidden()
                && control(w, "Frame3")->isHidden());
        QVERIFY(qobject_cast<QPushButton*>(control(w, "step1"))->isDefault());
        QCOMPARE(w.windowTitle(), QStringLiteral("W1"));
        QCOMPARE(qobject_cast<QLabel*>(control(w, "lbl_15"))->text(), QStringLiteral("W17"));
        QCOMPARE(qobject_cast<QPushButton*>(control(w, "step2"))->text(), QStringLiteral("W18"));
        QCOMPARE(qobject_cast<QPushButton*>(control(w, "step3"))->text(), QStringLiteral("W19"));
        QVERIFY(dialogs_.messages.isEmpty());

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        field(w, QStringLiteral("txt_ra_2"))->setText(QStringLiteral("44.9"));
        press(w, "txt_dec_sign_0");
        QCOMPARE(qobject_cast<QLabel*>(control(w, "txt_dec_sign_show"))->text(), QStringLiteral("-"));
        press(w, "step1");
        QCOMPARE(w.page(), 2);
        QVERIFY(control(w, "Frame1")->isHidden() && !control(w, "Frame2")->isHidden());
        QVERIFY(qobject_cast<QPushButton*>(control(w, "step2"))->isDefault());

        // Choosing the second configuration, then editing one factor by hand.
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(field(w, QStringLiteral("txt_corrasd"))->text(), QStringLiteral("1113.95"));
        QCOMPARE(field(w, QStringLiteral("txt_corrdec"))->text(), QStringLiteral("1118.71"));
        field(w, QStringLiteral("txt_corrdec"))->setText(QStringLiteral("1120"));

        press(w, "step2");
        QCOMPARE(w.page(), 3);
        QVERIFY(!control(w, "Frame3")->isHidden());
        QVERIFY(qobject_cast<QPushButton*>(control(w, "step3"))->isDefault());
        press(w, "step3");

        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(state().WizardStatus, std::int16_t(1));
        for (const auto& [name, text] : kMainFields) {
            QString expected = text;
            if (name == u"txt_epoch") expected = QStringLiteral("2000.0");
            if (name == u"txt_ra_2") expected = QStringLiteral("44.9");
            if (name == u"txt_corrasd") expected = QStringLiteral("1113.95");
            if (name == u"txt_corrdec") expected = QStringLiteral("1120");
            QCOMPARE(rig_->view.text(name), expected);
        }
        QCOMPARE(rig_->view.text(QStringLiteral("txt_dec_sign_show_0")), QStringLiteral("-"));
        QCOMPARE(rig_->view.checkState(QStringLiteral("txt_dec_sign_0")), 1);
        QCOMPARE(rig_->view.checkState(QStringLiteral("txt_dec_sign_1")), 0);
    }

    void closingOnPageTwoChangesNothing()
    {
        const QStringList before = mainSnapshot();
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<Wizard*>(QApplication::activeModalWidget());
            QVERIFY(w);
            field(*w, QStringLiteral("txt_url"))->setText(QStringLiteral("other.jpg"));
            press(*w, "txt_dec_sign_0");
            press(*w, "step1");
            QCOMPARE(w->page(), 2);
            field(*w, QStringLiteral("txt_corrasd"))->setText(QStringLiteral("1"));
            w->close();
        });
        openWizardWindow(nullptr, rig_->controller, dialogs_);
        QCOMPARE(mainSnapshot(), before);
        QCOMPARE(state().WizardStatus, std::int16_t(0));
        QVERIFY(rig_->view.monitor.addresses.isEmpty());  // no download started
        QVERIFY(rig_->view.loadedPaths.isEmpty());        // no selection started
    }

    void finishingFromTheMenuStartsTheReduction()
    {
        // No serveur.cfg in the program folder: the download is refused
        // without touching the network, then the star selection starts.
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<Wizard*>(QApplication::activeModalWidget());
            QVERIFY(w);
            press(*w, "step1");
            press(*w, "step2");
            press(*w, "step3");
        });
        openWizardWindow(nullptr, rig_->controller, dialogs_);
        QVERIFY(rig_->view.monitor.addresses.isEmpty());
        QCOMPARE(rig_->view.loadedPaths, QStringList{rig_->folders.paths().programFile(QStringLiteral("m31.jpg"))});
        QCOMPARE(state().mode, QStringLiteral("select"));
        QCOMPARE(rig_->view.text(QStringLiteral("txt_epoch")), QStringLiteral("2000.0"));
    }

    void unreadableConfigurationsLeaveTheAssistantUsable()
    {
        writeConfigurations(" 3 \r\nSC 203\r\n3931.7\r\n3931.8\r\nLunette 80\r\n");  // record 2 cut short
        Wizard w(rig_->controller, dialogs_);
        QCOMPARE(dialogs_.messages.size(), 1);
        auto* combo = w.findChild<QComboBox*>(QStringLiteral("Combo"));
        QCOMPARE(combo->count(), 1);
        QCOMPARE(field(w, QStringLiteral("txt_corrasd"))->text(), QStringLiteral("1500.5"));
        press(w, "step1");
        press(w, "step2");
        press(w, "step3");
        QCOMPARE(state().WizardStatus, std::int16_t(1));
        QCOMPARE(rig_->view.text(QStringLiteral("txt_corrasd")), QStringLiteral("1500.5"));
    }
};

}  // namespace ce

QTEST_MAIN(ce::WizardTest)
#include "wizard_qtest.moc"
