// The zoomed view in the main window: pointer mapping both ways at 1:4 and
// 4:1, wheel and keys, panning by drag, the window's layout at 1280 x 720
// and 1920 x 1080, the "…" image dialog with the FITS header question, and
// the last run put back at the next start.

#include "app/ui/form1.h"
#include "app/ui/image_view.h"
#include "app/ui/magnifier.h"
#include "image/fits_writer.h"
#include "tests/ui/ui_support.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using ce::testing::WindowRig;

namespace {

// A black plate of 4000 x 3000 pixels, beside the program.
QString writePlate(const ce::testing::TempProgram& program)
{
    QImage plate(4000, 3000, QImage::Format_Grayscale8);
    plate.fill(0);
    const QString path = program.programFile(QStringLiteral("plaque.png"));
    return plate.save(path) ? path : QString();
}

void showAt(ce::Form1& form, QSize size)
{
    form.resize(size);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private slots:
    void pointerMapsExactlyThroughTheZoom()
    {
        WindowRig rig;
        QVERIFY(!writePlate(rig.program).isEmpty());
        ce::Form1& form = rig.open();
        showAt(form, QSize(1280, 720));
        form.setText(QStringLiteral("txt_url"), QStringLiteral("plaque.png"));
        form.findChild<QPushButton*>(QStringLiteral("Loadimg"))->click();
        ce::ImageView& view = form.picture();
        // Opened whole: the plate fits the view.
        QVERIFY(view.zoom() < 0.25);
        QVERIFY(view.scaledSize().width() <= view.width() && view.scaledSize().height() <= view.height());

        ce::ReductionState& state = form.controller().state();
        state.mode = QStringLiteral("select");
        state.markCount = 0;
        // At 1:4 the view pixel (37, 45), panned by (-100, -60), covers image
        // pixels 548..551 and 420..423; its centre is on pixel (550, 422). At 4:1,
        // panned by (-400, -800), view pixels 436..439 show image column 109 and
        // 844..847 row 211.
        struct Row { double zoom; QPointF offset; QPoint viewPixel; QPoint imagePixel; };
        const Row rows[] = {
            {0.25, {-100, -60}, {37, 45}, {550, 422}},
            {4.0, {-400, -800}, {37, 45}, {109, 211}},
            {4.0, {-400, -800}, {39, 47}, {109, 211}},
            {4.0, {-400, -800}, {40, 48}, {110, 212}},
            {1.0, {-7, -9}, {37, 45}, {44, 54}},
        };
        int marks = 0;
        for (const Row& r : rows) {
            view.setZoom(r.zoom);
            view.setOffset(r.offset);
            QCOMPARE(view.zoom(), r.zoom);
            QTest::mouseMove(&view, r.viewPixel + QPoint(9, 9));  // a move event at each row
            QTest::mouseMove(&view, r.viewPixel);
            QCOMPARE(QPoint(state.clickX, state.clickY), r.imagePixel);
            // A click marks it (an all-black plate leaves the mark where it was clicked).
            QTest::mouseClick(&view, Qt::LeftButton, {}, r.viewPixel);
            ++marks;
            QCOMPARE(state.markCount, marks);
            QCOMPARE(QPointF(state.markX[std::size_t(marks)], state.markY[std::size_t(marks)]), QPointF(r.imagePixel));
            // Back again: the view pixel at the image pixel's place maps to it.
            const QPointF back = view.imageToView(QPointF(r.imagePixel));
            const QPointF again = view.viewToImage(QPointF(std::floor(back.x()), std::floor(back.y())));
            QCOMPARE(QPoint(qRound(again.x()), qRound(again.y())), r.imagePixel);
            // The magnifier's centre is on the pointer, to within one image pixel on screen.
            const QPoint centre = form.magnifier().geometry().topLeft() + QPoint(50, 50);
            QVERIFY((centre - r.viewPixel).manhattanLength() <= 2 * std::max(1, int(r.zoom)));
        }
    }

    void wheelKeysAndDragZoomAndPan()
    {
        WindowRig rig;
        QVERIFY(!writePlate(rig.program).isEmpty());
        ce::Form1& form = rig.open();
        showAt(form, QSize(1280, 720));
        ce::ImageView& view = form.picture();
        QVERIFY(form.loadImage(rig.program.programFile(QStringLiteral("plaque.png"))).ok());
        form.resetPan();
        const double fit = view.zoom();
        QCOMPARE(fit, view.fitZoom());

        // The wheel zooms about the pointer: the image point under it stays.
        const QPointF pointer(200.0, 150.0);
        const QPointF under = view.viewToImage(pointer);
        QWheelEvent wheel(pointer, view.mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        QVERIFY(view.zoom() > fit);
        QVERIFY((view.viewToImage(pointer) - under).manhattanLength() < 1e-6);

        // Keys: 1 gives 1:1, + doubles up to 8:1, − halves, 0 shows the whole image.
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_1);
        QCOMPARE(view.zoom(), 1.0);
        for (int k = 0; k < 5; ++k) QTest::keyClick(&view, Qt::Key_Plus);
        QCOMPARE(view.zoom(), 8.0);
        QTest::keyClick(&view, Qt::Key_Minus);
        QCOMPARE(view.zoom(), 4.0);
        QTest::keyClick(&view, Qt::Key_0);
        QCOMPARE(view.zoom(), fit);
        QCOMPARE(view.offset(), QPointF());
        form.findChild<QPushButton*>(QStringLiteral("zoomActual"))->click();
        QCOMPARE(view.zoom(), 1.0);
        form.findChild<QPushButton*>(QStringLiteral("zoomFit"))->click();
        QCOMPARE(view.zoom(), fit);

        // Dragging with the middle button, or with the left one while Space is
        // held, pans by the pointer's movement and is no click.
        view.showActualSize();
        ce::ReductionState& state = form.controller().state();
        state.mode = QStringLiteral("select");
        state.markCount = 0;
        const QPointF start = view.offset();
        QTest::mousePress(&view, Qt::MiddleButton, {}, QPoint(300, 300));
        QTest::mouseMove(&view, QPoint(270, 280));
        QTest::mouseRelease(&view, Qt::MiddleButton, {}, QPoint(270, 280));
        QCOMPARE(view.offset(), start + QPointF(-30, -20));
        QTest::keyPress(&view, Qt::Key_Space);
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(300, 300));
        QTest::mouseMove(&view, QPoint(310, 305));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(310, 305));
        QTest::keyRelease(&view, Qt::Key_Space);
        QCOMPARE(view.offset(), start + QPointF(-20, -15));
        QCOMPARE(state.markCount, 0);

        // Bringing image points into view for a question.
        view.ensureVisible(QRectF(3900, 2900, 50, 50));
        const QPointF corner = view.imageToView(QPointF(3950, 2950));
        QVERIFY(view.rect().contains(corner.toPoint()));
        view.centreOn(QPointF(2000, 1500));
        QVERIFY((view.imageToView(QPointF(2000, 1500)) - QPointF(view.width() / 2.0, view.height() / 2.0)).manhattanLength() < 2);
    }

    void windowGrowsWithTheView()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        auto* left = form.findChild<QWidget*>(QStringLiteral("leftPanel"));
        // Room for the window's frame and a taskbar on a 1280 x 720 screen.
        QVERIFY(form.minimumSizeHint().width() <= 1280 && form.minimumSizeHint().height() <= 690);
        showAt(form, QSize(1280, 690));
        QVERIFY(left->height() >= left->minimumSizeHint().height());
        QVERIFY(form.picture().width() >= 360);
        const int leftWidth = left->width();
        const QSize viewSmall = form.picture().size();
        form.resize(1920, 1050);
        QTest::qWait(20);
        QCOMPARE(left->width(), leftWidth);
        QVERIFY(form.picture().width() > viewSmall.width() + 500 && form.picture().height() > viewSmall.height() + 250);
        // The pan buttons stay at the view's edges.
        auto* right = form.findChild<QPushButton*>(QStringLiteral("PicMove_3"));
        QVERIFY(right->geometry().left() >= form.viewport().geometry().right());
    }

    void imageDialogThenHeaderQuestionFillsTheFields()
    {
        WindowRig rig;
        ce::FitsImageContent fits;
        fits.width = 30;
        fits.height = 20;
        fits.stored.assign(600, 100.0);
        fits.cards = {{"OBJCTRA", "01 34 50", {}}, {"OBJCTDEC", "-22 11 01", {}}, {"DATE-OBS", "2023-01-01T12:00:00", {}},
                      {"FOCALLEN", "1000", {}}, {"XPIXSZ", "9", {}}, {"YPIXSZ", "9", {}}};
        QDir().mkpath(rig.program.programFile(QStringLiteral("images")));
        const QString path = rig.program.programFile(QStringLiteral("images/m33.fits"));
        QVERIFY(ce::writeFitsImage(path, fits).ok());
        ce::Form1& form = rig.open();
        form.setText(QStringLiteral("txt_url"), QStringLiteral("images/old.png"));
        rig.dialogs.fileName = path;
        rig.dialogs.answers = {false, true};
        auto* choose = form.findChild<QPushButton*>(QStringLiteral("chooseImage"));
        choose->click();
        // The dialog starts in the folder of the current path, with every kind of image.
        QCOMPARE(rig.dialogs.fileDialogs.size(), 1);
        QCOMPARE(rig.dialogs.fileDialogs[0][0], QStringLiteral("Ouvrir une image"));
        QCOMPARE(rig.dialogs.fileDialogs[0][1], rig.program.programFile(QStringLiteral("images")));
        QCOMPARE(rig.dialogs.fileDialogs[0][2],
                 QStringLiteral("Toutes les images (*.fits *.fit *.fts *.fz *.jpg *.jpeg *.png *.tif *.tiff *.bmp *.gif);;"
                                "FITS (*.fits *.fit *.fts *.fz);;JPEG (*.jpg *.jpeg);;PNG (*.png);;TIFF (*.tif *.tiff);;"
                                "BMP (*.bmp);;GIF (*.gif)"));
        QCOMPARE(form.text(QStringLiteral("txt_url")), path);
        QVERIFY(form.controller().state().imageLoaded);
        QVERIFY(form.findChild<QWidget*>(QStringLiteral("orientation"))->isVisibleTo(&form));

        // One question lists every value; No changes nothing, Yes fills the fields.
        QCOMPARE(rig.dialogs.questions.size(), 1);
        const QString question = rig.dialogs.questions[0].text;
        QVERIFY2(question.contains(QStringLiteral("RA 1h34'50''  DEC -22°11'1''  (OBJCTRA/OBJCTDEC)")), qPrintable(question));
        QVERIFY2(question.contains(QStringLiteral("Epoch 2023.001")), qPrintable(question));
        QVERIFY2(question.contains(QStringLiteral("(FOCALLEN/XPIXSZ/YPIXSZ)")), qPrintable(question));
        QCOMPARE(form.text(QStringLiteral("txt_epoch")), QStringLiteral("2000.0"));
        form.findChild<QPushButton*>(QStringLiteral("Loadimg"))->click();
        QCOMPARE(rig.dialogs.questions.size(), 2);
        // The unchanged file was not decoded again; its linear values are there.
        QCOMPARE(form.picture().store().decodeCount(), 1);
        QVERIFY(form.linearImage() && form.linearImage()->at(29, 19) == 100.0f);
        const QStringList expected{"1", "34", "50", "22", "11", "1", "-", "2023.001", "1795.58", "1939.11"};
        const QStringList fields{"txt_ra_0", "txt_ra_1", "txt_ra_2", "txt_dec_0", "txt_dec_1", "txt_dec_2",
                                 "txt_dec_sign_show_0", "txt_epoch", "txt_corrasd", "txt_corrdec"};
        for (int k = 0; k < fields.size(); ++k) QCOMPARE(form.text(fields[k]), expected[k]);
        QVERIFY(rig.dialogs.messages.isEmpty());
    }

    void lastRunComesBackUnlessTurnedOff()
    {
        WindowRig rig;
        QVERIFY(rig.program.write(QStringLiteral("defaut.cfg"), {"12", "2599.43", "2600", "30", "14", "17", "6", "defaut.png", "1"}));
        ce::Form1& form = rig.open();
        form.setText(QStringLiteral("txt_ra_0"), QStringLiteral("5"));
        form.setText(QStringLiteral("txt_url"), QStringLiteral("dossier, avec virgule/m42.fits"));
        form.setText(QStringLiteral("txt_dec_sign_show_0"), QStringLiteral("-"));
        form.setText(QStringLiteral("txt_corrdec"), QString());
        form.close();
        ce::Form1& again = rig.open();
        QCOMPARE(again.text(QStringLiteral("txt_ra_0")), QStringLiteral("5"));
        QCOMPARE(again.text(QStringLiteral("txt_url")), QStringLiteral("dossier, avec virgule/m42.fits"));
        QCOMPARE(again.text(QStringLiteral("txt_dec_sign_show_0")), QStringLiteral("-"));
        QCOMPARE(again.text(QStringLiteral("txt_corrdec")), QString());  // over defaut.cfg's 2600
        QCOMPARE(again.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));

        auto* restore = again.findChild<QAction*>(QStringLiteral("mnu_restore"));
        QVERIFY(restore->isChecked());
        restore->setChecked(false);
        again.close();
        ce::Form1& third = rig.open();
        QCOMPARE(third.text(QStringLiteral("txt_ra_0")), QString());
        QCOMPARE(third.text(QStringLiteral("txt_url")), QStringLiteral("defaut.png"));
        QVERIFY(!third.findChild<QAction*>(QStringLiteral("mnu_restore"))->isChecked());
    }
};

QTEST_MAIN(ZoomTest)
#include "zoom_qtest.moc"
