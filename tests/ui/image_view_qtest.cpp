// The image view: loading, the packed pixel colour, panning inside the
// viewport, the arrow keys, the pointer, the markers and the magnifier.

#include "app/ui/form1.h"
#include "app/ui/image_view.h"
#include "app/ui/magnifier.h"
#include "app/ui/panning.h"
#include "tests/ui/ui_support.h"

#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

using ce::testing::TempProgram;
using ce::testing::WindowRig;

namespace {

// A colour that differs from pixel to pixel, so that a dot shows which
// image pixel it came from.
QColor patternColour(int x, int y)
{
    return QColor((x * 37) % 256, (y * 53) % 256, (x * 11 + y * 7) % 256);
}

QString writePatternImage(const TempProgram& program, const QString& name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) image.setPixelColor(x, y, patternColour(x, y));
    const QString path = program.programFile(name);
    return image.save(path) ? path : QString();
}

// The packed form blue * 65536 + green * 256 + red, from the colour's parts.
std::int32_t packed(const QColor& colour) { return colour.blue() * 65536 + colour.green() * 256 + colour.red(); }

}  // namespace

class ImageViewTest : public QObject {
    Q_OBJECT

private slots:
    void loadGivesPixelsAndFailuresKeepThePicture()
    {
        WindowRig rig;
        QVERIFY(!writePatternImage(rig.program, QStringLiteral("champ.png"), QSize(40, 30)).isEmpty());
        ce::Form1& form = rig.open();
        auto* load = form.findChild<QPushButton*>(QStringLiteral("Loadimg"));
        form.setText(QStringLiteral("txt_url"), QStringLiteral("champ.png"));  // beside the program
        load->click();
        QVERIFY(rig.dialogs.messages.isEmpty());
        QVERIFY(form.controller().state().imageLoaded);
        QCOMPARE(form.imageWidth(), 40);
        QCOMPARE(form.imageHeight(), 30);
        for (const QPoint& p : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 29), QPoint(39, 29), QPoint(17, 11)})
            QCOMPARE(form.pixel(p.x(), p.y()), packed(patternColour(p.x(), p.y())));
        for (const QPoint& p : {QPoint(-1, 0), QPoint(0, -1), QPoint(40, 0), QPoint(0, 30), QPoint(40, 30)})
            QCOMPARE(form.pixel(p.x(), p.y()), -1);
        form.picture().move(-20, -10);

        form.setText(QStringLiteral("txt_url"), QStringLiteral("nofile.jpg"));
        load->click();
        QCOMPARE(rig.dialogs.messages.size(), 1);
        // The field as typed, then the reason in French.
        QCOMPARE(rig.dialogs.messages.first().text, QStringLiteral("nofile.jpg: Fichier introuvable"));
        QVERIFY(!form.controller().state().imageLoaded);

        // A file that is no picture fails the same way.
        QVERIFY(rig.program.write(QStringLiteral("texte.png"), {QStringLiteral("pas une image")}));
        form.setText(QStringLiteral("txt_url"), QStringLiteral("texte.png"));
        load->click();
        QCOMPARE(rig.dialogs.messages.size(), 2);
        QCOMPARE(rig.dialogs.messages.last().text, QStringLiteral("texte.png: Format d'image non reconnu"));

        // The previous picture stays where it was.
        QCOMPARE(form.picture().size(), QSize(40, 30));
        QCOMPARE(form.picture().pos(), QPoint(-20, -10));
        QCOMPARE(form.pixel(3, 4), packed(patternColour(3, 4)));
    }

    void panStopsAtTheImageEdge_data()
    {
        // Viewport 600 x 400, 10 pixels a tick. `direction` is the button
        // held (1 left, 2 down, 3 right, 4 up), `keys` the arrows held.
        QTest::addColumn<QSize>("image");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<int>("moves");
        const QSize wide(1000, 300), tall(500, 650), large(1000, 800);
        // 1000 - 600 = 400 pixels to uncover.
        QTest::newRow("right edge") << wide << QPoint(0, 0) << 3 << "" << QPoint(-400, 0) << 40;
        // 650 - 400 = 250 below: at T = -250, T + H = 400 is not above VH.
        QTest::newRow("bottom edge") << tall << QPoint(0, 0) << 2 << "" << QPoint(0, -250) << 25;
        // L < 0 is tested before the step: from -395 the last step ends 5 px past the edge.
        QTest::newRow("left edge") << wide << QPoint(-395, 0) << 1 << "" << QPoint(5, 0) << 40;
        QTest::newRow("top edge") << tall << QPoint(0, -250) << 4 << "" << QPoint(0, 0) << 25;
        for (int direction = 1; direction <= 4; ++direction)
            QTest::addRow("small image, direction %d", direction)
                << QSize(300, 200) << QPoint(0, 0) << direction << "" << QPoint(0, 0) << 0;
        QTest::newRow("arrow key right") << wide << QPoint(0, 0) << 0 << "R" << QPoint(-400, 0) << 40;
        // Right runs before left: its step makes L negative, then left puts it back.
        QTest::newRow("right and left") << large << QPoint(0, 0) << 0 << "RL" << QPoint(0, 0) << 0;
        // Up runs before down: at T = 0 up does nothing and down moves; from
        // then on each undoes the other.
        QTest::newRow("up and down") << large << QPoint(0, 0) << 0 << "UD" << QPoint(0, -10) << 1;
        QTest::newRow("diagonal") << large << QPoint(0, 0) << 0 << "RD" << QPoint(-400, -400) << 40;
    }
    void panStopsAtTheImageEdge()
    {
        QFETCH(QSize, image);
        QFETCH(QPoint, start);
        QFETCH(int, direction);
        QFETCH(QString, keys);
        QFETCH(QPoint, end);
        QFETCH(int, moves);
        ce::PanRequest request;
        request.direction = std::int16_t(direction);
        request.right = keys.contains(u'R');
        request.up = keys.contains(u'U');
        request.left = keys.contains(u'L');
        request.down = keys.contains(u'D');
        QPoint at = start;
        int count = 0;
        for (int tick = 0; tick < 200; ++tick) {
            const QPoint next = ce::panStep(at, image, QSize(600, 400), request);
            if (next == at) break;
            QVERIFY(qAbs(next.x() - at.x()) % ce::kPanStepPixels == 0 && qAbs(next.x() - at.x()) <= 10);
            QVERIFY(qAbs(next.y() - at.y()) % ce::kPanStepPixels == 0 && qAbs(next.y() - at.y()) <= 10);
            at = next;
            ++count;
        }
        QCOMPARE(at, end);
        QCOMPARE(count, moves);
    }

    void panButtonMovesThePictureOnlyInTheActiveWindow()
    {
        WindowRig rig;
        const QString path = writePatternImage(rig.program, QStringLiteral("grand.png"), QSize(1000, 700));
        ce::KeyStateFilter keys;
        ce::Form1 form(rig.lang, rig.program.paths(), rig.dialogs, &keys);
        QVERIFY(form.loadImage(path).ok());
        auto* right = form.findChild<QPushButton*>(QStringLiteral("PicMove_3"));
        QVERIFY(right);
        emit right->pressed();
        QCOMPARE(int(form.panDirection()), 3);
        keys.keyChanged(Qt::Key_Down, true, false);  // a tap made in another window
        keys.keyChanged(Qt::Key_Down, false, false);
        form.panTick();  // not the active window: nothing moves, the tap is spent
        QCOMPARE(form.picture().pos(), QPoint(0, 0));

        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.panTick();
        QCOMPARE(form.picture().pos(), QPoint(-10, 0));
        emit right->released();
        QCOMPARE(int(form.panDirection()), 0);
        form.panTick();
        QCOMPARE(form.picture().pos(), QPoint(-10, 0));
        form.resetPan();
        QCOMPARE(form.picture().pos(), QPoint(0, 0));
    }

    void arrowKeyTappedBetweenTicksCountsOnce()
    {
        ce::KeyStateFilter keys;
        QLineEdit anywhere;  // the key reaches whichever widget has the focus
        QTest::keyClick(&anywhere, Qt::Key_Down);
        QVERIFY(!keys.poll(0).down);  // the filter is not installed yet

        qApp->installEventFilter(&keys);
        QTest::keyClick(&anywhere, Qt::Key_Down);
        const ce::PanRequest first = keys.poll(0);
        QVERIFY(first.down && !first.up && !first.left && !first.right);
        QVERIFY(!keys.poll(0).down);  // the tap was reported once
        QTest::keyPress(&anywhere, Qt::Key_Left);
        QVERIFY(keys.poll(0).left);
        QVERIFY(keys.poll(0).left);  // held: every tick
        QTest::keyRelease(&anywhere, Qt::Key_Left);
        QVERIFY(!keys.poll(0).left);

        // A key let go while another application has the focus is never seen
        // released: losing the activation forgets it.
        QTest::keyPress(&anywhere, Qt::Key_Up);
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&anywhere, &deactivate);
        QVERIFY(!keys.poll(0).up);
        QTest::keyPress(&anywhere, Qt::Key_Right);
        QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
        QApplication::sendEvent(qApp, &inactive);
        QVERIFY(!keys.poll(0).right);
        qApp->removeEventFilter(&keys);
    }

    void pointerEventsArriveInImagePixels()
    {
        WindowRig rig;
        const QString path = writePatternImage(rig.program, QStringLiteral("champ.png"), QSize(900, 700));
        ce::Form1& form = rig.open();
        QVERIFY(form.loadImage(path).ok());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.picture().move(-100, -50);  // panned: image pixels are not viewport pixels
        ce::ReductionState& state = form.controller().state();
        state.mode = QStringLiteral("select");
        form.setVisible(QStringLiteral("zoom"), true);

        QTest::mouseMove(&form.picture(), QPoint(130, 70));
        QTRY_COMPARE(int(state.clickX), 130);
        QCOMPARE(int(state.clickY), 70);
        // While stars are marked the magnifier follows, centred on the pointer.
        QCOMPARE(form.magnifier().pos(), QPoint(130 - 50, 70 - 50));
        // Inside the magnifier, its own pixels count from its corner.
        QTest::mouseMove(&form.magnifier(), QPoint(60, 40));
        QTRY_COMPARE(int(state.clickX), 80 + 60);
        QCOMPARE(int(state.clickY), 20 + 40);
        QCOMPARE(form.magnifier().pos(), QPoint(140 - 50, 60 - 50));
    }

    void doubleClickIsNotASecondClick()
    {
        ce::MarkerTables markers;
        ce::ImageView view(markers);
        view.resize(50, 50);
        QSignalSpy clicks(&view, &ce::ImageView::clicked);
        QSignalSpy doubles(&view, &ce::ImageView::doubleClicked);
        const auto send = [&view](QEvent::Type type, Qt::MouseButton button) {
            QMouseEvent event(type, QPointF(10, 10), view.mapToGlobal(QPointF(10, 10)), button,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
            QCoreApplication::sendEvent(&view, &event);
        };
        // A double click arrives as press, release, double click, release.
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::LeftButton);
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(doubles.count(), 1);
        // The next single click counts again; the right button never does.
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::LeftButton);
        send(QEvent::MouseButtonPress, Qt::RightButton);
        send(QEvent::MouseButtonRelease, Qt::RightButton);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(doubles.count(), 1);
    }

    void paintsTheVisibleMarkers()
    {
        TempProgram program;
        QImage black(64, 64, QImage::Format_RGB32);
        black.fill(Qt::black);
        const QString path = program.programFile(QStringLiteral("noir.png"));
        QVERIFY(black.save(path));
        ce::MarkerTables markers;
        markers.create();
        ce::ImageView view(markers);
        QVERIFY(view.load(path).ok());
        // Star 1 shown with its corner at (4, 4), star 2 placed but hidden at
        // (40, 4); click marker 1 at (4, 30); the centre cross at (48, 48).
        markers.star[1] = {4.0f, 4.0f, ce::kStarMarkerSize, true};
        markers.star[2] = {40.0f, 4.0f, ce::kStarMarkerSize, false};
        markers.click[1] = {4.0f, 30.0f, ce::kClickMarkerSize, true};
        markers.centre = {48.0, 48.0, true};
        const QImage shot = view.grab().toImage();
        const auto isGreen = [](QColor c) { return c.green() > 100 && c.red() < 80 && c.blue() < 80; };
        const auto isRed = [](QColor c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; };
        const auto isYellow = [](QColor c) { return c.red() > 120 && c.green() > 100 && c.blue() < 80; };
        // A circle's outline crosses the middle of its square's left side; the
        // middle of the square stays the image's own colour.
        QVERIFY(isGreen(shot.pixelColor(4, 8)));
        QCOMPARE(shot.pixelColor(8, 8), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(40, 8), QColor(Qt::black));
        QVERIFY(isYellow(shot.pixelColor(4, 38)));
        // The cross: 8 pixels up and down, 8 left and right.
        QVERIFY(isRed(shot.pixelColor(48, 41)) && isRed(shot.pixelColor(48, 55)) && isRed(shot.pixelColor(41, 48)));
        QCOMPARE(shot.pixelColor(48, 38), QColor(Qt::black));

        markers.hideStars();
        markers.centre.visible = false;
        const QImage hidden = view.grab().toImage();
        QCOMPARE(hidden.pixelColor(4, 8), QColor(Qt::black));
        QCOMPARE(hidden.pixelColor(48, 41), QColor(Qt::black));
    }

    void magnifierPlacementAndDots_data()
    {
        QTest::addColumn<QPoint>("click");
        QTest::newRow("image corner") << QPoint(0, 0);
        QTest::newRow("inside") << QPoint(60, 45);
        QTest::newRow("near the far edge") << QPoint(75, 58);
    }
    void magnifierPlacementAndDots()
    {
        QFETCH(QPoint, click);
        WindowRig rig;
        const QSize size(80, 60);
        const QString path = writePatternImage(rig.program, QStringLiteral("champ.png"), size);
        ce::Form1& form = rig.open();
        QVERIFY(form.loadImage(path).ok());
        form.controller().state().clickX = std::int16_t(click.x());
        form.controller().state().clickY = std::int16_t(click.y());
        form.redrawZoom();
        const ce::Magnifier& zoom = form.magnifier();
        QCOMPARE(zoom.pos(), click - QPoint(50, 50));  // its point (50, 50) on the pointer
        QCOMPARE(zoom.size(), QSize(102, 102));
        // Dot (i, j) is centred at (50 + 4i, 50 + 4j); the pixel one up and left
        // of its centre is covered by no later dot and by neither cross-hair.
        for (int i = -12; i <= 12; i += 3) {
            for (int j = -12; j <= 12; j += 4) {
                const int x = click.x() + i, y = click.y() + j;
                const bool inImage = x >= 0 && y >= 0 && x < size.width() && y < size.height();
                QCOMPARE(zoom.drawing().pixelColor(50 + 4 * i - 1, 50 + 4 * j - 1),
                         inImage ? patternColour(x, y) : QColor(Qt::black));
            }
        }
    }
};

QTEST_MAIN(ImageViewTest)
#include "image_view_qtest.moc"
