// The calibration windows, offscreen: the optical configuration list (the
// 15-record limit, deletions, saving and reopening, loading failures,
// "Utiliser") and the classical calibration.

#include "app/builtin_texts.h"
#include "calibration/ui/config2_window.h"
#include "calibration/ui/config_window.h"

#include "tests/flow/flow_support.h"
#include "tests/ui/ui_support.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace ce {

class ConfigWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::FlowRig> rig_;
    testing::ScriptedDialogs dialogs_;

    QString configFile() const { return rig_->folders.paths().programFile(QStringLiteral("config.cfg")); }
    QByteArray fileBytes() const
    {
        QFile f(configFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    // A config.cfg of `count` records "Name k", "k00", "k01", as the program writes it.
    void writeRecords(int count, int declared = -1)
    {
        QByteArray bytes = " " + QByteArray::number(declared < 0 ? count : declared) + " \r\n";
        for (int k = 1; k <= count; ++k)
            bytes += "Name " + QByteArray::number(k) + "\r\n" + QByteArray::number(k) + "00\r\n" + QByteArray::number(k) + "01\r\n";
        QFile f(configFile());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    static QListWidget* list(Config& w) { return w.findChild<QListWidget*>(QStringLiteral("List1")); }
    static QLineEdit* box(Config& w, int n) { return w.findChild<QLineEdit*>(QStringLiteral("txt_coor_%1").arg(n)); }
    static void press(Config& w, const char* name) { QTest::mouseClick(w.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton); }

private slots:
    void init()
    {
        dialogs_.messages.clear();
        rig_ = std::make_unique<testing::FlowRig>();
    }

    void loadFailuresKeepTheRecordsReadSoFar()
    {
        {
            Config w(rig_->controller, dialogs_);  // no file
            QVERIFY(dialogs_.messages.value(0).text.startsWith(QStringLiteral("file.not_found ")));
        }
        // Three records declared, two held: shown, the list takes the focus, yet
        // no record is chosen, so neither a delete nor typing touches one.
        writeRecords(2, 3);
        Config w(rig_->controller, dialogs_);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(dialogs_.messages.size(), 2);
        press(w, "cmd1");
        QTest::keyClicks(box(w, 0), QStringLiteral("x"));
        QCOMPARE(w.table().names(), (QStringList{"Name 1", "Name 2"}));
        QCOMPARE(w.table().slot(0).name, box(w, 0)->text());  // the scratch slot took it
    }

    void newIsRefusedAtFifteenRecords()
    {
        writeRecords(14);
        Config w(rig_->controller, dialogs_);
        press(w, "cmd2");
        QCOMPARE(list(w)->count(), 15);
        QCOMPARE(list(w)->item(14)->text(), QStringLiteral("Config#"));
        QVERIFY(dialogs_.messages.isEmpty());
        press(w, "cmd2");
        QCOMPARE(dialogs_.messages.size(), 1);
        QCOMPARE(list(w)->count(), 15);
        press(w, "cmd4");
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(fileBytes().endsWith("Name 14\r\n1400\r\n1401\r\nConfig#\r\n0\r\n0\r\n"));
    }

    void deleteMovesTheSelection()
    {
        struct Row { int records, selected; QStringList left; int selectedAfter; };  // -1: nothing selected
        const Row rows[] = {{3, 1, {"Name 1", "Name 3"}, 1}, {3, 2, {"Name 1", "Name 2"}, 1}, {1, 0, {}, -1},
                            {3, -1, {"Name 1", "Name 2", "Name 3"}, -1}};
        for (const Row& r : rows) {
            writeRecords(r.records);
            Config w(rig_->controller, dialogs_);
            list(w)->setCurrentRow(r.selected);
            press(w, "cmd1");
            QCOMPARE(w.table().names(), r.left);
            QCOMPARE(list(w)->count(), r.left.size());
            QCOMPARE(list(w)->currentRow(), r.selectedAfter);
            QCOMPARE(box(w, 0)->text(), r.selectedAfter < 0 ? QStringLiteral("Name 1") : r.left[r.selectedAfter]);
        }
    }

    void savedEditsReadBackAndAFailedSaveKeepsTheWindow()
    {
        writeRecords(2);
        {
            Config w(rig_->controller, dialogs_);
            QCOMPARE(box(w, 0)->text() + u'|' + box(w, 1)->text() + u'|' + box(w, 2)->text(), QStringLiteral("Name 1|100|101"));
            list(w)->setCurrentRow(1);
            box(w, 0)->setText(QStringLiteral("Lunette 80/500"));
            box(w, 1)->setText(QStringLiteral("1113,95"));  // kept as typed
            press(w, "cmd2");
            press(w, "cmd4");
        }
        QCOMPARE(fileBytes(), QByteArray(" 3 \r\nName 1\r\n100\r\n101\r\nLunette 80/500\r\n1113,95\r\n201\r\nConfig#\r\n0\r\n0\r\n"));
        Config again(rig_->controller, dialogs_);
        QCOMPARE(list(again)->item(1)->text(), QStringLiteral("Lunette 80/500"));
        QVERIFY(dialogs_.messages.isEmpty());
        // A folder in the file's place: the file cannot be written.
        again.show();
        QFile::remove(configFile());
        QVERIFY(QDir().mkdir(configFile()));
        press(again, "cmd4");
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(again.isVisible());
        QDir().rmdir(configFile());
    }

    void choosingModeUsesTheBoxes()
    {
        writeRecords(3);
        bool frameHidden = false, useShown = false;
        int statusDuring = -1;
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<Config*>(QApplication::activeModalWidget());
            QVERIFY(w);
            statusDuring = rig_->st.ConfigStatus;
            frameHidden = !w->findChild<QFrame*>(QStringLiteral("Frame1"))->isVisible();
            useShown = w->findChild<QPushButton*>(QStringLiteral("cmd3"))->isVisible();
            list(*w)->setCurrentRow(2);
            box(*w, 2)->setText(QStringLiteral("301.5"));  // used, never saved
            press(*w, "cmd3");
        });
        chooseConfiguration(nullptr, rig_->controller, dialogs_);
        QCOMPARE(statusDuring, 2);
        QCOMPARE(rig_->st.ConfigStatus, std::int16_t(0));
        QVERIFY(frameHidden && useShown);
        QCOMPARE(rig_->view.text(QStringLiteral("txt_corrasd")), QStringLiteral("300"));
        QCOMPARE(rig_->view.text(QStringLiteral("txt_corrdec")), QStringLiteral("301.5"));
        QVERIFY(!fileBytes().contains("301.5"));
    }

    void calculationFillsTheFactorsOrLeavesThem()
    {
        // The factors' closed form: CX = 60·F·NX / (3438·W), CY = 60·F·NY / (3438·H)
        // (3438 arc-minutes per radian); the field 3438 / F · W arc-minutes.
        const auto closedForm = [](double focalMm, double pixels, double sizeMm) { return 60.0 * focalMm * pixels / (3438.0 * sizeMm); };
        rig_->lang.messages[7] = QStringLiteral("Résultat");
        testing::FakeView& view = rig_->view;
        testing::ScriptedDialogs& dialogs = dialogs_;
        view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("2599.43"));
        Config2 w(view, rig_->lang, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto fill = [&w](const QStringList& texts) {
            for (int k = 0; k < 5; ++k) w.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(k + 1))->setText(texts[k]);
        };
        const auto corr = [&view](const char* field) { return view.text(QLatin1String(field)).toDouble(); };

        // A failure (each reading and division rule is the solver's own) leaves the factors.
        fill({"9", "9", "1000", "1000", "0"});
        w.Calculer();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(view.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));

        // No field centre typed: the report, and a request for the
        // declination, with the factors left as they were.
        fill({"9", "9", "1000", "1000", "1000"});
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmd1")), Qt::LeftButton);
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(dialogs.messages.last().text.endsWith(QChar(13) + rig_->lang.message(ce::msg::kClassicalNeedsCentre)));
        QCOMPARE(view.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));

        // The square sensor (9 mm, 1000 pixels, 1000 mm) at +60°: Corr Asd is
        // CX·cos 60° = CX / 2, Corr Dec is CY.
        view.setTexts(QStringLiteral("txt_ra_"), {"1", "0", "0"});
        view.setTexts(QStringLiteral("txt_dec_"), {"60", "0", "0"});
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmd1")), Qt::LeftButton);
        const double expected = closedForm(1000, 1000, 9);  // 1939.11…
        QVERIFY(qAbs(corr("txt_corrasd") - expected / 2) < expected * 1e-12);
        QVERIFY(qAbs(corr("txt_corrdec") - expected) < expected * 1e-12);
        const QString field = QStringLiteral("30") + QLocale::system().decimalPoint() + QStringLiteral("942");  // 3438/1000·9
        QVERIFY(dialogs.messages.last().text.startsWith(QStringLiteral("Résultat: CX = ") + view.text(QStringLiteral("txt_corrdec")) +
                                                   QStringLiteral(" et CY = ") + view.text(QStringLiteral("txt_corrdec")) +
                                                   QChar(13) + QStringLiteral("CCD size: ") + field +
                                                   QStringLiteral("' x ") + field + u'\'' + QChar(13)));
        QVERIFY(dialogs.messages.last().text.endsWith(QChar(13) + rig_->lang.message(ce::msg::kClassicalCosDec)
                                                          .arg(QStringLiteral("60"), view.text(QStringLiteral("txt_corrasd")),
                                                               view.text(QStringLiteral("txt_corrdec")))));
        QVERIFY(w.isVisible());  // stays open for another try

        // Rectangular pixels, computed on Enter in a field.
        fill({"6.4", "4.8", "640", "240", "500"});
        auto* focal = w.findChild<QLineEdit*>(QStringLiteral("txt_5"));
        focal->setFocus();
        QTest::keyClick(focal, Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), 4);
        QVERIFY(qAbs(corr("txt_corrasd") - closedForm(500, 640, 6.4) / 2) < 1e-9);
        QVERIFY(qAbs(corr("txt_corrdec") - closedForm(500, 240, 4.8)) < 1e-9);
    }
};

}  // namespace ce

QTEST_MAIN(ce::ConfigWindowTest)
#include "config_window_qtest.moc"
