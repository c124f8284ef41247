// The start-up sequence over a temporary program folder: splash, language
// texts on the main window, marker tables, and the language file that cannot
// be read.

#include "app/ui/control_text.h"
#include "app/ui/form1.h"
#include "app/ui/splash.h"
#include "app/ui/startup.h"
#include "tests/ui/ui_support.h"

#include <QApplication>
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
};

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
