// The start-up sequence driven with a temporary program folder: splash,
// language texts on the main window, marker tables, and the language file
// that cannot be read.

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

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startupShowsWindowWithTextsAndMarkers();
    void formTextsAreAppliedToEveryNamedControl_data();
    void formTextsAreAppliedToEveryNamedControl();
    void unreadableLanguageFileEndsStartup_data();
    void unreadableLanguageFileEndsStartup();
    void splashClickDuringStartupKeepsItOpenAndSavesPicture();
    void versionLabelShowsThreeNumbers();
};

void StartupTest::startupShowsWindowWithTextsAndMarkers()
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
    // The splash bar goes 4, 8, ..., 96, 100: the wait ends at the 25th tick.
    QVERIFY2(startup.splashTicks() >= 25, qPrintable(QString::number(startup.splashTicks())));
    // The splash window is released once the main window shows.
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<ce::frmSplash*>(widget));

    const ce::MarkerTables& markers = form->controller().state().markers;
    QCOMPARE(int(markers.star.size()), 4001);
    QCOMPARE(int(markers.click.size()), 6);
    for (std::size_t i = 1; i < markers.star.size(); ++i)
        QVERIFY(!markers.star[i].visible);
    for (std::size_t i = 1; i < markers.click.size(); ++i)
        QVERIFY(!markers.click[i].visible);

    // Messages are [FORM] lines 45 onwards; the check box takes the caption
    // of the "Décideur" frame; the suggestion label shows suggestion 0.
    QCOMPARE(startup.lang().message(0), sectionText('F', 45));
    QCOMPARE(startup.lang().message(20), sectionText('F', 65));
    QCOMPARE(form->text(QStringLiteral("CheckDecideur")), sectionText('F', 25));
    QCOMPARE(form->suggestion(), sectionText('S', 0));
    // The "&?" menu is never renamed.
    QCOMPARE(form->text(QStringLiteral("mnu_aide")), QStringLiteral("&?"));
}

void StartupTest::formTextsAreAppliedToEveryNamedControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("formLine");
    QTest::newRow("window title") << QString() << 1;
    QTest::newRow("first menu") << QStringLiteral("mnu_fichier") << 2;
    QTest::newRow("quit entry") << QStringLiteral("mnu_quit") << 7;
    QTest::newRow("calibration by image") << QStringLiteral("mnu_etalonage") << 10;
    QTest::newRow("classical calibration") << QStringLiteral("mnu_etalonage2") << 11;
    QTest::newRow("about") << QStringLiteral("mnu_about") << 14;
    QTest::newRow("download") << QStringLiteral("DownloadData") << 15;
    QTest::newRow("full map") << QStringLiteral("FullMap") << 18;
    QTest::newRow("first frame") << QStringLiteral("Frm_0") << 19;
    QTest::newRow("calibration frame") << QStringLiteral("Frm_4") << 23;
    QTest::newRow("last frame") << QStringLiteral("Frm_6") << 25;
    QTest::newRow("first label") << QStringLiteral("lbl_0") << 26;
    QTest::newRow("size label") << QStringLiteral("lbl_8") << 34;
    QTest::newRow("last label") << QStringLiteral("lbl_16") << 42;
    QTest::newRow("image load") << QStringLiteral("Loadimg") << 43;
    QTest::newRow("configuration load") << QStringLiteral("LoadCorr") << 44;
    QTest::newRow("calibration next") << QStringLiteral("BoutonEtalo") << 45;
}

void StartupTest::formTextsAreAppliedToEveryNamedControl()
{
    QFETCH(QString, control);
    QFETCH(int, formLine);
    TempProgram program;
    QVERIFY(program.write(QStringLiteral("lang.cfg"), languageLines()));
    ScriptedDialogs dialogs;
    ce::Startup startup(program.paths(), dialogs);
    QVERIFY(startup.run());
    QCOMPARE(ce::controlCaption(*startup.mainWindow(), control), sectionText('F', formLine));
}

void StartupTest::unreadableLanguageFileEndsStartup_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("writeFile");
    QTest::addColumn<bool>("namesLine");  // the reason gives the line where reading stopped

    QTest::newRow("no file") << QStringList() << false << false;

    // "[FORM] " with a blank is no marker: reading goes on looking for
    // "[FORM]" and the file cannot be read.
    QStringList blankMarker = languageLines();
    blankMarker[blankMarker.indexOf(QStringLiteral("[FORM]"))] = QStringLiteral("[FORM] ");
    QTest::newRow("marker with a blank") << blankMarker << true << true;

    // 20 configuration texts are one too many.
    QStringList tooLong = languageLines();
    for (int extra = 9; extra <= 20; ++extra)
        tooLong.insert(extra, QStringLiteral("texte en trop"));
    QTest::newRow("configuration section too long") << tooLong << true << true;

    // The file stops before its last marker.
    QStringList cut = languageLines();
    cut.removeLast();
    QTest::newRow("no end marker") << cut << true << true;
}

void StartupTest::unreadableLanguageFileEndsStartup()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, writeFile);
    QFETCH(bool, namesLine);
    TempProgram program;
    if (writeFile)
        QVERIFY(program.write(QStringLiteral("lang.cfg"), lines));
    ScriptedDialogs dialogs;
    ce::Startup startup(program.paths(), dialogs);

    QVERIFY(!startup.run());
    QVERIFY(!startup.mainWindow());
    QCOMPARE(dialogs.messages.size(), 1);
    const QString text = dialogs.messages.first().text;
    QVERIFY2(text.contains(program.programFile(QStringLiteral("lang.cfg"))), qPrintable(text));
    if (namesLine)
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("ligne \\d+"))), qPrintable(text));
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<ce::Form1*>(widget));
}

void StartupTest::splashClickDuringStartupKeepsItOpenAndSavesPicture()
{
    TempProgram program;
    QVERIFY(program.write(QStringLiteral("lang.cfg"), languageLines()));
    ScriptedDialogs dialogs;
    ce::Startup startup(program.paths(), dialogs);

    // Clicks the splash window as soon as start-up lets events run, before
    // its bar has been shown.
    bool clickedBeforeBar = false;
    bool openAfterClick = false;
    QTimer::singleShot(0, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* splash = qobject_cast<ce::frmSplash*>(widget)) {
                clickedBeforeBar = !splash->barShown();
                QTest::mouseClick(splash, Qt::LeftButton);
                openAfterClick = !splash->isHidden();
            }
        }
    });
    QVERIFY(startup.run());
    QVERIFY(openAfterClick);
    QVERIFY(startup.splashTicks() >= 25);
    if (!clickedBeforeBar)
        QWARN("the first splash tick came before the click; the case ran with the bar shown");
    const QFileInfo picture(program.dataFile(QStringLiteral("test.bmp")));
    QVERIFY(picture.exists());
    QVERIFY(!QImage(picture.filePath()).isNull());
}

void StartupTest::versionLabelShowsThreeNumbers()
{
    ce::frmSplash splash(QString{});
    auto* label = splash.findChild<QLabel*>(QStringLiteral("lblVersion"));
    QVERIFY(label);
    QVERIFY2(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                 .match(label->text())
                 .hasMatch(),
             qPrintable(label->text()));
}

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
