// The optical configuration list window, offscreen: the 15-record limit,
// deletions, saving and reopening, loading failures, and "Utiliser".

#include "calibration/ui/config_window.h"

#include "tests/flow/flow_support.h"
#include "tests/ui/ui_support.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
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
            bytes += "Name " + QByteArray::number(k) + "\r\n" + QByteArray::number(k) + "00\r\n" +
                     QByteArray::number(k) + "01\r\n";
        QFile f(configFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QListWidget* list(Config& w) { return w.findChild<QListWidget*>(QStringLiteral("List1")); }
    static QLineEdit* box(Config& w, int n) { return w.findChild<QLineEdit*>(QStringLiteral("txt_coor_%1").arg(n)); }
    static void press(Config& w, const char* name)
    {
        QTest::mouseClick(w.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    static QStringList entries(Config& w)
    {
        QStringList names;
        for (int i = 0; i < list(w)->count(); ++i) names << list(w)->item(i)->text();
        return names;
    }

private slots:
    void init()
    {
        dialogs_.messages.clear();
        rig_ = std::make_unique<testing::FlowRig>();
        for (int n = 1; n <= 8; ++n) rig_->lang.config[std::size_t(n)] = QStringLiteral("C%1").arg(n);
    }

    void loadFailuresKeepTheRecordsReadSoFar_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("declared");
        QTest::addColumn<int>("listed");
        QTest::newRow("no file") << -1 << -1 << 0;
        QTest::newRow("sixteen records") << 16 << -1 << 15;
        QTest::newRow("zero records, no message") << 0 << -1 << 0;
    }
    void loadFailuresKeepTheRecordsReadSoFar()
    {
        QFETCH(int, written);
        QFETCH(int, declared);
        QFETCH(int, listed);
        if (written >= 0) writeRecords(written, declared);
        Config w(rig_->controller, dialogs_);
        const bool failed = written != 0;
        QCOMPARE(dialogs_.messages.size(), failed ? 1 : 0);
        if (written < 0) QVERIFY(dialogs_.messages[0].text.contains(QStringLiteral("introuvable")));
        QCOMPARE(list(w)->count(), listed);
        QCOMPARE(list(w)->currentRow(), -1);
    }

    void shownAfterAFailedLoadNothingIsSelected()
    {
        // Three records declared, two held: the load stops with a message.
        writeRecords(2, 3);
        Config w(rig_->controller, dialogs_);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));  // the list takes the focus
        QCOMPARE(dialogs_.messages.size(), 1);
        press(w, "cmd1");
        QCOMPARE(w.table().names(), (QStringList{"Name 1", "Name 2"}));
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
        QCOMPARE(list(w)->currentRow(), 0);  // the selection does not move
        QVERIFY(dialogs_.messages.isEmpty());
        press(w, "cmd2");
        QCOMPARE(dialogs_.messages.size(), 1);
        QCOMPARE(list(w)->count(), 15);
        QCOMPARE(w.table().count(), 15);
        press(w, "cmd4");
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(fileBytes().startsWith(" 15 \r\nName 1\r\n"));
        QVERIFY(fileBytes().endsWith("Name 14\r\n1400\r\n1401\r\nConfig#\r\n0\r\n0\r\n"));
    }

    void deleteMovesTheSelection_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("selected");   // -1: nothing selected
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<QString>("nameBox");
        QTest::newRow("middle of three") << 3 << 1 << QStringList{"Name 1", "Name 3"} << 1 << "Name 3";
        QTest::newRow("last of three") << 3 << 2 << QStringList{"Name 1", "Name 2"} << 1 << "Name 2";
        QTest::newRow("only record") << 1 << 0 << QStringList{} << -1 << "Name 1";
        QTest::newRow("nothing selected") << 3 << -1 << QStringList{"Name 1", "Name 2", "Name 3"} << -1
                                          << "Name 1";
    }
    void deleteMovesTheSelection()
    {
        QFETCH(int, records);
        QFETCH(int, selected);
        QFETCH(QStringList, left);
        QFETCH(int, selectedAfter);
        QFETCH(QString, nameBox);
        writeRecords(records);
        Config w(rig_->controller, dialogs_);
        list(w)->setCurrentRow(selected);
        press(w, "cmd1");
        QCOMPARE(entries(w), left);
        QCOMPARE(w.table().names(), left);
        QCOMPARE(list(w)->currentRow(), selectedAfter);
        QCOMPARE(box(w, 0)->text(), nameBox);
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void loadedRecordsAndSavedEditsReadBack()
    {
        writeRecords(2);
        {
            Config w(rig_->controller, dialogs_);
            QCOMPARE(entries(w), (QStringList{"Name 1", "Name 2"}));
            QCOMPARE(list(w)->currentRow(), 0);
            QCOMPARE(box(w, 0)->text() + u'|' + box(w, 1)->text() + u'|' + box(w, 2)->text(),
                     QStringLiteral("Name 1|100|101"));
            QCOMPARE(w.windowTitle(), QStringLiteral("C1"));
            QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cmd4"))->text(), QStringLiteral("C8"));
            // Editing mode: the editing frame, no "Utiliser".
            QVERIFY(!w.findChild<QFrame*>(QStringLiteral("Frame1"))->isHidden());
            QVERIFY(w.findChild<QPushButton*>(QStringLiteral("cmd3"))->isHidden());

            list(w)->setCurrentRow(1);
            box(w, 0)->setText(QStringLiteral("Lunette 80/500"));
            box(w, 1)->setText(QStringLiteral("1113,95"));  // kept as typed
            press(w, "cmd2");
            press(w, "cmd4");
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        QCOMPARE(fileBytes(), QByteArray(" 3 \r\nName 1\r\n100\r\n101\r\nLunette 80/500\r\n1113,95\r\n"
                                         "201\r\nConfig#\r\n0\r\n0\r\n"));
        Config again(rig_->controller, dialogs_);
        QCOMPARE(entries(again), (QStringList{"Name 1", "Lunette 80/500", "Config#"}));
        list(again)->setCurrentRow(1);
        QCOMPARE(box(again, 1)->text(), QStringLiteral("1113,95"));
        QCOMPARE(box(again, 0)->cursorPosition(), 0);  // a long name shows its beginning
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void failedSaveKeepsTheWindowOpen()
    {
        writeRecords(1);
        Config w(rig_->controller, dialogs_);
        w.show();
        // A folder in the file's place: the file cannot be written.
        QFile::remove(configFile());
        QVERIFY(QDir(rig_->folders.program.path()).mkdir(QStringLiteral("config.cfg")));
        press(w, "cmd4");
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(w.isVisible());
        QCOMPARE(w.table().count(), 1);
        QDir(rig_->folders.program.path()).rmdir(QStringLiteral("config.cfg"));
    }

    void choosingModeUsesTheBoxes()
    {
        writeRecords(3);
        const QByteArray longName = "Schmidt-Cassegrain 203/2032 + reducteur 0,63 + CCD 765x510";
        QFile file(configFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll().replace("Name 2", longName);
        file.resize(0);
        file.write(bytes);
        file.close();
        bool frameHidden = false;
        bool useShown = false;
        bool namesFit = false;
        int statusDuring = -1;
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<Config*>(QApplication::activeModalWidget());
            QVERIFY(w);
            statusDuring = rig_->st.ConfigStatus;
            frameHidden = !w->findChild<QFrame*>(QStringLiteral("Frame1"))->isVisible();
            useShown = w->findChild<QPushButton*>(QStringLiteral("cmd3"))->isVisible();
            // Without the editing buttons the window still shows whole names.
            namesFit = list(*w)->viewport()->width() >= list(*w)->sizeHintForColumn(0);
            list(*w)->setCurrentRow(2);
            box(*w, 2)->setText(QStringLiteral("301.5"));  // used, never saved
            press(*w, "cmd3");
        });
        rig_->view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("1"));
        chooseConfiguration(nullptr, rig_->controller, dialogs_);
        QCOMPARE(statusDuring, 2);
        QCOMPARE(rig_->st.ConfigStatus, std::int16_t(0));
        QVERIFY(frameHidden && useShown);
        QVERIFY(namesFit);
        QCOMPARE(rig_->view.text(QStringLiteral("txt_corrasd")), QStringLiteral("300"));
        QCOMPARE(rig_->view.text(QStringLiteral("txt_corrdec")), QStringLiteral("301.5"));
        QVERIFY(!fileBytes().contains("301.5"));
    }
};

}  // namespace ce

QTEST_MAIN(ce::ConfigWindowTest)
#include "config_window_qtest.moc"
