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

#include <array>

namespace ce {

class Config2WindowTest : public QObject {
    Q_OBJECT

private:
    LanguageTable lang_;
    testing::FakeView view_;
    testing::ScriptedDialogs dialogs_;

    static void fill(Config2& w, const std::array<QString, 5>& texts)
    {
        for (int k = 0; k < 5; ++k)
            w.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(k + 1))->setText(texts[std::size_t(k)]);
    }
    static double closedForm(double focalMm, double pixels, double sizeMm)
    {
        return 60.0 * focalMm * pixels / (3438.0 * sizeMm);
    }
    double corr(const char* field) const { return view_.text(QString::fromLatin1(field)).toDouble(); }

private slots:
    void init()
    {
        dialogs_.messages.clear();
        lang_.messages[7] = QStringLiteral("Résultat");
        for (int n = 1; n <= 8; ++n) lang_.config2[std::size_t(n)] = QStringLiteral("K%1").arg(n);
        view_.setText(QStringLiteral("txt_corrasd"), QStringLiteral("2599.43"));
        view_.setText(QStringLiteral("txt_corrdec"), QStringLiteral("2709.96"));
    }

    void squareSensorExample()
    {
        Config2 w(view_, lang_, dialogs_);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("K1"));
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("lbl_5"))->property("text").toString(), QStringLiteral("K7"));
        fill(w, {"9", "9", "1000", "1000", "1000"});
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmd1")), Qt::LeftButton);

        const double expected = closedForm(1000, 1000, 9);  // 1939.11…
        QVERIFY(view_.text(QStringLiteral("txt_corrasd")).startsWith(QStringLiteral("1939.1")));
        QVERIFY(qAbs(corr("txt_corrasd") - expected) < expected * 1e-12);
        QVERIFY(qAbs(corr("txt_corrdec") - expected) < expected * 1e-12);
        QCOMPARE(dialogs_.messages.size(), 1);
        const QString point = QLocale::system().decimalPoint();
        const QString field = QStringLiteral("30") + point + QStringLiteral("942");  // 3438/1000·9
        QCOMPARE(dialogs_.messages[0].text,
                 QStringLiteral("Résultat: CX = ") + view_.text(QStringLiteral("txt_corrasd")) +
                     QStringLiteral(" et CY = ") + view_.text(QStringLiteral("txt_corrdec")) +
                     QChar(13) + QStringLiteral("CCD size: ") + field + QStringLiteral("' x ") +
                     field + u'\'');
        QVERIFY(w.isVisible());  // stays open for another try

        // Enter in a field presses "Calculer" too.
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* focal = w.findChild<QLineEdit*>(QStringLiteral("txt_5"));
        focal->setFocus();
        view_.setText(QStringLiteral("txt_corrasd"), QStringLiteral("1"));
        QTest::keyClick(focal, Qt::Key_Return);
        QCOMPARE(dialogs_.messages.size(), 2);
        QVERIFY(view_.text(QStringLiteral("txt_corrasd")).startsWith(QStringLiteral("1939.1")));
    }

    void inputsAndFailures_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<double>("cx");  // 0: must fail (each reading and division rule is the solver's own)
        QTest::addColumn<double>("cy");
        QTest::newRow("rectangular pixels")
            << QStringList{"6.4", "4.8", "640", "240", "500"} << closedForm(500, 640, 6.4)
            << closedForm(500, 240, 4.8);
        QTest::newRow("focal length with a unit") << QStringList{"9", "9", "1000", "1000", "1000 mm"} << 0.0 << 0.0;
        QTest::newRow("focal length 0") << QStringList{"9", "9", "1000", "1000", "0"} << 0.0 << 0.0;
    }
    void inputsAndFailures()
    {
        QFETCH(QStringList, texts);
        QFETCH(double, cx);
        QFETCH(double, cy);
        Config2 w(view_, lang_, dialogs_);
        fill(w, {texts[0], texts[1], texts[2], texts[3], texts[4]});
        w.Calculer();
        QCOMPARE(dialogs_.messages.size(), 1);
        if (cx == 0.0) {
            QCOMPARE(view_.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));
            QCOMPARE(view_.text(QStringLiteral("txt_corrdec")), QStringLiteral("2709.96"));
            QVERIFY(!dialogs_.messages[0].text.contains(QStringLiteral("CX = ")));
        } else {
            QVERIFY(qAbs(corr("txt_corrasd") - cx) < cx * 1e-12);
            QVERIFY(qAbs(corr("txt_corrdec") - cy) < cy * 1e-12);
        }
    }
};

}  // namespace ce

QTEST_MAIN(ce::Config2WindowTest)
#include "config2_window_qtest.moc"
