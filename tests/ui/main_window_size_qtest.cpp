// The main window's size: at its default size it fits a 1280 x 800 screen,
// and a calibration started on it swaps the debug frame for the calibration
// frame without making the window grow.

#include "app/ui/form1.h"
#include "tests/ui/ui_support.h"

#include <QtTest>

class MainWindowSizeTest : public QObject {
    Q_OBJECT

private slots:
    void fitsA1280By800ScreenAndCalibrationKeepsTheSize()
    {
        for (const bool super : {false, true}) {
            ce::testing::WindowRig rig;
            ce::Form1& form = rig.open();
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            // Some room is left for the frame a window manager adds.
            QVERIFY2(form.width() <= 1264 && form.height() <= 760,
                     qPrintable(QStringLiteral("%1 x %2").arg(form.width()).arg(form.height())));
            const QSize before = form.size();
            ce::ReductionController& controller = form.controller();
            if (super) {
                controller.state().solutionAccepted = true;
                controller.startSuperEtalonage();
            } else {
                controller.state().imageLoaded = true;
                controller.startEtalonage();
            }
            QCoreApplication::processEvents();
            QVERIFY(form.isVisible(QStringLiteral("Frm_4")) && !form.isVisible(QStringLiteral("Frm_3")));
            QCOMPARE(form.size(), before);
        }
    }
};

QTEST_MAIN(MainWindowSizeTest)
#include "main_window_size_qtest.moc"
