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
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using ce::testing::languageLines;
using ce::testing::ScriptedDialogs;
using ce::testing::sectionText;
using ce::testing::TempProgram;

namespace {

template <class Window>
bool anyTopLevel()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<Window*>(widget)) return true;
    return false;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startupShowsWindowWithTextsAndMarkers()
    {
        TempProgram program;
        QVERIFY(program.write(QStringLiteral("lang.cfg"), languageLines()));
        ScriptedDialogs dialogs;
        ce::Startup startup(program.paths(), dialogs);

        QVERIFY(startup.run());
        QVERIFY(dialogs.messages.isEmpty());
        ce::Form1* form = startup.mainWindow();
        QVERIFY(form);
        QVERIFY(form->QMainWindow::isVisible());
        // The splash bar goes 4, 8, ..., 100: the wait ends at the 25th tick,
        // and the splash is released once the main window shows.
        QVERIFY2(startup.splashTicks() >= 25, qPrintable(QString::number(startup.splashTicks())));
        QVERIFY(!anyTopLevel<ce::frmSplash>());

        const ce::MarkerTables& markers = form->controller().state().markers;
        QCOMPARE(int(markers.star.size()), 4001);
        QCOMPARE(int(markers.click.size()), 6);
        for (const ce::Marker& m : markers.star) QVERIFY(!m.visible);
        for (const ce::Marker& m : markers.click) QVERIFY(!m.visible);

        // [FORM] line N names control N; messages are lines 45 onwards; the
        // check box takes the caption of the "Décideur" frame.
        const std::vector<std::pair<QString, int>> captions = {
            {"", 1},          {"mnu_fichier", 2},   {"mnu_quit", 7},      {"mnu_etalonage", 10},
            {"mnu_etalonage2", 11}, {"mnu_about", 14}, {"DownloadData", 15}, {"FullMap", 18},
            {"Frm_0", 19},    {"Frm_4", 23},        {"Frm_6", 25},        {"lbl_0", 26},
            {"lbl_8", 34},    {"lbl_16", 42},       {"Loadimg", 43},      {"LoadCorr", 44},
            {"BoutonEtalo", 45}, {"CheckDecideur", 25},
        };
        for (const auto& [control, line] : captions)
            QVERIFY2(ce::controlCaption(*form, control) == sectionText('F', line), qPrintable(control));
        QCOMPARE(startup.lang().message(0), sectionText('F', 45));
        QCOMPARE(startup.lang().message(20), sectionText('F', 65));
        QCOMPARE(form->suggestion(), sectionText('S', 0));
        QCOMPARE(form->text(QStringLiteral("mnu_aide")), QStringLiteral("&?"));  // never renamed
    }

    void unreadableLanguageFileEndsStartup_data()
    {
        QTest::addColumn<QStringList>("lines");  // empty: no file
        QTest::newRow("no file") << QStringList();
        // "[FORM] " with a blank is no marker: reading goes on looking for "[FORM]".
        QStringList blankMarker = languageLines();
        blankMarker[blankMarker.indexOf(QStringLiteral("[FORM]"))] = QStringLiteral("[FORM] ");
        QTest::newRow("marker with a blank") << blankMarker;
        // (Every other malformed file takes the same path: the table reader's cases.)
    }
    void unreadableLanguageFileEndsStartup()
    {
        QFETCH(QStringList, lines);
        TempProgram program;
        if (!lines.isEmpty()) QVERIFY(program.write(QStringLiteral("lang.cfg"), lines));
        ScriptedDialogs dialogs;
        ce::Startup startup(program.paths(), dialogs);

        QVERIFY(!startup.run());
        QVERIFY(!startup.mainWindow());
        QCOMPARE(dialogs.messages.size(), 1);
        const QString text = dialogs.messages.first().text;
        QVERIFY2(text.contains(program.programFile(QStringLiteral("lang.cfg"))), qPrintable(text));
        // A file that was read names the line where reading stopped.
        if (!lines.isEmpty())
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("ligne \\d+"))), qPrintable(text));
        QVERIFY(!anyTopLevel<ce::Form1>());
    }

    void splashClickDuringStartupKeepsItOpenAndSavesPicture()
    {
        TempProgram program;
        QVERIFY(program.write(QStringLiteral("lang.cfg"), languageLines()));
        ScriptedDialogs dialogs;
        ce::Startup startup(program.paths(), dialogs);
        // Clicks the splash as soon as start-up lets events run, before its bar shows.
        bool clickedBeforeBar = false;
        bool openAfterClick = false;
        QString version;
        QTimer::singleShot(0, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* splash = qobject_cast<ce::frmSplash*>(widget)) {
                    version = splash->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
                    clickedBeforeBar = !splash->barShown();
                    QTest::mouseClick(splash, Qt::LeftButton);
                    openAfterClick = !splash->isHidden();
                }
            }
        });
        QVERIFY(startup.run());
        QVERIFY(openAfterClick);
        QVERIFY(startup.splashTicks() >= 25);
        QVERIFY2(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$")).match(version).hasMatch(),
                 qPrintable(version));
        if (!clickedBeforeBar) QWARN("the first splash tick came before the click; the case ran with the bar shown");
        const QFileInfo picture(program.dataFile(QStringLiteral("test.bmp")));
        QVERIFY(picture.exists());
        QVERIFY(!QImage(picture.filePath()).isNull());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
