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

using ce::testing::WindowRig;

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void helpPageShowsFormattedTextAndComesForward()
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
    }

    void aboutWindowClosesOnClickAndSavesPicture()
    {
        WindowRig rig;
        bool barHidden = false;
        QTimer::singleShot(0, this, [&barHidden] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* about = qobject_cast<ce::frmSplash*>(widget); about && about->isVisible()) {
                    barHidden = !about->barShown();
                    QTest::mouseClick(about, Qt::LeftButton);
                }
        });
        rig.open().showAbout();  // returns only because the click closed the modal window
        QVERIFY(barHidden);
        QVERIFY(QFileInfo::exists(rig.program.dataFile(QStringLiteral("test.bmp"))));
    }
};

QTEST_MAIN(HelpTest)
#include "help_qtest.moc"
