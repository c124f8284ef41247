// The object details window, driven offscreen: title and report, the
// monospace box large enough for the whole report, "Copier", "OK", the
// close box, and the modal call that builds a fresh window each time.

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
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace ce {

namespace {

// A report laid out as the details report is: 16 lines joined with CR LF,
// no break after the last, blanks kept at both ends of lines.
QString sampleReport(const QString& id)
{
    const QStringList lines = {
        QStringLiteral("INFORMATION SUR L'OBJET"),
        QStringLiteral("   Identification: ") + id,
        QStringLiteral("   Magnitude Rouge:  9.8"),
        QStringLiteral("   Magnitude Bleu: 11.2"),
        QStringLiteral("   "),
        QStringLiteral("COORDONNEE EQUATORIALE (J2000.0)"),
        QStringLiteral("   Ascention droite: 187.5  (12H30'0'')"),
        QStringLiteral("   Declinaison: -5.25  (-5°15'0'')"),
        QStringLiteral("   "),
        QStringLiteral("COORDONNEE EQUATORIALE (J1950.5)"),
        QStringLiteral("   Ascention droite: 186.86419  (12H27'27'')"),
        QStringLiteral("   Declinaison: -4.97874  (-4°58'43'')"),
        QStringLiteral("   "),
        QStringLiteral("NOM DANS LES CATALOGUES"),
        QStringLiteral("   USNO-A2.0: ") + id,
        QStringLiteral("   "),
    };
    return lines.join(QStringLiteral("\r\n"));
}

// Runs `step` on the modal window once it is up, from inside its event loop.
void whenModalShown(const std::function<void(skymap::FrmDetail*)>& step)
{
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [step, attempt](int triesLeft) {
        auto* window = qobject_cast<skymap::FrmDetail*>(QApplication::activeModalWidget());
        if (window && window->isVisible()) {
            step(window);
        } else if (triesLeft > 0) {
            QTimer::singleShot(10, [attempt, triesLeft] { (*attempt)(triesLeft - 1); });
        } else if (QWidget* other = QApplication::activeModalWidget()) {
            other->close();  // never leave the test waiting on a window
        }
    };
    QTimer::singleShot(0, [attempt] { (*attempt)(200); });
}

}  // namespace

class FrmDetailTest : public QObject {
    Q_OBJECT

private slots:
    void showsTitleAndWholeReport();
    void copierPutsTheReportOnTheClipboard();
    void okAndCloseBoxClose();
    void modalCallBuildsAFreshWindowEachTime();
};

void FrmDetailTest::showsTitleAndWholeReport()
{
    const QString report = sampleReport(QStringLiteral("0825-07582619"));
    skymap::FrmDetail window;
    window.fill(QStringLiteral("About 0825-07582619"), report);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.objectName(), QStringLiteral("FrmDetail"));
    QCOMPARE(window.windowTitle(), QStringLiteral("About 0825-07582619"));
    QVERIFY(window.isModal());
    auto* text = window.findChild<QPlainTextEdit*>(QStringLiteral("Text"));
    QVERIFY(text);
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->document()->blockCount(), 16);
    QCOMPARE(text->document()->findBlockByNumber(2).text(), QStringLiteral("   Magnitude Rouge:  9.8"));
    QVERIFY(!text->toPlainText().contains(u'\r'));
    QCOMPARE(window.report(), report);

    // Monospace, and room for 16 lines of 60 characters without scrolling.
    QVERIFY(QFontInfo(text->font()).fixedPitch());
    const QFontMetrics metrics(text->font());
    QVERIFY(text->viewport()->width() >= metrics.horizontalAdvance(QString(60, u'0')));
    QVERIFY(text->viewport()->height() >= 16 * metrics.lineSpacing());
}

void FrmDetailTest::copierPutsTheReportOnTheClipboard()
{
    const QString report = sampleReport(QStringLiteral("0900-00000001"));
    QGuiApplication::clipboard()->setText(QStringLiteral("texte d'avant"));
    skymap::FrmDetail window;
    window.fill(QStringLiteral("About 0900-00000001"), report);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto* copy = window.findChild<QPushButton*>(QStringLiteral("copy"));
    QVERIFY(copy);
    QCOMPARE(copy->text(), QStringLiteral("Copier"));
    QTest::mouseClick(copy, Qt::LeftButton);

    // The whole report, CR LF line ends and all blanks kept, replaces the text.
    QCOMPARE(QGuiApplication::clipboard()->text(), report);
    QVERIFY(window.isVisible());
}

void FrmDetailTest::okAndCloseBoxClose()
{
    skymap::FrmDetail window;
    window.fill(QStringLiteral("About x"), sampleReport(QStringLiteral("x")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("OKButton"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QSignalSpy finished(&window, &QDialog::finished);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(finished.count(), 1);

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
    bool sameWindow = true;
    whenModalShown([&](skymap::FrmDetail* window) {
        sameWindow = window == first.data() && !first.isNull();
        QCOMPARE(window->parentWidget(), &owner);
        secondReport = window->report();
        window->close();  // the close box ends the modal call too
    });
    showFrmDetail(&owner, QStringLiteral("About 0900-00000002"), sampleReport(QStringLiteral("0900-00000002")));
    QVERIFY(!sameWindow);
    QCOMPARE(secondReport, sampleReport(QStringLiteral("0900-00000002")));
}

}  // namespace ce

QTEST_MAIN(ce::FrmDetailTest)
#include "frm_detail_qtest.moc"
