// The main window's size: at its default size it fits a 1280 x 800 screen,
// and a calibration started on it swaps the debug frame for the calibration
// frame without making the window grow.

#include "app/ui/form1.h"
#include "tests/ui/ui_support.h"

#include <QtTest>

using ce::testing::WindowRig;

class MainWindowSizeTest : public QObject {
    Q_OBJECT

private slots:
    void defaultSizeFitsA1280By800Screen()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Some room is left for the frame a window manager adds.
        QVERIFY2(form.width() <= 1264 && form.height() <= 760,
                 qPrintable(QStringLiteral("%1 x %2").arg(form.width()).arg(form.height())));
    }

    void hoverInfoLeavesTheJournalInPlace()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* journal = form.findChild<QWidget*>(QStringLiteral("status"));
        const QRect before = journal->geometry();
        // A hovered star's line as the pointer handling writes it: two lines wide.
        form.setInfo(QStringLiteral("U1050_01985148   MagR-B= 8.4  9.0   Ra:1h35'17''   "
                                    "Dec:22°14'27''  (J2000.0)"));
        QCoreApplication::processEvents();
        QCOMPARE(journal->geometry(), before);
    }

    void calibrationKeepsTheWindowSize_data()
    {
        QTest::addColumn<bool>("super");
        QTest::newRow("calibration by image") << false;
        QTest::newRow("super calibration") << true;
    }
    void calibrationKeepsTheWindowSize()
    {
        QFETCH(bool, super);
        WindowRig rig;
        ce::Form1& form = rig.open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
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
};

QTEST_MAIN(MainWindowSizeTest)
#include "main_window_size_qtest.moc"
