// The main window's own behaviour: the defaults file, the decimal-comma
// repair while typing, the sign buttons, the status list and the check box
// states as the controller reads them.

#include "app/ui/apply_lang.h"
#include "app/ui/form1.h"
#include "tests/ui/ui_support.h"

#include <QCheckBox>
#include <QDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

using ce::testing::languageLines;
using ce::testing::ScriptedDialogs;
using ce::testing::TempProgram;

namespace {

// The nine defaults in file order: eight fields, then the check box.
const QStringList kDefaultFields = {
    QStringLiteral("txt_calcul"),  QStringLiteral("txt_corrasd"), QStringLiteral("txt_corrdec"),
    QStringLiteral("txt_distance"), QStringLiteral("txt_mag"),    QStringLiteral("txt_mag2"),
    QStringLiteral("txt_tolerance"), QStringLiteral("txt_url")};

// A main window over `program`, its load step run, no texts applied.
std::unique_ptr<ce::Form1> openWindow(const TempProgram& program, ce::LanguageTable& lang,
                                      ScriptedDialogs& dialogs)
{
    return std::make_unique<ce::Form1>(lang, program.paths(), dialogs);
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void builtInValuesWithoutDefaultsFile();
    void savedDefaultsComeBackUnchanged();
    void partialDefaultsFileSetsTheFieldsItHolds_data();
    void partialDefaultsFileSetsTheFieldsItHolds();
    void unwritableDefaultsFileIsReported();
    void commaBecomesPointWhileTyping_data();
    void commaBecomesPointWhileTyping();
    void pastedCommasAllBecomePoints();
    void signButtonsSetTheirOwnLabel_data();
    void signButtonsSetTheirOwnLabel();
    void statusListShowsNewestFirst();
    void menuEntriesOpenTheirWindows_data();
    void menuEntriesOpenTheirWindows();
    void projectEntriesAskForAFile();
    void downloadProgressShowsAndCancels();
    void quitEndsTheProgram();
};

void Form1Test::builtInValuesWithoutDefaultsFile()
{
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    const QStringList expected = {QStringLiteral("10"), QString(), QString(), QStringLiteral("20"),
                                  QStringLiteral("13"), QStringLiteral("16"), QStringLiteral("7"),
                                  QString()};
    for (int i = 0; i < kDefaultFields.size(); ++i)
        QCOMPARE(form->text(kDefaultFields[i]), expected[i]);
    QCOMPARE(form->text(QStringLiteral("txt_epoch")), QStringLiteral("2000.0"));
    QCOMPARE(form->checkState(QStringLiteral("CheckDecideur")), 0);
    QVERIFY(dialogs.messages.isEmpty());
    // The calibration frame waits hidden where the debug frame is.
    QVERIFY(!form->isVisible(QStringLiteral("Frm_4")));
    QVERIFY(form->isVisible(QStringLiteral("Frm_3")));
    QVERIFY(!form->isVisible(QStringLiteral("zoom")));
}

void Form1Test::savedDefaultsComeBackUnchanged()
{
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    // Every field different from its built-in value, one left empty, one
    // with a decimal point, and the greyed check box.
    const QStringList values = {QStringLiteral("12"), QStringLiteral("2599.43"),
                                QStringLiteral("2709.96"), QStringLiteral("35"),
                                QString(), QStringLiteral("17.5"), QStringLiteral("4"),
                                QStringLiteral("images/m31 nuit.jpg")};
    {
        auto form = openWindow(program, lang, dialogs);
        for (int i = 0; i < kDefaultFields.size(); ++i)
            form->setText(kDefaultFields[i], values[i]);
        form->setCheckState(QStringLiteral("CheckDecideur"), 2);
        form->SaveDefaut();
    }
    QVERIFY(dialogs.messages.isEmpty());
    const auto lines = ce::readTextLines(program.programFile(QStringLiteral("defaut.cfg")));
    QVERIFY(lines.ok());
    QCOMPARE(lines->size(), 9);
    QCOMPARE(lines->at(8), QStringLiteral("2"));

    auto reopened = openWindow(program, lang, dialogs);
    for (int i = 0; i < kDefaultFields.size(); ++i)
        QCOMPARE(reopened->text(kDefaultFields[i]), values[i]);
    QCOMPARE(reopened->checkState(QStringLiteral("CheckDecideur")), 2);
    // State 2 is the greyed box, not the ticked one.
    QCOMPARE(reopened->findChild<QCheckBox*>(QStringLiteral("CheckDecideur"))->checkState(),
             Qt::PartiallyChecked);
}

void Form1Test::partialDefaultsFileSetsTheFieldsItHolds_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<int>("fieldsSet");
    QTest::addColumn<int>("checkState");
    const QStringList full = {QStringLiteral("11"), QStringLiteral("2599,43"),
                              QStringLiteral("2709.96"), QStringLiteral("25"),
                              QStringLiteral("14"), QStringLiteral("18"), QStringLiteral("5"),
                              QStringLiteral("demo.png"), QStringLiteral("1")};
    QTest::newRow("five lines") << full.mid(0, 5) << 5 << 0;
    QTest::newRow("nine lines, ticked") << full << 8 << 1;
    QStringList greyed = full;
    greyed[8] = QStringLiteral("2");
    QTest::newRow("nine lines, greyed") << greyed << 8 << 2;
    QStringList letters = full;
    letters[8] = QStringLiteral("abc");
    QTest::newRow("state not a number") << letters << 8 << 0;
    QStringList three = full;
    three[8] = QStringLiteral("3");
    QTest::newRow("state out of range") << three << 8 << 0;
}

void Form1Test::partialDefaultsFileSetsTheFieldsItHolds()
{
    QFETCH(QStringList, file);
    QFETCH(int, fieldsSet);
    QFETCH(int, checkState);
    TempProgram program;
    QVERIFY(program.write(QStringLiteral("defaut.cfg"), file));
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    TempProgram bare;  // no defaut.cfg: the built-in values
    auto builtIn = openWindow(bare, lang, dialogs);
    auto form = openWindow(program, lang, dialogs);

    for (int i = 0; i < kDefaultFields.size(); ++i) {
        QString expected = i < fieldsSet ? file[i] : builtIn->text(kDefaultFields[i]);
        // Corr fields repair a decimal comma as the text goes in.
        if (kDefaultFields[i].startsWith(QStringLiteral("txt_corr")))
            expected.replace(u',', u'.');
        QCOMPARE(form->text(kDefaultFields[i]), expected);
    }
    QCOMPARE(form->checkState(QStringLiteral("CheckDecideur")), checkState);
    QVERIFY(dialogs.messages.isEmpty());
}

void Form1Test::unwritableDefaultsFileIsReported()
{
    TempProgram program;
    ce::ProgramPaths paths = program.paths();
    paths.programFolder += QStringLiteral("/absent/folder");  // nothing can be created there
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    ce::Form1 form(lang, paths, dialogs);
    form.SaveDefaut();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages.first().text.contains(QStringLiteral("defaut.cfg")));
    // The window goes on working.
    form.setText(QStringLiteral("txt_mag"), QStringLiteral("12"));
    QCOMPARE(form.text(QStringLiteral("txt_mag")), QStringLiteral("12"));
}

void Form1Test::commaBecomesPointWhileTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("repaired");
    QTest::newRow("Corr Asd") << QStringLiteral("txt_corrasd") << QStringLiteral("2599,43") << true;
    QTest::newRow("Corr Dec") << QStringLiteral("txt_corrdec") << QStringLiteral("2709,96") << true;
    QTest::newRow("epoch") << QStringLiteral("txt_epoch") << QStringLiteral("2003,5") << true;
    QTest::newRow("calibration X") << QStringLiteral("Etalo_0") << QStringLiteral("12,5") << true;
    QTest::newRow("calibration seconds") << QStringLiteral("Etalo_7") << QStringLiteral("1,25") << true;
    // Fields read by the locale rule keep what the user typed.
    QTest::newRow("RA seconds") << QStringLiteral("txt_ra_2") << QStringLiteral("50,5") << false;
    QTest::newRow("tolerance") << QStringLiteral("txt_tolerance") << QStringLiteral("7,5") << false;
}

void Form1Test::commaBecomesPointWhileTyping()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, repaired);
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    form->setText(field, QString());
    auto* edit = form->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    QTest::keyClicks(edit, typed);
    QString expected = typed;
    if (repaired)
        expected.replace(u',', u'.');
    QCOMPARE(edit->text(), expected);
    QCOMPARE(edit->cursorPosition(), int(typed.size()));
}

void Form1Test::pastedCommasAllBecomePoints()
{
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    auto* edit = form->findChild<QLineEdit*>(QStringLiteral("txt_corrasd"));
    edit->setText(QStringLiteral("9"));
    edit->setCursorPosition(0);
    edit->insert(QStringLiteral("1,2,3"));  // as a paste does
    QCOMPARE(edit->text(), QStringLiteral("1.2.39"));
    // The caret stands after the last point replaced.
    QCOMPARE(edit->cursorPosition(), 4);
}

void Form1Test::signButtonsSetTheirOwnLabel_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("centreSign");
    QTest::addColumn<QString>("calibrationSign");
    QTest::newRow("centre minus") << 0 << QStringLiteral("-") << QStringLiteral("+");
    QTest::newRow("calibration minus") << 2 << QStringLiteral("+") << QStringLiteral("-");
}

void Form1Test::signButtonsSetTheirOwnLabel()
{
    QFETCH(int, element);
    QFETCH(QString, centreSign);
    QFETCH(QString, calibrationSign);
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    form->setVisible(QStringLiteral("Frm_4"), true);
    form->show();

    const auto click = [&form](int k) {
        auto* button = form->findChild<QRadioButton*>(QStringLiteral("txt_dec_sign_%1").arg(k));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    };
    click(element);
    QCOMPARE(form->text(QStringLiteral("txt_dec_sign_show_0")), centreSign);
    QCOMPARE(form->text(QStringLiteral("txt_dec_sign_show_1")), calibrationSign);
    // Its "+" partner puts the sign back.
    click(element + 1);
    QCOMPARE(form->text(QStringLiteral("txt_dec_sign_show_0")), QStringLiteral("+"));
    QCOMPARE(form->text(QStringLiteral("txt_dec_sign_show_1")), QStringLiteral("+"));

    // A sign set by a command shows on the buttons of its own label only.
    const QString label = QStringLiteral("txt_dec_sign_show_%1").arg(element / 2);
    form->setText(label, QStringLiteral("-"));
    QCOMPARE(form->checkState(QStringLiteral("txt_dec_sign_%1").arg(element)), 1);
    QCOMPARE(form->checkState(QStringLiteral("txt_dec_sign_%1").arg(element + 1)), 0);
    const int other = element == 0 ? 3 : 1;  // the other label's "+" button
    QCOMPARE(form->checkState(QStringLiteral("txt_dec_sign_%1").arg(other)), 1);
}

void Form1Test::statusListShowsNewestFirst()
{
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    auto* list = form->findChild<QListWidget*>(QStringLiteral("status"));
    for (const char* line : {"premier", "deuxième", "troisième"})
        form->controller().AddStatus(QString::fromUtf8(line));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("troisième"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("premier"));
}

void Form1Test::menuEntriesOpenTheirWindows_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("configStatus");  // while the window is open
    QTest::newRow("assistant") << QStringLiteral("mnu_wizard") << QStringLiteral("Wizard") << 0;
    QTest::newRow("configurations") << QStringLiteral("mnu_config") << QStringLiteral("Config") << 0;
    QTest::newRow("classical calibration")
        << QStringLiteral("mnu_etalonage2") << QStringLiteral("Config2") << 0;
    QTest::newRow("Corr load button") << QStringLiteral("LoadCorr") << QStringLiteral("Config") << 2;
}

void Form1Test::menuEntriesOpenTheirWindows()
{
    QFETCH(QString, entry);
    QFETCH(QString, window);
    QFETCH(int, configStatus);
    TempProgram program;
    QVERIFY(program.write(QStringLiteral("config.cfg"), {QStringLiteral(" 0 ")}));
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);

    // Closes the modal window as soon as it runs, noting what was open.
    QString opened;
    int statusWhileOpen = -1;
    QTimer::singleShot(0, this, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = dialog->objectName();
            statusWhileOpen = form->controller().state().ConfigStatus;
            dialog->reject();
        }
    });
    if (auto* action = form->findChild<QAction*>(entry))
        action->trigger();
    else
        form->findChild<QPushButton*>(entry)->click();
    QCOMPARE(opened, window);
    QCOMPARE(statusWhileOpen, configStatus);
    QCOMPARE(int(form->controller().state().ConfigStatus), 0);
    // Closed without finishing: the assistant starts nothing.
    QCOMPARE(int(form->controller().state().WizardStatus), 0);
}

void Form1Test::projectEntriesAskForAFile()
{
    TempProgram program;
    ce::LanguageTable lang;
    lang.form[57] = QStringLiteral("Ouvrir un projet");       // message 12
    lang.form[59] = QStringLiteral("Enregistrer le projet");  // message 14
    lang.fillMessages();
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    form->findChild<QAction*>(QStringLiteral("mnu_open"))->trigger();
    form->findChild<QAction*>(QStringLiteral("mnu_save"))->trigger();
    QCOMPARE(dialogs.fileDialogTitles,
             QList<QString>({QStringLiteral("Ouvrir un projet"), QStringLiteral("Enregistrer le projet")}));
    // Both dialogs were cancelled: nothing written, nothing reported.
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(QDir(program.paths().programFolder).entryList(QDir::Files), QStringList());
}

void Form1Test::downloadProgressShowsAndCancels()
{
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    form->show();
    ce::DownloadMonitor& monitor = form->downloadMonitor();

    monitor.downloadStarted(QStringLiteral("http://127.0.0.1:8080/skycat/servers/usnoa_res?ra=1"));
    auto* box = form->findChild<QProgressDialog*>(QStringLiteral("downloadProgress"));
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

    // The next download starts afresh.
    monitor.downloadStarted(QStringLiteral("http://127.0.0.1:8080/"));
    QVERIFY(!monitor.cancelRequested());
    monitor.downloadFinished();
}

void Form1Test::quitEndsTheProgram()
{
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    auto form = openWindow(program, lang, dialogs);
    QSignalSpy ended(form.get(), &ce::Form1::programEnd);
    form->findChild<QAction*>(QStringLiteral("mnu_quit"))->trigger();
    QCOMPARE(ended.count(), 1);
    QVERIFY(dialogs.messages.isEmpty() && dialogs.questions.isEmpty());
}

QTEST_MAIN(Form1Test)
#include "form1_qtest.moc"
