// The help window's links: a link to a bookmark of the page scrolls the page
// there when clicked; a link to an address opens nothing and shows where it
// leads. Bookmarks keep their place when a long paragraph is laid out in
// several blocks.

#include "app/builtin_texts.h"
#include "app/language_table.h"
#include "app/ui/help_window.h"
#include "tests/ui/ui_support.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

namespace {

// Clicks the middle of the character at `position` of the window's page.
void clickCharacter(QTextBrowser& browser, int position)
{
    QTextCursor cursor(browser.document());
    cursor.setPosition(position);
    const QRect before = browser.cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect after = browser.cursorRect(cursor);
    const QPoint middle((before.left() + after.left()) / 2, before.center().y());
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, middle);
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void linksLeadToBookmarksOnly()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("aide.rtf"));
        QByteArray rtf = "{\\rtf1\\ansi Voir {\\field{\\*\\fldinst HYPERLINK \\\\l \"exports\"}{\\fldrslt les exports}}"
                         " ou {\\field{\\*\\fldinst HYPERLINK \"http://127.0.0.1/aide\"}{\\fldrslt le site}}.\\par\n";
        for (int i = 0; i < 300; ++i)
            rtf += "Ligne " + QByteArray::number(i) + "\\par\n";
        rtf += "{\\*\\bkmkstart exports}Exports\\par\n";
        for (int i = 0; i < 60; ++i)
            rtf += "Fin " + QByteArray::number(i) + "\\par\n";
        rtf += '}';
        QVERIFY(ce::writeFileBytes(file, rtf, ce::test::KeyEcho()).ok());

        ce::LanguageTable lang;
        ce::testing::ScriptedDialogs dialogs;
        ce::frmTip help(file, lang, dialogs);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("textbox"));
        QVERIFY(browser);
        const QString page = help.plainText();
        QVERIFY(page.startsWith(QStringLiteral("Voir les exports ou le site.\n")));
        QVERIFY(!page.contains(QStringLiteral("HYPERLINK")));
        QScrollBar* bar = browser->verticalScrollBar();
        QCOMPARE(bar->value(), 0);

        // The address: shown on the link, never followed.
        const int site = int(page.indexOf(QStringLiteral("le site")));
        QTextCursor at(help.document());
        at.setPosition(site + 1);
        QCOMPARE(at.charFormat().anchorHref(), QStringLiteral("http://127.0.0.1/aide"));
        QCOMPARE(at.charFormat().toolTip(), QStringLiteral("http://127.0.0.1/aide"));
        clickCharacter(*browser, site + 2);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(help.plainText(), page);
        QVERIFY(browser->source().isEmpty());

        // The bookmark: its line comes to the top of the view.
        const int exports = int(page.indexOf(QStringLiteral("\nExports\n"))) + 1;
        clickCharacter(*browser, int(page.indexOf(QStringLiteral("les exports"))) + 2);
        QVERIFY(bar->value() > 0);
        QTextCursor target(help.document());
        target.setPosition(exports);
        const QRect line = browser->cursorRect(target);
        QVERIFY2(line.top() >= 0 && line.top() < line.height(), qPrintable(QString::number(line.top())));

        // An unknown bookmark moves nothing.
        const int scrolled = bar->value();
        QVERIFY(!help.showBookmark(QStringLiteral("ailleurs")));
        QCOMPARE(bar->value(), scrolled);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void bookmarksKeepTheirCharacter()
    {
        // A paragraph far longer than one block, bookmarks at its start, in
        // its middle, before its last character and at its end; then a
        // paragraph holding only a bookmark, and one more.
        QString words;
        for (int i = 0; words.size() < 3 * ce::kLongParagraphChars; ++i)
            words += QStringLiteral("mot%1 ").arg(i);
        const qsizetype offsets[] = {0, ce::kLongParagraphChars + 7, words.size() - 1, words.size()};
        QByteArray rtf = "{\\rtf1\\ansi ";
        qsizetype from = 0;
        for (int k = 0; k < 4; ++k) {
            rtf += words.mid(from, offsets[k] - from).toLatin1() + "{\\*\\bkmkstart b" + QByteArray::number(k) + '}';
            from = offsets[k];
        }
        rtf += "\\par{\\*\\bkmkstart seul}\\par Sui{\\*\\bkmkstart suite}te\\par}";
        const auto read = ce::readRtf(rtf, ce::builtinLanguage());
        QVERIFY(read.ok());

        QTextDocument document;
        const QHash<QString, int> bookmarks = ce::fillTextDocument(*read, document);
        QVERIFY(document.blockCount() > 5);  // the long paragraph went into several blocks
        QCOMPARE(bookmarks.size(), 6);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(document.characterAt(bookmarks.value(QStringLiteral("b%1").arg(k))), words.at(offsets[k]));
        const QChar endOfBlock(QChar::ParagraphSeparator);
        QCOMPARE(document.characterAt(bookmarks.value(QStringLiteral("b3"))), endOfBlock);
        QCOMPARE(document.characterAt(bookmarks.value(QStringLiteral("seul"))), endOfBlock);
        QCOMPARE(document.findBlock(bookmarks.value(QStringLiteral("seul"))).text(), QString());
        QCOMPARE(document.characterAt(bookmarks.value(QStringLiteral("suite"))), QChar(u't'));
        QCOMPARE(document.findBlock(bookmarks.value(QStringLiteral("suite"))).text(), QStringLiteral("Suite"));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_qtest.moc"
