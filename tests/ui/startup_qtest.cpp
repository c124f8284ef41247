// The start-up sequence over a temporary program folder: splash, language
// texts on the main window, marker tables, and the language file that cannot
// be read.

#include "app/builtin_texts.h"
#include "app/program_options.h"
#include "app/ui/control_text.h"
#include "app/ui/form1.h"
#include "app/ui/splash.h"
#include "app/ui/startup.h"
#include "tests/ui/ui_support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using ce::testing::languageLines;
using ce::testing::sectionText;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startupShowsWindowWithTextsAndMarkers()
    {
        ce::testing::TempProgram program;
        QVERIFY(program.write(QStringLiteral("lang.cfg"), languageLines()));
        ce::testing::ScriptedDialogs dialogs;
        ce::Startup startup(program.paths(), dialogs);
        // A click on the splash before its bar shows keeps it open and saves its picture.
        bool openAfterClick = false;
        QTimer::singleShot(0, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* splash = qobject_cast<ce::frmSplash*>(widget)) {
                    QTest::mouseClick(splash, Qt::LeftButton);
                    openAfterClick = !splash->isHidden();
                }
        });
        QVERIFY(startup.run());
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(openAfterClick);
        QVERIFY(!QImage(program.dataFile(QStringLiteral("test.bmp"))).isNull());
        // The splash bar goes 4, 8, ..., 100: the wait ends at the 25th tick.
        QVERIFY2(startup.splashTicks() >= 25, qPrintable(QString::number(startup.splashTicks())));
        ce::Form1* form = startup.mainWindow();
        QVERIFY(form->QMainWindow::isVisible());

        const ce::MarkerTables& markers = form->controller().state().markers;
        QCOMPARE(int(markers.star.size()), 4001);
        QCOMPARE(int(markers.click.size()), 6);
        QVERIFY(std::none_of(markers.star.begin(), markers.star.end(), [](const ce::Marker& m) { return m.visible; }));

        // [FORM] line N names control N; messages are lines 45 onwards; the
        // check box takes the caption of the "Décideur" frame.
        for (const auto& [control, line] : {std::pair{"", 1}, {"mnu_fichier", 2}, {"DownloadData", 15}, {"Frm_6", 25},
                                            {"lbl_16", 42}, {"BoutonEtalo", 45}, {"CheckDecideur", 25}})
            QVERIFY2(ce::controlCaption(*form, QLatin1String(control)) == sectionText('F', line), control);
        QCOMPARE(startup.lang().message(0), sectionText('F', 45));
        QCOMPARE(startup.lang().message(20), sectionText('F', 65));
        QCOMPARE(form->suggestion(), sectionText('S', 0));
    }

    void unreadableLanguageFileEndsStartup()
    {
        // No file, then "[FORM] " with a blank: no marker, so reading goes on
        // looking for "[FORM]" (every other malformed file is the table reader's case).
        QStringList blankMarker = languageLines();
        blankMarker[blankMarker.indexOf(QStringLiteral("[FORM]"))] = QStringLiteral("[FORM] ");
        for (const QStringList& lines : {QStringList(), blankMarker}) {
            ce::testing::TempProgram program;
            if (!lines.isEmpty()) QVERIFY(program.write(QStringLiteral("lang.cfg"), lines));
            ce::testing::ScriptedDialogs dialogs;
            ce::Startup startup(program.paths(), dialogs);
            QVERIFY(!startup.run());
            QVERIFY(!startup.mainWindow());
            QCOMPARE(dialogs.messages.size(), 1);
            const QString text = dialogs.messages.first().text;
            QVERIFY2(text.contains(program.programFile(QStringLiteral("lang.cfg"))), qPrintable(text));
            // A file that was read names the line where reading stopped.
            QVERIFY2(lines.isEmpty() || text.contains(QRegularExpression(QStringLiteral("ligne \\d+"))), qPrintable(text));
            const QWidgetList windows = QApplication::topLevelWidgets();
            QVERIFY(std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<ce::Form1*>(w); }));
        }
    }

    void chosenLanguageFileOrOneBoxAndTheFrenchFile()
    {
        // lang-xx.cfg differs from lang.cfg in its [FORM] line 15 (the
        // "1-Download" button).
        ce::testing::TempProgram program;
        QVERIFY(program.write(QStringLiteral("lang.cfg"), languageLines()));
        QStringList other = languageLines();
        other[0] = QStringLiteral("Autre langue");
        other[other.indexOf(sectionText('F', 15))] = QStringLiteral("Catalogue");
        QVERIFY(program.write(QStringLiteral("lang-xx.cfg"), other));
        const auto startWith = [&program](const QString& chosen, ce::testing::ScriptedDialogs& dialogs,
                                          QString& caption, QString& inUse, QStringList& menu) {
            ce::ProgramOptions options;
            options.languageFile = chosen;
            QVERIFY(ce::saveOptions(program.paths().dataFolder, options, ce::builtinLanguage()).ok());
            ce::Startup startup(program.paths(), dialogs);
            QVERIFY(startup.run());
            caption = ce::controlCaption(*startup.mainWindow(), QStringLiteral("DownloadData"));
            inUse = startup.languageFile();
            for (QAction* entry : startup.mainWindow()->findChild<QMenu*>(QStringLiteral("mnu_language"))->actions())
                if (entry->isChecked()) menu.append(entry->text());
        };

        ce::testing::ScriptedDialogs chosenDialogs;
        QString caption, inUse;
        QStringList checked;
        startWith(QStringLiteral("lang-xx.cfg"), chosenDialogs, caption, inUse, checked);
        QCOMPARE(caption, QStringLiteral("Catalogue"));
        QCOMPARE(inUse, QStringLiteral("lang-xx.cfg"));
        QCOMPARE(checked, QStringList{QStringLiteral("Autre langue")});
        QVERIFY(chosenDialogs.messages.isEmpty());

        // The chosen file is gone, then broken: one box names it, and the
        // program starts with lang.cfg.
        for (const bool remove : {true, false}) {
            if (remove) QVERIFY(QFile::remove(program.programFile(QStringLiteral("lang-xx.cfg"))));
            else QVERIFY(program.write(QStringLiteral("lang-xx.cfg"), other.mid(0, 12)));
            ce::testing::ScriptedDialogs dialogs;
            checked.clear();
            startWith(QStringLiteral("lang-xx.cfg"), dialogs, caption, inUse, checked);
            QCOMPARE(caption, sectionText('F', 15));
            QCOMPARE(inUse, QStringLiteral("lang.cfg"));
            QCOMPARE(dialogs.messages.size(), 1);
            QVERIFY2(dialogs.messages[0].text.contains(program.programFile(QStringLiteral("lang-xx.cfg"))),
                     qPrintable(dialogs.messages[0].text));
            QCOMPARE(checked, QStringList{QStringLiteral("Fichier de langue pour les tests")});
        }
    }

    void choosingALanguageSavesItForTheNextStart()
    {
        ce::testing::WindowRig rig;
        QStringList other = languageLines();
        other[0] = QStringLiteral("Autre langue");
        QVERIFY(rig.program.write(QStringLiteral("lang.cfg"), languageLines()));
        QVERIFY(rig.program.write(QStringLiteral("lang-xx.cfg"), other));
        ce::Form1& form = rig.open();
        const auto entry = [&form](const char* fileName) {
            return form.findChild<QAction*>(QStringLiteral("mnu_language_") + QLatin1String(fileName));
        };
        QVERIFY(entry("lang.cfg") && entry("lang.cfg")->isChecked());
        QVERIFY(entry("lang-xx.cfg") && !entry("lang-xx.cfg")->isChecked());

        entry("lang-xx.cfg")->trigger();
        QCOMPARE(ce::loadOptions(rig.program.paths().dataFolder).languageFile, QStringLiteral("lang-xx.cfg"));
        QCOMPARE(rig.dialogs.messages.size(), 1);
        QVERIFY2(rig.dialogs.messages[0].text.contains(QStringLiteral("Autre langue")), qPrintable(rig.dialogs.messages[0].text));
        // Chosen again: nothing new to say.
        entry("lang-xx.cfg")->trigger();
        QCOMPARE(rig.dialogs.messages.size(), 1);
        // Back to the French file: the choice leaves options.ini.
        entry("lang.cfg")->trigger();
        QVERIFY(ce::loadOptions(rig.program.paths().dataFolder).languageFile.isEmpty());
        QCOMPARE(rig.dialogs.messages.size(), 2);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
