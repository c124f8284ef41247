// The classical calibration window, offscreen. Expected factors come from the
// closed form CX = 60·F·NX / (3438·W), CY = 60·F·NY / (3438·H) (3438
// arc-minutes per radian) and the field from 3438 / F · W arc-minutes.

#include "calibration/ui/config2_window.h"

#include "tests/flow/fake_view.h"
#include "tests/ui/ui_support.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

namespace ce {

class Config2WindowTest : public QObject {
    Q_OBJECT

private:
    static double closedForm(double focalMm, double pixels, double sizeMm) { return 60.0 * focalMm * pixels / (3438.0 * sizeMm); }

private slots:
    void calculationFillsTheFactorsOrLeavesThem()
    {
        LanguageTable lang;
        lang.messages[7] = QStringLiteral("Résultat");
        testing::FakeView view;
        testing::ScriptedDialogs dialogs;
        view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("2599.43"));
        Config2 w(view, lang, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto fill = [&w](const QStringList& texts) {
            for (int k = 0; k < 5; ++k) w.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(k + 1))->setText(texts[k]);
        };
        const auto corr = [&view](const char* field) { return view.text(QLatin1String(field)).toDouble(); };

        // A failure (each reading and division rule is the solver's own) leaves the factors.
        fill({"9", "9", "1000", "1000", "0"});
        w.Calculer();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(view.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));

        // The square sensor: 9 mm, 1000 pixels, 1000 mm.
        fill({"9", "9", "1000", "1000", "1000"});
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmd1")), Qt::LeftButton);
        const double expected = closedForm(1000, 1000, 9);  // 1939.11…
        QVERIFY(view.text(QStringLiteral("txt_corrasd")).startsWith(QStringLiteral("1939.1")));
        QVERIFY(qAbs(corr("txt_corrasd") - expected) < expected * 1e-12);
        QVERIFY(qAbs(corr("txt_corrdec") - expected) < expected * 1e-12);
        const QString field = QStringLiteral("30") + QLocale::system().decimalPoint() + QStringLiteral("942");  // 3438/1000·9
        QCOMPARE(dialogs.messages.last().text, QStringLiteral("Résultat: CX = ") + view.text(QStringLiteral("txt_corrasd")) +
                                                   QStringLiteral(" et CY = ") + view.text(QStringLiteral("txt_corrdec")) +
                                                   QChar(13) + QStringLiteral("CCD size: ") + field +
                                                   QStringLiteral("' x ") + field + u'\'');
        QVERIFY(w.isVisible());  // stays open for another try

        // Rectangular pixels, computed on Enter in a field.
        fill({"6.4", "4.8", "640", "240", "500"});
        auto* focal = w.findChild<QLineEdit*>(QStringLiteral("txt_5"));
        focal->setFocus();
        QTest::keyClick(focal, Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), 3);
        QVERIFY(qAbs(corr("txt_corrasd") - closedForm(500, 640, 6.4)) < 1e-9);
        QVERIFY(qAbs(corr("txt_corrdec") - closedForm(500, 240, 4.8)) < 1e-9);
    }
};

}  // namespace ce

QTEST_MAIN(ce::Config2WindowTest)
#include "config2_window_qtest.moc"
