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

using ce::testing::sectionText;
using ce::testing::WindowRig;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void nameFormTexts(ce::LanguageTable& lang)
{
    for (int n = 1; n <= 20; ++n) lang.form[std::size_t(n)] = sectionText('F', n);
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void missingHelpFileGivesOneMessageAndAnEmptyWindow()
    {
        WindowRig rig;
        nameFormTexts(rig.lang);
        rig.open().showHelp();
        QCOMPARE(rig.dialogs.messages.size(), 1);
        QVERIFY(rig.dialogs.messages.first().text.contains(rig.program.programFile(QStringLiteral("aide.rtf"))));
        QVERIFY(rig.dialogs.messages.first().title.isEmpty());  // the program's default title
        ce::frmTip* help = rig.form->helpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(help->plainText().isEmpty());
        // The texts are not applied after a failed load: the layout title stays.
        QCOMPARE(help->windowTitle(), QStringLiteral("Aide"));
    }

    void helpPageShowsFormattedTextAndComesForward()
    {
        WindowRig rig;
        nameFormTexts(rig.lang);
        const QString file = rig.program.programFile(QStringLiteral("aide.rtf"));
        // A bold heading with accented letters, then ordinary text.
        QVERIFY(writeBytes(file, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\fs32\\b Aide g\\'e9n\\'e9rale\\b0\\par\n"
                                 "\\fs22 Chargez une image.\\par}"));
        ce::Form1& form = rig.open();
        form.showHelp();
        QVERIFY(rig.dialogs.messages.isEmpty());
        QPointer<ce::frmTip> help = form.helpWindow();
        QVERIFY(help);
        QVERIFY(!help->isModal());
        const QString page = QStringLiteral("Aide générale\nChargez une image.");
        QCOMPARE(help->plainText(), page);
        QCOMPARE(help->windowTitle(), sectionText('F', 13));
        // The formatted page, not its plain text: the heading is bold (the
        // formatting itself is the reader's own case).
        const QTextBlock first = help->document()->firstBlock();
        QCOMPARE(first.begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(first.next().begin().fragment().charFormat().fontWeight(), int(QFont::Normal));

        // Open already: brought forward, not loaded again.
        QVERIFY(writeBytes(file, "{\\rtf1 Autre page.\\par}"));
        form.showHelp();
        QCOMPARE(form.helpWindow(), help.data());
        QCOMPARE(help->plainText(), page);
        // "Page suivante" changes nothing; "OK" closes and releases the window.
        help->findChild<QPushButton*>(QStringLiteral("cmdNextTip"))->click();
        QVERIFY(help->isVisible());
        QCOMPARE(help->plainText(), page);
        help->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        QTRY_VERIFY(help.isNull());
        // Opened again, it reads the file again.
        form.showHelp();
        QVERIFY(form.helpWindow());
        QCOMPARE(form.helpWindow()->plainText(), QStringLiteral("Autre page."));
    }

    void aboutWindowClosesOnClickAndSavesPicture()
    {
        WindowRig rig;
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
        rig.open().showAbout();  // returns only because the click closed the modal window
        QVERIFY(barHidden);
        QVERIFY(QFileInfo::exists(rig.program.dataFile(QStringLiteral("test.bmp"))));
    }
};

QTEST_MAIN(HelpTest)
#include "help_qtest.moc"
