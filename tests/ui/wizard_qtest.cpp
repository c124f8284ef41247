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

// The main window's fields that the assistant shows, with values unlike the assistant's own layout texts.
const std::vector<std::pair<QString, QString>> kMainFields = {
    {"txt_calcul", "11"}, {"txt_corrasd", "1500.5"}, {"txt_corrdec", "1600.25"}, {"txt_dec_0", "41"},
    {"txt_dec_1", "16"},  {"txt_dec_2", "9"},        {"txt_distance", "25"},     {"txt_epoch", "2010.5"},
    {"txt_mag", "14.5"},  {"txt_ra_0", "0"},         {"txt_ra_1", "42"},         {"txt_ra_2", "44.3"},
    {"txt_tolerance", "6"}, {"txt_url", "m31.jpg"},
};

}  // namespace

class WizardTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::FlowRig> rig_;
    testing::ScriptedDialogs dialogs_;

    static QLineEdit* field(Wizard& w, const char* name) { return w.findChild<QLineEdit*>(QLatin1String(name)); }
    static void press(Wizard& w, const char* name) { QTest::mouseClick(w.findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton, {}, QPoint(4, 4)); }
    QStringList mainSnapshot() const  // every field of the main window as it stands
    {
        QStringList all;
        for (const auto& [name, text] : kMainFields) all << rig_->view.text(name);
        return all << rig_->view.text(QStringLiteral("txt_dec_sign_show_0"))
                   << QString::number(rig_->view.checkState(QStringLiteral("txt_dec_sign_0")));
    }

private slots:
    void init()
    {
        rig_ = std::make_unique<testing::FlowRig>();
        for (const auto& [name, text] : kMainFields) rig_->view.setText(name, text);
        rig_->view.setText(QStringLiteral("txt_dec_sign_show_0"), QStringLiteral("+"));
        rig_->view.setCheckState(QStringLiteral("txt_dec_sign_0"), 0);
        rig_->view.setCheckState(QStringLiteral("txt_dec_sign_1"), 1);
        QFile f(rig_->folders.paths().programFile(QStringLiteral("config.cfg")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(" 2 \r\nSC 203\r\n3931.7\r\n3931.8\r\nLunette 80\r\n1113.95\r\n1118.71\r\n");
    }

    void finishingCopiesEverythingBack()
    {
        rig_->st.WizardStatus = 1;  // left over: loading clears it
        Wizard w(rig_->controller, dialogs_);
        QCOMPARE(rig_->st.WizardStatus, std::int16_t(0));
        QStringList shown;
        for (const auto& [name, text] : kMainFields) shown << w.findChild<QLineEdit*>(name)->text();
        QStringList expected = mainSnapshot().mid(0, int(kMainFields.size()));
        expected[7] = QStringLiteral("2000.0");  // the epoch is always J2000.0
        QCOMPARE(shown, expected);
        QVERIFY(w.findChild<QRadioButton*>(QStringLiteral("txt_dec_sign_1"))->isChecked());
        auto* combo = w.findChild<QComboBox*>(QStringLiteral("Combo"));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentIndex(), -1);

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        field(w, "txt_ra_2")->setText(QStringLiteral("44.9"));
        press(w, "txt_dec_sign_0");
        press(w, "step1");
        QVERIFY(w.page() == 2 && w.findChild<QPushButton*>(QStringLiteral("step2"))->isDefault());
        // The second configuration chosen from the keyboard, then one factor edited by hand.
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(field(w, "txt_corrasd")->text(), QStringLiteral("1113.95"));
        field(w, "txt_corrdec")->setText(QStringLiteral("1120"));
        press(w, "step2");
        QCOMPARE(w.page(), 3);
        press(w, "step3");

        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(rig_->st.WizardStatus, std::int16_t(1));
        expected[1] = QStringLiteral("1113.95");
        expected[2] = QStringLiteral("1120");
        expected[11] = QStringLiteral("44.9");
        QCOMPARE(mainSnapshot(), (expected + QStringList{"-", "1"}));
        QCOMPARE(rig_->view.checkState(QStringLiteral("txt_dec_sign_1")), 0);
    }

    void fromTheMenuClosingChangesNothingAndFinishingStartsTheReduction()
    {
        const QStringList before = mainSnapshot();
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<Wizard*>(QApplication::activeModalWidget());
            field(*w, "txt_url")->setText(QStringLiteral("other.jpg"));
            press(*w, "txt_dec_sign_0");
            press(*w, "step1");
            field(*w, "txt_corrasd")->setText(QStringLiteral("1"));
            w->close();  // on page two
        });
        openWizardWindow(nullptr, rig_->controller, dialogs_);
        QCOMPARE(mainSnapshot(), before);
        QCOMPARE(rig_->st.WizardStatus, std::int16_t(0));
        QVERIFY(rig_->view.monitor.addresses.isEmpty() && rig_->view.loadedPaths.isEmpty());  // nothing started

        // Finished with no serveur.cfg: the download is refused without the network, then the star selection starts.
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<Wizard*>(QApplication::activeModalWidget());
            for (const char* step : {"step1", "step2", "step3"}) press(*w, step);
        });
        openWizardWindow(nullptr, rig_->controller, dialogs_);
        QVERIFY(rig_->view.monitor.addresses.isEmpty());
        QCOMPARE(rig_->view.loadedPaths, QStringList{rig_->folders.paths().programFile(QStringLiteral("m31.jpg"))});
        QCOMPARE(rig_->st.mode, QStringLiteral("select"));
    }

    void theLastPageChoosesHowTheStarsAreFound()
    {
        {
            Wizard w(rig_->controller, dialogs_);
            auto* mark = w.findChild<QRadioButton*>(QStringLiteral("choix_0"));
            auto* automatic = w.findChild<QRadioButton*>(QStringLiteral("choix_1"));
            QVERIFY(mark && automatic);
            QVERIFY(mark->isChecked() && !automatic->isChecked());  // the clicking way unless chosen
            QCOMPARE(automatic->text(), rig_->lang.text(QStringLiteral("auto.wizard.find")));
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            for (const char* step : {"step1", "step2", "choix_1"}) press(w, step);
            QVERIFY(automatic->isChecked() && !mark->isChecked());
            press(w, "step3");
            QCOMPARE(rig_->st.WizardStatus, wizardStates::automatic);
        }

        // From the menu, the automatic way with no serveur.cfg: the refused
        // download is the only message; neither the search nor a selection starts.
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<Wizard*>(QApplication::activeModalWidget());
            for (const char* step : {"step1", "step2", "choix_1", "step3"}) press(*w, step);
        });
        openWizardWindow(nullptr, rig_->controller, dialogs_);
        QCOMPARE(rig_->view.messages.size(), std::size_t(1));
        QVERIFY(rig_->view.loadedPaths.isEmpty() && rig_->view.progress.isEmpty());
        QVERIFY(rig_->st.mode != QStringLiteral("select"));
        QCOMPARE(rig_->st.WizardStatus, wizardStates::none);
    }
};

}  // namespace ce

QTEST_MAIN(ce::WizardTest)
#include "wizard_qtest.moc"
