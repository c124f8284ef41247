// The main window's own behaviour: the defaults file, the decimal-comma
// repair while typing, the sign buttons, the menus, the download progress
// box, its size, and the help and about windows.

#include "app/ui/form1.h"
#include "app/ui/help_window.h"
#include "app/ui/splash.h"
#include "tests/ui/ui_support.h"

#include <QCheckBox>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <tuple>

using ce::testing::WindowRig;

namespace {

// The nine defaults in file order: eight fields, then the check box.
const QStringList kDefaultFields = {"txt_calcul", "txt_corrasd", "txt_corrdec", "txt_distance",
                                    "txt_mag",    "txt_mag2",    "txt_tolerance", "txt_url"};

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void defaultsFileReadSavedAndReadBack()
    {
        // A short file sets the fields it holds, its comma repaired; the others keep the layout's values.
        WindowRig rig;
        QVERIFY(rig.program.write(QStringLiteral("defaut.cfg"), {"11", "2599,43", "2709.96", "25", "14"}));
        ce::Form1& form = rig.open();
        QStringList shown;
        for (const QString& name : kDefaultFields) shown << form.text(name);
        QCOMPARE(shown, QStringList({"11", "2599.43", "2709.96", "25", "14", "16", "7", ""}));
        QCOMPARE(form.checkState(QStringLiteral("CheckDecideur")), 0);
        // The calibration frame waits hidden where the debug frame is.
        QVERIFY(!form.isVisible(QStringLiteral("Frm_4")) && form.isVisible(QStringLiteral("Frm_3")));

        // Every field unlike its built-in value, one empty, and the greyed check box.
        const QStringList values = {"12", "2599.43", "2709.96", "35", "", "17.5", "4", "images/m31 nuit.jpg"};
        for (int i = 0; i < kDefaultFields.size(); ++i) form.setText(kDefaultFields[i], values[i]);
        form.setCheckState(QStringLiteral("CheckDecideur"), 2);
        form.SaveDefaut();
        QCOMPARE(*ce::readTextLines(rig.program.programFile(QStringLiteral("defaut.cfg")), ce::test::KeyEcho()), values + QStringList{"2"});
        ce::Form1& reopened = rig.open();
        for (int i = 0; i < kDefaultFields.size(); ++i) {
            QCOMPARE(reopened.text(kDefaultFields[i]), values[i]);
            // A text set by a command shows its beginning, not its last digits.
            QCOMPARE(reopened.findChild<QLineEdit*>(kDefaultFields[i])->cursorPosition(), 0);
        }
        QCOMPARE(reopened.findChild<QCheckBox*>(QStringLiteral("CheckDecideur"))->checkState(), Qt::PartiallyChecked);
        QVERIFY(rig.dialogs.messages.isEmpty());

        ce::ProgramPaths paths = rig.program.paths();
        paths.programFolder += QStringLiteral("/absent/folder");  // nothing can be written there
        ce::Form1(rig.lang, paths, rig.dialogs).SaveDefaut();
        QVERIFY(rig.dialogs.messages.value(0).text.contains(QStringLiteral("defaut.cfg")));
    }

    void commaBecomesPointWhileTyping()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        // Fields read by the locale rule (RA seconds) keep what the user typed.
        for (const auto& [field, repaired] : {std::pair{"txt_corrasd", true}, {"txt_epoch", true}, {"Etalo_7", true}, {"txt_ra_2", false}}) {
            auto* edit = form.findChild<QLineEdit*>(QLatin1String(field));
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("12,5"));
            QCOMPARE(edit->text(), repaired ? QStringLiteral("12.5") : QStringLiteral("12,5"));
            QCOMPARE(edit->cursorPosition(), 4);
            // A paste repairs every comma and leaves the caret after the last point.
            edit->setText(QStringLiteral("9"));
            edit->setCursorPosition(0);
            edit->insert(QStringLiteral("1,2,3"));
            QCOMPARE(edit->text(), repaired ? QStringLiteral("1.2.39") : QStringLiteral("1,2,39"));
            QCOMPARE(edit->cursorPosition(), repaired ? 4 : 5);
        }
    }

    void signButtonsSetTheirOwnLabel()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        form.setVisible(QStringLiteral("Frm_4"), true);
        form.show();
        const auto click = [&form](int k) {
            auto* button = form.findChild<QRadioButton*>(QStringLiteral("txt_dec_sign_%1").arg(k));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        };
        const auto signs = [&form] { return form.text("txt_dec_sign_show_0") + form.text("txt_dec_sign_show_1"); };
        click(2);  // the calibration's minus
        QCOMPARE(signs(), QStringLiteral("+-"));
        click(3);  // its "+" partner puts the sign back
        QCOMPARE(signs(), QStringLiteral("++"));
        // A sign set by a command shows on the buttons of its own label only.
        form.setText(QStringLiteral("txt_dec_sign_show_0"), QStringLiteral("-"));
        const auto checked = [&form](int k) { return form.checkState(QStringLiteral("txt_dec_sign_%1").arg(k)); };
        QCOMPARE(QList<int>({checked(0), checked(1), checked(3)}), QList<int>({1, 0, 1}));
    }

    void menuEntriesOpenTheirWindows()
    {
        WindowRig rig;
        QVERIFY(rig.program.write(QStringLiteral("config.cfg"), {QStringLiteral(" 0 ")}));
        ce::Form1& form = rig.open();
        const ce::ReductionState& st = form.controller().state();
        // The entry, its window, and the configuration status while it is open.
        for (const auto& [entry, window, configStatus] :
             {std::tuple{"mnu_wizard", "Wizard", 0}, {"mnu_config", "Config", 0}, {"LoadCorr", "Config", 2}}) {
            QString opened;
            int statusWhileOpen = -1;
            QTimer::singleShot(0, this, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                opened = dialog->objectName();
                statusWhileOpen = st.ConfigStatus;
                dialog->reject();
            });
            if (auto* action = form.findChild<QAction*>(QLatin1String(entry)))
                action->trigger();
            else
                form.findChild<QPushButton*>(QLatin1String(entry))->click();
            QCOMPARE(opened, QLatin1String(window));
            QCOMPARE(statusWhileOpen, configStatus);
            QCOMPARE(int(st.ConfigStatus), 0);
            QCOMPARE(int(st.WizardStatus), 0);  // closed unfinished: nothing starts
        }
    }

    void projectSaveGoesThroughTheDialog()
    {
        // (Opening from the menu is part of the whole reduction.)
        WindowRig rig;
        rig.lang.form[58] = QStringLiteral("Projet|*.pam");           // message 13
        rig.lang.form[59] = QStringLiteral("Enregistrer le projet");  // message 14
        rig.lang.fillMessages();
        ce::Form1& form = rig.open();
        auto* save = form.findChild<QAction*>(QStringLiteral("mnu_save"));
        save->trigger();  // cancelled: nothing written
        QCOMPARE(QDir(rig.program.paths().programFolder).entryList({"*.pam"}, QDir::Files), QStringList());
        rig.dialogs.fileName = rig.program.programFile(QStringLiteral("soir"));
        save->trigger();
        QVERIFY(QFile::exists(rig.program.programFile(QStringLiteral("soir.pam"))));
        QCOMPARE(rig.dialogs.fileDialogs[1], QStringList({"Enregistrer le projet", rig.program.paths().programFolder, "Projet (*.pam)"}));
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
        QTRY_VERIFY(box->isVisible());  // at once, so that no command starts meanwhile
        QVERIFY(box->labelText().contains(QStringLiteral("127.0.0.1:8080")));
        QVERIFY(!box->labelText().contains(u'?'));  // the query stays out of the text
        monitor.bytesReceived(4096);
        QVERIFY(box->labelText().contains(QLocale().formattedDataSize(4096)));
        box->cancel();
        QVERIFY(monitor.cancelRequested());
        monitor.downloadFinished();
        QVERIFY(!box->isVisible());
    }

    void fitsA1280By800ScreenAndCalibrationKeepsTheSize()
    {
        for (const bool super : {false, true}) {
            WindowRig rig;
            ce::Form1& form = rig.open();
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            // Some room is left for the frame a window manager adds.
            QVERIFY2(form.width() <= 1264 && form.height() <= 760,
                     qPrintable(QStringLiteral("%1 x %2").arg(form.width()).arg(form.height())));
            const QSize before = form.size();
            ce::ReductionController& controller = form.controller();
            (super ? controller.state().solutionAccepted : controller.state().imageLoaded) = true;
            super ? controller.startSuperEtalonage() : controller.startEtalonage();
            QCoreApplication::processEvents();
            QVERIFY(form.isVisible(QStringLiteral("Frm_4")) && !form.isVisible(QStringLiteral("Frm_3")));
            QCOMPARE(form.size(), before);
        }
    }

    void helpAndAboutWindows()
    {
        WindowRig rig;
        rig.lang.form[13] = QStringLiteral("F13");
        ce::Form1& form = rig.open();
        // A missing file: one message naming it, and an empty window under its layout title.
        form.showHelp();
        QCOMPARE(rig.dialogs.messages.size(), 1);
        const QString file = rig.program.programFile(QStringLiteral("aide.rtf"));
        QVERIFY(rig.dialogs.messages.first().text.contains(file));
        QPointer<ce::frmTip> help = form.helpWindow();
        QVERIFY(help->isVisible() && help->plainText().isEmpty());
        QCOMPARE(help->windowTitle(), QStringLiteral("Aide"));
        help->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();  // closes and releases the window
        QTRY_VERIFY(help.isNull());

        // A bold heading with accented letters, then ordinary text.
        QFile rtf(file);
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\fs32\\b Aide g\\'e9n\\'e9rale\\b0\\par\n\\fs22 Chargez une image.\\par}");
        rtf.close();
        form.showHelp();
        help = form.helpWindow();
        QVERIFY(!help->isModal());
        const QString page = QStringLiteral("Aide générale\nChargez une image.");
        QCOMPARE(help->plainText(), page);
        QCOMPARE(help->windowTitle(), QStringLiteral("F13"));
        const QTextBlock first = help->document()->firstBlock();
        QCOMPARE(first.begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(first.next().begin().fragment().charFormat().fontWeight(), int(QFont::Normal));
        // Open already: brought forward, not loaded again; "Page suivante" changes nothing.
        QVERIFY(QFile::remove(file));
        form.showHelp();
        QCOMPARE(form.helpWindow(), help.data());
        help->findChild<QPushButton*>(QStringLiteral("cmdNextTip"))->click();
        QCOMPARE(help->plainText(), page);
        QCOMPARE(rig.dialogs.messages.size(), 1);
        help->close();
        QTRY_VERIFY(help.isNull());

        // One paragraph of 4 MB: laid out in blocks of bounded length, every
        // character kept and in order.
        QString words;
        for (int i = 0; words.size() < 4'000'000; ++i)
            words += (i % 97 == 0) ? QString(3000, u'x') + u' ' : QStringLiteral("mot%1 ").arg(i);
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1\\ansi " + words.toLatin1() + "}");
        rtf.close();
        form.showHelp();
        help = form.helpWindow();
        QCOMPARE(help->plainText().remove(u'\n'), words);
        for (QTextBlock b = help->document()->firstBlock(); b.isValid(); b = b.next())
            QVERIFY(b.length() - 1 <= ce::kLongParagraphChars);
        QVERIFY(help->document()->blockCount() > 2000);
        help->close();

        // The about window closes on a click and saves its picture.
        bool barHidden = false;
        QTimer::singleShot(0, this, [&barHidden] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* about = qobject_cast<ce::frmSplash*>(widget); about && about->isVisible()) {
                    barHidden = !about->barShown();
                    QTest::mouseClick(about, Qt::LeftButton);
                }
        });
        form.showAbout();  // returns only because the click closed the modal window
        QVERIFY(barHidden);
        QVERIFY(QFileInfo::exists(rig.program.dataFile(QStringLiteral("test.bmp"))));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_qtest.moc"
