// The main window's own behaviour: the defaults file, the decimal-comma
// repair while typing, the sign buttons, the status list, the menus and the
// download progress box.

#include "app/ui/form1.h"
#include "tests/ui/ui_support.h"

#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using ce::testing::WindowRig;

namespace {

// The nine defaults in file order: eight fields, then the check box.
const QStringList kDefaultFields = {"txt_calcul", "txt_corrasd", "txt_corrdec", "txt_distance",
                                    "txt_mag",    "txt_mag2",    "txt_tolerance", "txt_url"};
// The window's built-in values for them, from its layout.
const QStringList kBuiltIn = {"10", "", "", "20", "13", "16", "7", ""};

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void defaultsFileSetsTheFieldsItHolds_data()
    {
        QTest::addColumn<QStringList>("file");  // empty: no defaut.cfg
        QTest::addColumn<int>("fieldsSet");
        QTest::addColumn<int>("checkState");
        const QStringList full = {"11", "2599,43", "2709.96", "25", "14", "18", "5", "demo.png", "1"};
        // Short files and refused states are the defaults reader's own cases.
        QTest::newRow("no file") << QStringList() << 0 << 0;
        QTest::newRow("five lines") << full.mid(0, 5) << 5 << 0;
        QTest::newRow("nine lines, ticked") << full << 8 << 1;
    }
    void defaultsFileSetsTheFieldsItHolds()
    {
        QFETCH(QStringList, file);
        QFETCH(int, fieldsSet);
        QFETCH(int, checkState);
        WindowRig rig;
        if (!file.isEmpty()) QVERIFY(rig.program.write(QStringLiteral("defaut.cfg"), file));
        ce::Form1& form = rig.open();
        for (int i = 0; i < kDefaultFields.size(); ++i) {
            QString expected = i < fieldsSet ? file[i] : kBuiltIn[i];
            // Corr fields repair a decimal comma as the text goes in.
            if (kDefaultFields[i].startsWith(QStringLiteral("txt_corr"))) expected.replace(u',', u'.');
            QCOMPARE(form.text(kDefaultFields[i]), expected);
        }
        QCOMPARE(form.text(QStringLiteral("txt_epoch")), QStringLiteral("2000.0"));
        QCOMPARE(form.checkState(QStringLiteral("CheckDecideur")), checkState);
        QVERIFY(rig.dialogs.messages.isEmpty());
        // The calibration frame waits hidden where the debug frame is.
        QVERIFY(!form.isVisible(QStringLiteral("Frm_4")) && form.isVisible(QStringLiteral("Frm_3")));
        QVERIFY(!form.isVisible(QStringLiteral("zoom")));
    }

    void savedDefaultsComeBackUnchanged()
    {
        WindowRig rig;
        // Every field unlike its built-in value, one empty, one with a decimal
        // point, and the greyed check box.
        const QStringList values = {"12", "2599.43", "2709.96", "35", "", "17.5", "4", "images/m31 nuit.jpg"};
        ce::Form1& form = rig.open();
        for (int i = 0; i < kDefaultFields.size(); ++i) form.setText(kDefaultFields[i], values[i]);
        form.setCheckState(QStringLiteral("CheckDecideur"), 2);
        form.SaveDefaut();
        QVERIFY(rig.dialogs.messages.isEmpty());
        const auto lines = ce::readTextLines(rig.program.programFile(QStringLiteral("defaut.cfg")));
        QVERIFY(lines.ok());
        QCOMPARE(*lines, values + QStringList{"2"});

        ce::Form1& reopened = rig.open();
        for (int i = 0; i < kDefaultFields.size(); ++i) {
            QCOMPARE(reopened.text(kDefaultFields[i]), values[i]);
            // A text set by a command shows its beginning, not its last digits.
            QCOMPARE(reopened.findChild<QLineEdit*>(kDefaultFields[i])->cursorPosition(), 0);
        }
        // State 2 is the greyed box, not the ticked one.
        QCOMPARE(reopened.findChild<QCheckBox*>(QStringLiteral("CheckDecideur"))->checkState(),
                 Qt::PartiallyChecked);
    }

    void unwritableDefaultsFileIsReported()
    {
        WindowRig rig;
        ce::ProgramPaths paths = rig.program.paths();
        paths.programFolder += QStringLiteral("/absent/folder");  // nothing can be created there
        ce::Form1 form(rig.lang, paths, rig.dialogs);
        form.SaveDefaut();
        QCOMPARE(rig.dialogs.messages.size(), 1);
        QVERIFY(rig.dialogs.messages.first().text.contains(QStringLiteral("defaut.cfg")));
    }

    void commaBecomesPointWhileTyping_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("repaired");
        QTest::newRow("Corr Asd") << "txt_corrasd" << "2599,43" << true;
        QTest::newRow("Corr Dec") << "txt_corrdec" << "2709,96" << true;
        QTest::newRow("epoch") << "txt_epoch" << "2003,5" << true;
        QTest::newRow("calibration X") << "Etalo_0" << "12,5" << true;
        QTest::newRow("calibration seconds") << "Etalo_7" << "1,25" << true;
        // Fields read by the locale rule keep what the user typed.
        QTest::newRow("RA seconds") << "txt_ra_2" << "50,5" << false;
        QTest::newRow("tolerance") << "txt_tolerance" << "7,5" << false;
    }
    void commaBecomesPointWhileTyping()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, repaired);
        WindowRig rig;
        auto* edit = rig.open().findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), repaired ? QString(typed).replace(u',', u'.') : typed);
        QCOMPARE(edit->cursorPosition(), int(typed.size()));

        // A paste repairs every comma and leaves the caret after the last point.
        edit->setText(QStringLiteral("9"));
        edit->setCursorPosition(0);
        edit->insert(QStringLiteral("1,2,3"));
        QCOMPARE(edit->text(), repaired ? QStringLiteral("1.2.39") : QStringLiteral("1,2,39"));
        QCOMPARE(edit->cursorPosition(), repaired ? 4 : 5);
    }

    void signButtonsSetTheirOwnLabel_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<QString>("centreSign");
        QTest::addColumn<QString>("calibrationSign");
        QTest::newRow("centre minus") << 0 << "-" << "+";
        QTest::newRow("calibration minus") << 2 << "+" << "-";
    }
    void signButtonsSetTheirOwnLabel()
    {
        QFETCH(int, element);
        QFETCH(QString, centreSign);
        QFETCH(QString, calibrationSign);
        WindowRig rig;
        ce::Form1& form = rig.open();
        form.setVisible(QStringLiteral("Frm_4"), true);
        form.show();
        const auto click = [&form](int k) {
            auto* button = form.findChild<QRadioButton*>(QStringLiteral("txt_dec_sign_%1").arg(k));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        };
        const auto sign = [&form](int label) { return form.text(QStringLiteral("txt_dec_sign_show_%1").arg(label)); };
        click(element);
        QCOMPARE(sign(0), centreSign);
        QCOMPARE(sign(1), calibrationSign);
        click(element + 1);  // its "+" partner puts the sign back
        QCOMPARE(sign(0), QStringLiteral("+"));
        QCOMPARE(sign(1), QStringLiteral("+"));

        // A sign set by a command shows on the buttons of its own label only.
        form.setText(QStringLiteral("txt_dec_sign_show_%1").arg(element / 2), QStringLiteral("-"));
        const auto checked = [&form](int k) { return form.checkState(QStringLiteral("txt_dec_sign_%1").arg(k)); };
        QCOMPARE(checked(element), 1);
        QCOMPARE(checked(element + 1), 0);
        QCOMPARE(checked(element == 0 ? 3 : 1), 1);  // the other label's "+" button
    }

    void statusListShowsNewestFirst()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        for (const char* line : {"premier", "deuxième", "troisième"})
            form.controller().AddStatus(QString::fromUtf8(line));
        auto* list = form.findChild<QListWidget*>(QStringLiteral("status"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("troisième"));
        QCOMPARE(list->item(2)->text(), QStringLiteral("premier"));
    }

    void menuEntriesOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("configStatus");  // while the window is open
        QTest::newRow("assistant") << "mnu_wizard" << "Wizard" << 0;
        QTest::newRow("configurations") << "mnu_config" << "Config" << 0;
        QTest::newRow("classical calibration") << "mnu_etalonage2" << "Config2" << 0;
        QTest::newRow("Corr load button") << "LoadCorr" << "Config" << 2;
    }
    void menuEntriesOpenTheirWindows()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        QFETCH(int, configStatus);
        WindowRig rig;
        QVERIFY(rig.program.write(QStringLiteral("config.cfg"), {QStringLiteral(" 0 ")}));
        ce::Form1& form = rig.open();
        // Closes the modal window as soon as it runs, noting what was open.
        QString opened;
        int statusWhileOpen = -1;
        QTimer::singleShot(0, this, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened = dialog->objectName();
                statusWhileOpen = form.controller().state().ConfigStatus;
                dialog->reject();
            }
        });
        if (auto* action = form.findChild<QAction*>(entry))
            action->trigger();
        else
            form.findChild<QPushButton*>(entry)->click();
        QCOMPARE(opened, window);
        QCOMPARE(statusWhileOpen, configStatus);
        QCOMPARE(int(form.controller().state().ConfigStatus), 0);
        QCOMPARE(int(form.controller().state().WizardStatus), 0);  // closed unfinished: nothing starts
    }

    void projectEntriesSaveAndOpenThroughTheDialogs()
    {
        WindowRig rig;
        rig.lang.form[57] = QStringLiteral("Ouvrir un projet");       // message 12
        rig.lang.form[58] = QStringLiteral("Projet|*.pam");           // message 13
        rig.lang.form[59] = QStringLiteral("Enregistrer le projet");  // message 14
        rig.lang.fillMessages();
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::black);
        QVERIFY(image.save(rig.program.programFile(QStringLiteral("m31.png"))));
        ce::Form1& form = rig.open();
        form.setText(QStringLiteral("txt_url"), QStringLiteral("m31.png"));
        form.setText(QStringLiteral("txt_corrasd"), QStringLiteral("2599.43"));
        const auto trigger = [&form](const char* entry) {
            form.findChild<QAction*>(QString::fromLatin1(entry))->trigger();
        };

        trigger("mnu_save");  // cancelled: nothing written
        QCOMPARE(QDir(rig.program.paths().programFolder).entryList({"*.pam"}, QDir::Files), QStringList());
        rig.dialogs.fileName = rig.program.programFile(QStringLiteral("soir"));
        trigger("mnu_save");
        QVERIFY(QFile::exists(rig.program.programFile(QStringLiteral("soir.pam"))));
        QCOMPARE(rig.dialogs.fileDialogs.size(), 2);
        QCOMPARE(rig.dialogs.fileDialogs[1].title, QStringLiteral("Enregistrer le projet"));
        QCOMPARE(rig.dialogs.fileDialogs[1].folder, rig.program.paths().programFolder);
        QCOMPARE(rig.dialogs.fileDialogs[1].filter, QStringLiteral("Projet (*.pam)"));

        form.setText(QStringLiteral("txt_corrasd"), QStringLiteral("1"));
        rig.dialogs.fileName += QStringLiteral(".pam");
        trigger("mnu_open");
        QCOMPARE(rig.dialogs.fileDialogs[2].title, QStringLiteral("Ouvrir un projet"));
        QCOMPARE(form.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));
        QVERIFY(form.controller().state().imageLoaded);
        QVERIFY(rig.dialogs.messages.isEmpty());
    }

    void downloadProgressShowsAndCancels()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        form.show();
        ce::DownloadMonitor& monitor = form.downloadMonitor();
        monitor.downloadStarted(QStringLiteral("http://127.0.0.1:8080/skycat/servers/usnoa_res?ra=1"));
        auto* box = form.findChild<QProgressDialog*>(QStringLiteral("downloadProgress"));
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());  // at once, so that no command starts meanwhile
        QVERIFY(box->labelText().contains(QStringLiteral("127.0.0.1:8080")));
        QVERIFY(!box->labelText().contains(u'?'));  // the query stays out of the text
        QVERIFY(!monitor.cancelRequested());
        monitor.bytesReceived(4096);
        QVERIFY(box->labelText().contains(QLocale().formattedDataSize(4096)));
        box->cancel();
        QVERIFY(monitor.cancelRequested());
        monitor.downloadFinished();
        QVERIFY(!box->isVisible());
        monitor.downloadStarted(QStringLiteral("http://127.0.0.1:8080/"));  // the next starts afresh
        QVERIFY(!monitor.cancelRequested());
        monitor.downloadFinished();
    }

    void quitEndsTheProgram()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        QSignalSpy ended(&form, &ce::Form1::programEnd);
        form.findChild<QAction*>(QStringLiteral("mnu_quit"))->trigger();
        QCOMPARE(ended.count(), 1);
        QVERIFY(rig.dialogs.messages.isEmpty() && rig.dialogs.questions.isEmpty());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_qtest.moc"
