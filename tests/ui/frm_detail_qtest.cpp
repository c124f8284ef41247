// The object details window, driven offscreen: title and report in a
// monospace box large enough for it, "Copier", "OK", and the modal call that
// builds a fresh window each time.

#include "skymap/ui/frm_detail.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

namespace ce {

class FrmDetailTest : public QObject {
    Q_OBJECT

private slots:
    void modalWindowShowsCopiesAndCloses()
    {
        // 16 lines joined with CR LF, none after the last, blanks kept at both ends.
        QStringList lines(16, QStringLiteral("   "));
        lines[0] = QStringLiteral("INFORMATION SUR L'OBJET");
        lines[2] = QStringLiteral("   Magnitude Rouge:  9.8");
        const QString report = lines.join(QStringLiteral("\r\n"));
        QWidget owner;
        QPointer<skymap::FrmDetail> shown;
        for (const bool viaOk : {true, false}) {
            QGuiApplication::clipboard()->setText(QStringLiteral("texte d'avant"));
            QTimer::singleShot(0, this, [&] {
                auto* window = qobject_cast<skymap::FrmDetail*>(QApplication::activeModalWidget());
                QVERIFY(window && window != shown && window->parentWidget() == &owner);  // a fresh window each time
                shown = window;
                QCOMPARE(window->windowTitle(), QStringLiteral("About 0825-07582619"));
                auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("Text"));
                QVERIFY(text->isReadOnly());
                QCOMPARE(text->document()->blockCount(), 16);
                QCOMPARE(text->document()->findBlockByNumber(2).text(), lines[2]);
                // Monospace, with room for 16 lines of 60 characters without scrolling.
                QVERIFY(QFontInfo(text->font()).fixedPitch());
                const QFontMetrics metrics(text->font());
                QVERIFY(text->viewport()->width() >= metrics.horizontalAdvance(QString(60, u'0')));
                QVERIFY(text->viewport()->height() >= 16 * metrics.lineSpacing());
                // "Copier" puts the whole report on the clipboard, CR LF and blanks kept.
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("copy")), Qt::LeftButton);
                QVERIFY(window->isVisible());
                if (viaOk)
                    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
                else
                    window->close();  // the close box ends the modal call too
            });
            showFrmDetail(&owner, QStringLiteral("About 0825-07582619"), report);
            QCOMPARE(QGuiApplication::clipboard()->text(), report);
            QVERIFY(shown.isNull());  // discarded once closed
        }
    }
};

}  // namespace ce

QTEST_MAIN(ce::FrmDetailTest)
#include "frm_detail_qtest.moc"
