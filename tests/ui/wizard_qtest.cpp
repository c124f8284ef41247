// The new-reduction assistant, driven offscreen over a fake main window.

#include "project/ui/wizard.h"

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/ui/recording_dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
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
    QTemporaryDir folder_;
    LanguageTable lang_;
    testing::FakeView view_;
    testing::RecordingDialogs dialogs_;
    std::unique_ptr<ReductionController> controller_;

    ReductionState& state() { return controller_->state(); }
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
        QFile f(folder_.path() + QStringLiteral("/config.cfg"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void setMainWindow()
    {
        for (const auto& [name, text] : kMainFields) view_.setText(name, text);
        view_.setText(QStringLiteral("txt_dec_sign_show_0"), QStringLiteral("+"));
        view_.setCheckState(QStringLiteral("txt_dec_sign_0"), 0);
        view_.setCheckState(QStringLiteral("txt_dec_sign_1"), 1);
    }
    // Every field of the main window as it stands, for "nothing changed".
    QStringList mainSnapshot() const
    {
        QStringList all;
        for (const auto& [name, text] : kMainFields) all << view_.text(name);
        all << view_.text(QStringLiteral("txt_dec_sign_show_0"))
            << QString::number(view_.checkState(QStringLiteral("txt_dec_sign_0")))
            << QString::number(view_.checkState(QStringLiteral("txt_dec_sign_1")));
        return all;
    }

private slots:
    void init()
    {
        QFile::remove(folder_.path() + QStringLiteral("/config.cfg"));
        dialogs_.messages.clear();
        view_.loadedPaths.clear();
        view_.monitor.addresses.clear();
        lang_ = LanguageTable{};
        for (int n = 1; n <= 19; ++n) lang_.wizard[std::size_t(n)] = QStringLiteral("W%1").arg(n);
        controller_ = std::make_unique<ReductionController>(
            view_, lang_, ProgramPaths{folder_.path(), folder_.path()});
        setMainWindow();
    }

    void loadShowsTheMainWindowAndFinishingCopiesEverythingBack()
    {
        writeConfigurations();
        state().WizardStatus = 1;  // left over: loading clears it
        Wizard w(*controller_, dialogs_);
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
            QCOMPARE(view_.text(name), expected);
        }
        QCOMPARE(view_.text(QStringLiteral("txt_dec_sign_show_0")), QStringLiteral("-"));
        QCOMPARE(view_.checkState(QStringLiteral("txt_dec_sign_0")), 1);
        QCOMPARE(view_.checkState(QStringLiteral("txt_dec_sign_1")), 0);
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
        openWizardWindow(nullptr, *controller_, dialogs_);
        QCOMPARE(mainSnapshot(), before);
        QCOMPARE(state().WizardStatus, std::int16_t(0));
        QVERIFY(view_.monitor.addresses.isEmpty());  // no download started
        QVERIFY(view_.loadedPaths.isEmpty());        // no selection started
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
        openWizardWindow(nullptr, *controller_, dialogs_);
        QVERIFY(view_.monitor.addresses.isEmpty());
        QCOMPARE(view_.loadedPaths, QStringList{folder_.path() + QStringLiteral("/m31.jpg")});
        QCOMPARE(state().mode, QStringLiteral("select"));
        QCOMPARE(view_.text(QStringLiteral("txt_epoch")), QStringLiteral("2000.0"));
    }

    void unreadableConfigurationsLeaveTheAssistantUsable()
    {
        writeConfigurations(" 3 \r\nSC 203\r\n3931.7\r\n3931.8\r\nLunette 80\r\n");  // record 2 cut short
        Wizard w(*controller_, dialogs_);
        QCOMPARE(dialogs_.messages.size(), 1);
        auto* combo = w.findChild<QComboBox*>(QStringLiteral("Combo"));
        QCOMPARE(combo->count(), 1);
        QCOMPARE(field(w, QStringLiteral("txt_corrasd"))->text(), QStringLiteral("1500.5"));
        press(w, "step1");
        press(w, "step2");
        press(w, "step3");
        QCOMPARE(state().WizardStatus, std::int16_t(1));
        QCOMPARE(view_.text(QStringLiteral("txt_corrasd")), QStringLiteral("1500.5"));
    }
};

}  // namespace ce

QTEST_MAIN(ce::WizardTest)
#include "wizard_qtest.moc"
