// The object details window, driven offscreen: title and report in a
// monospace box large enough for it, "Copier", "OK", the close box, and the
// modal call that builds a fresh window each time.

#include "skymap/ui/frm_detail.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace ce {

namespace {

// 16 lines joined with CR LF, none after the last, blanks kept at both ends.
QString sampleReport(const QString& id)
{
    QStringList lines(16, QStringLiteral("   "));
    lines[0] = QStringLiteral("INFORMATION SUR L'OBJET");
    lines[1] = QStringLiteral("   Identification: ") + id;
    lines[2] = QStringLiteral("   Magnitude Rouge:  9.8");
    lines[6] = QStringLiteral("   Ascention droite: 186.86419  (12H27'27'')");
    lines[14] = QStringLiteral("   USNO-A2.0: ") + id;
    return lines.join(QStringLiteral("\r\n"));
}

// Runs `step` on the modal window once it is up, from inside its event loop.
void whenModalShown(const std::function<void(skymap::FrmDetail*)>& step)
{
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [step, attempt](int triesLeft) {
        auto* window = qobject_cast<skymap::FrmDetail*>(QApplication::activeModalWidget());
        if (window && window->isVisible())
            step(window);
        else if (triesLeft > 0)
            QTimer::singleShot(10, [attempt, triesLeft] { (*attempt)(triesLeft - 1); });
        else if (QWidget* other = QApplication::activeModalWidget())
            other->close();  // never leave the test waiting on a window
    };
    QTimer::singleShot(0, [attempt] { (*attempt)(200); });
}

}  // namespace

class FrmDetailTest : public QObject {
    Q_OBJECT

private slots:
    void showsCopiesAndCloses();
    void modalCallBuildsAFreshWindowEachTime();
};

void FrmDetailTest::showsCopiesAndCloses()
{
    const QString report = sampleReport(QStringLiteral("0825-07582619"));
    skymap::FrmDetail window;
    window.fill(QStringLiteral("About 0825-07582619"), report);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("About 0825-07582619"));
    QVERIFY(window.isModal());
    auto* text = window.findChild<QPlainTextEdit*>(QStringLiteral("Text"));
    QVERIFY(text && text->isReadOnly());
    QCOMPARE(text->document()->blockCount(), 16);
    QCOMPARE(text->document()->findBlockByNumber(2).text(), QStringLiteral("   Magnitude Rouge:  9.8"));
    QVERIFY(!text->toPlainText().contains(u'\r'));
    QCOMPARE(window.report(), report);
    // Monospace, with room for 16 lines of 60 characters without scrolling.
    QVERIFY(QFontInfo(text->font()).fixedPitch());
    const QFontMetrics metrics(text->font());
    QVERIFY(text->viewport()->width() >= metrics.horizontalAdvance(QString(60, u'0')));
    QVERIFY(text->viewport()->height() >= 16 * metrics.lineSpacing());

    // "Copier" replaces the clipboard with the whole report, CR LF and blanks kept.
    QGuiApplication::clipboard()->setText(QStringLiteral("texte d'avant"));
    auto* copy = window.findChild<QPushButton*>(QStringLiteral("copy"));
    QVERIFY(copy);
    QCOMPARE(copy->text(), QStringLiteral("Copier"));
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), report);
    QVERIFY(window.isVisible());

    auto* ok = window.findChild<QPushButton*>(QStringLiteral("OKButton"));
    QVERIFY(ok);
    QSignalSpy finished(&window, &QDialog::finished);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.close();  // the close box
    QVERIFY(!window.isVisible());
    QCOMPARE(finished.count(), 2);
}

void FrmDetailTest::modalCallBuildsAFreshWindowEachTime()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QPointer<skymap::FrmDetail> first;
    QString firstTitle;
    whenModalShown([&](skymap::FrmDetail* window) {
        first = window;
        firstTitle = window->windowTitle();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    showFrmDetail(&owner, QStringLiteral("About 0900-00000001"), sampleReport(QStringLiteral("0900-00000001")));
    QCOMPARE(firstTitle, QStringLiteral("About 0900-00000001"));
    QVERIFY(first.isNull());  // discarded once closed

    QString secondReport;
    QWidget* secondParent = nullptr;
    whenModalShown([&](skymap::FrmDetail* window) {
        secondParent = window->parentWidget();
        secondReport = window->report();
        window->close();  // the close box ends the modal call too
    });
    showFrmDetail(&owner, QStringLiteral("About 0900-00000002"), sampleReport(QStringLiteral("0900-00000002")));
    QCOMPARE(secondParent, &owner);
    QCOMPARE(secondReport, sampleReport(QStringLiteral("0900-00000002")));
}

}  // namespace ce

QTEST_MAIN(ce::FrmDetailTest)
#include "frm_detail_qtest.moc"
