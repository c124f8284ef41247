// The help window and the about window.

#include "app/ui/form1.h"
#include "app/ui/help_window.h"
#include "app/ui/splash.h"
#include "tests/ui/ui_support.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

using ce::testing::ScriptedDialogs;
using ce::testing::sectionText;
using ce::testing::TempProgram;

namespace {

// A two-paragraph help page: a bold heading with an accented letter, then
// ordinary text.
const QByteArray kHelpPage =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\fs32\\b Aide g\\'e9n\\'e9rale\\b0\\par\n"
    "\\fs22 Chargez une image.\\par}";

ce::LanguageTable tableWithHelpTitle()
{
    ce::LanguageTable lang;
    for (int n = 1; n <= 20; ++n)
        lang.form[std::size_t(n)] = sectionText('F', n);
    return lang;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void missingHelpFileGivesOneMessageAndAnEmptyWindow();
    void helpPageShowsFormattedTextAndComesForward();
    void aboutWindowClosesOnClickAndSavesPicture();
};

void HelpTest::missingHelpFileGivesOneMessageAndAnEmptyWindow()
{
    TempProgram program;
    ce::LanguageTable lang = tableWithHelpTitle();
    ScriptedDialogs dialogs;
    ce::Form1 form(lang, program.paths(), dialogs);

    form.showHelp();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages.first().text.contains(program.programFile(QStringLiteral("aide.rtf"))));
    QVERIFY(dialogs.messages.first().title.isEmpty());  // the program's default title
    ce::frmTip* help = form.helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QVERIFY(help->plainText().isEmpty());
    // The texts are not applied after a failed load: the layout title stays.
    QCOMPARE(help->windowTitle(), QStringLiteral("Aide"));
}

void HelpTest::helpPageShowsFormattedTextAndComesForward()
{
    TempProgram program;
    QVERIFY(writeBytes(program.programFile(QStringLiteral("aide.rtf")), kHelpPage));
    ce::LanguageTable lang = tableWithHelpTitle();
    ScriptedDialogs dialogs;
    ce::Form1 form(lang, program.paths(), dialogs);

    form.showHelp();
    QVERIFY(dialogs.messages.isEmpty());
    QPointer<ce::frmTip> help = form.helpWindow();
    QVERIFY(help);
    QVERIFY(!help->isModal());
    QCOMPARE(help->plainText(), QStringLiteral("Aide générale\nChargez une image."));
    QCOMPARE(help->windowTitle(), sectionText('F', 13));
    const QTextCharFormat heading =
        help->document()->firstBlock().begin().fragment().charFormat();
    QCOMPARE(heading.fontWeight(), int(QFont::Bold));
    QCOMPARE(heading.fontPointSize(), 16.0);  // \fs32: half points
    const QTextCharFormat body =
        help->document()->firstBlock().next().begin().fragment().charFormat();
    QCOMPARE(body.fontWeight(), int(QFont::Normal));
    QCOMPARE(body.fontPointSize(), 11.0);

    // Open already: brought forward, not loaded again.
    QVERIFY(writeBytes(program.programFile(QStringLiteral("aide.rtf")),
                       "{\\rtf1 Autre page.\\par}"));
    form.showHelp();
    QCOMPARE(form.helpWindow(), help.data());
    QCOMPARE(help->plainText(), QStringLiteral("Aide générale\nChargez une image."));

    // "Page suivante" changes nothing; "OK" closes and releases the window.
    help->findChild<QPushButton*>(QStringLiteral("cmdNextTip"))->click();
    QVERIFY(help->isVisible());
    QCOMPARE(help->plainText(), QStringLiteral("Aide générale\nChargez une image."));
    help->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    QTRY_VERIFY(help.isNull());

    // Opened again, it reads the file again.
    form.showHelp();
    QVERIFY(form.helpWindow());
    QCOMPARE(form.helpWindow()->plainText(), QStringLiteral("Autre page."));
}

void HelpTest::aboutWindowClosesOnClickAndSavesPicture()
{
    TempProgram program;
    ce::LanguageTable lang;
    ScriptedDialogs dialogs;
    ce::Form1 form(lang, program.paths(), dialogs);

    bool barHidden = false;
    QTimer::singleShot(0, this, [&barHidden] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* about = qobject_cast<ce::frmSplash*>(widget);
            if (about && about->isVisible()) {
                barHidden = !about->barShown();
                QTest::mouseClick(about, Qt::LeftButton);
            }
        }
    });
    // Returns only because the click closed the modal window.
    form.showAbout();
    QVERIFY(barHidden);
    QVERIFY(QFileInfo::exists(program.dataFile(QStringLiteral("test.bmp"))));
}

QTEST_MAIN(HelpTest)
#include "help_qtest.moc"
