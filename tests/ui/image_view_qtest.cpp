// The image view: loading, the packed pixel colour, panning inside the
// viewport, the arrow keys, the markers and the magnifier.

#include "app/builtin_texts.h"
#include "app/ui/form1.h"
#include "app/ui/image_view.h"
#include "app/ui/magnifier.h"
#include "app/ui/panning.h"
#include "tests/ui/ui_support.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QtTest>

using ce::testing::WindowRig;

namespace {

// A colour that differs from pixel to pixel, so that a dot shows which image pixel it came from.
QColor patternColour(int x, int y) { return QColor((x * 37) % 256, (y * 53) % 256, (x * 11 + y * 7) % 256); }

QString writePatternImage(const ce::testing::TempProgram& program, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) image.setPixelColor(x, y, patternColour(x, y));
    const QString path = program.programFile(QStringLiteral("champ.png"));
    return image.save(path) ? path : QString();
}

}  // namespace

class ImageViewTest : public QObject {
    Q_OBJECT

private slots:
    void loadGivesPixelsAndFailuresKeepThePicture()
    {
        WindowRig rig;
        QVERIFY(!writePatternImage(rig.program, QSize(40, 30)).isEmpty());
        ce::Form1& form = rig.open();
        auto* load = form.findChild<QPushButton*>(QStringLiteral("Loadimg"));
        form.setText(QStringLiteral("txt_url"), QStringLiteral("champ.png"));  // beside the program
        load->click();
        QVERIFY(form.controller().state().imageLoaded);
        // Packed blue * 65536 + green * 256 + red; -1 one past each edge.
        const QColor c = patternColour(39, 29);
        QCOMPARE(form.pixel(39, 29), c.blue() * 65536 + c.green() * 256 + c.red());
        for (const QPoint& p : {QPoint(-1, 0), QPoint(0, -1), QPoint(40, 0), QPoint(0, 30)}) QCOMPARE(form.pixel(p.x(), p.y()), -1);
        form.picture().setOffset(QPointF(-20, -10));

        QVERIFY(rig.program.write(QStringLiteral("texte.png"), {QStringLiteral("pas une image")}));
        for (const char* name : {"nofile.jpg", "texte.png"}) {
            form.setText(QStringLiteral("txt_url"), QLatin1String(name));
            load->click();
        }
        QCOMPARE(rig.dialogs.messages.size(), 2);
        // The full path searched is named.
        QCOMPARE(rig.dialogs.messages[0].text, QStringLiteral("nofile.jpg: Fichier introuvable : ") + rig.program.programFile(QStringLiteral("nofile.jpg")));
        QCOMPARE(rig.dialogs.messages[1].text, QStringLiteral("texte.png: Format d'image non reconnu"));
        QVERIFY(!form.controller().state().imageLoaded);
        // The previous picture stays where it was.
        QCOMPARE(form.picture().offset(), QPointF(-20, -10));
        QCOMPARE(form.picture().image().size(), QSize(40, 30));
    }

    void panStopsAtTheImageEdge()
    {
        // Viewport 600 x 400, 10 pixels a tick. `direction` is the button held
        // (1 left, 2 down, 3 right, 4 up), `keys` the arrows held.
        struct Row { const char* name; QSize image; QPoint start; int direction; const char* keys; QPoint end; int moves; };
        const QSize wide(1000, 300), tall(500, 650), large(1000, 800);
        const Row rows[] = {
            {"right edge: 1000 - 600 to uncover", wide, {0, 0}, 3, "", {-400, 0}, 40},
            {"bottom edge: at T = -250, T + H = 400 is not above VH", tall, {0, 0}, 2, "", {0, -250}, 25},
            {"left edge: L < 0 tested before the step, which ends 5 px past it", wide, {-395, 0}, 1, "", {5, 0}, 40},
            {"top edge", tall, {0, -250}, 4, "", {0, 0}, 25},
            {"small image", QSize(300, 200), {0, 0}, 3, "", {0, 0}, 0},
            {"right runs before left: L < 0, then left puts it back", large, {0, 0}, 0, "RL", {0, 0}, 0},
            {"up before down: at T = 0 only down moves, then each undoes the other", large, {0, 0}, 0, "UD", {0, -10}, 1},
            {"diagonal", large, {0, 0}, 0, "RD", {-400, -400}, 40},
        };
        for (const Row& r : rows) {
            ce::PanRequest request;
            request.direction = std::int16_t(r.direction);
            const QString keys = QLatin1String(r.keys);
            request.right = keys.contains(u'R');
            request.up = keys.contains(u'U');
            request.left = keys.contains(u'L');
            request.down = keys.contains(u'D');
            QPoint at = r.start;
            int count = 0;
            for (QPoint next; count < 200 && (next = ce::panStep(at, r.image, QSize(600, 400), request)) != at; ++count) {
                QVERIFY2(qAbs(next.x() - at.x()) <= 10 && qAbs(next.y() - at.y()) <= 10, r.name);
                at = next;
            }
            QVERIFY2(at == r.end && count == r.moves, r.name);
        }
    }

    void panButtonAndArrowKeysMoveThePictureOnlyInTheActiveWindow()
    {
        WindowRig rig;
        ce::KeyStateFilter keys;
        ce::Form1 form(rig.lang, rig.program.paths(), rig.dialogs, &keys);
        QVERIFY(form.loadImage(writePatternImage(rig.program, QSize(1000, 700))).ok());
        auto* right = form.findChild<QPushButton*>(QStringLiteral("PicMove_3"));
        emit right->pressed();
        keys.keyChanged(Qt::Key_Down, true, false);  // a tap made in another window
        keys.keyChanged(Qt::Key_Down, false, false);
        form.panTick();  // not the active window: nothing moves, the tap is spent
        QCOMPARE(form.picture().offset(), QPointF(0, 0));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.panTick();
        QCOMPARE(form.picture().offset(), QPointF(-10, 0));
        emit right->released();
        form.panTick();
        QCOMPARE(form.picture().offset(), QPointF(-10, 0));

        // An arrow tapped between two ticks counts once, a held one every tick.
        qApp->installEventFilter(&keys);
        QLineEdit anywhere;  // the key reaches whichever widget has the focus
        QTest::keyClick(&anywhere, Qt::Key_Down);
        const ce::PanRequest first = keys.poll(0);
        QVERIFY(first.down && !first.up && !first.left && !first.right);
        QVERIFY(!keys.poll(0).down);
        QTest::keyPress(&anywhere, Qt::Key_Left);
        QVERIFY(keys.poll(0).left && keys.poll(0).left);
        QTest::keyRelease(&anywhere, Qt::Key_Left);
        QVERIFY(!keys.poll(0).left);
        // A key let go in another application is never seen released: losing the activation forgets it.
        QTest::keyPress(&anywhere, Qt::Key_Up);
        QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
        QApplication::sendEvent(qApp, &inactive);
        QVERIFY(!keys.poll(0).up);
        qApp->removeEventFilter(&keys);
    }

    void paintsTheVisibleMarkers()
    {
        ce::testing::TempProgram program;
        QImage black(64, 64, QImage::Format_RGB32);
        black.fill(Qt::black);
        QVERIFY(black.save(program.programFile(QStringLiteral("noir.png"))));
        ce::MarkerTables markers;
        markers.create();
        ce::ImageView view(markers);
        view.resize(64, 64);
        QVERIFY(view.load(program.programFile(QStringLiteral("noir.png")), ce::builtinLanguage()).ok());
        // Star 1 shown with its corner at (4, 4), star 2 hidden at (40, 4);
        // click marker 1 at (4, 30); the centre cross at (48, 48).
        markers.star[1] = {4.0f, 4.0f, ce::kStarMarkerSize, true};
        markers.star[2] = {40.0f, 4.0f, ce::kStarMarkerSize, false};
        markers.click[1] = {4.0f, 30.0f, ce::kClickMarkerSize, true};
        markers.centre = {48.0, 48.0, true};
        const QImage shot = view.grab().toImage();
        const auto isColour = [&shot](int x, int y, bool red, bool green) {
            const QColor c = shot.pixelColor(x, y);
            return (c.red() > 120) == red && (c.green() > 100) == green && c.blue() < 80;
        };
        // A circle's outline crosses the middle of its square's left side; its middle stays black.
        QVERIFY(isColour(4, 8, false, true));
        QCOMPARE(shot.pixelColor(8, 8), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(40, 8), QColor(Qt::black));
        QVERIFY(isColour(4, 38, true, true));  // yellow
        // The red cross: 8 pixels up and down, 8 left and right.
        QVERIFY(isColour(48, 41, true, false) && isColour(48, 55, true, false) && isColour(41, 48, true, false));
        QCOMPARE(shot.pixelColor(48, 38), QColor(Qt::black));
    }

    void doubleClicksCountOnceAndNeverSwallowTheNextClick()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        QVERIFY(form.loadImage(writePatternImage(rig.program, QSize(80, 60))).ok());
        const auto send = [](QWidget* to, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
            QMouseEvent event(type, QPointF(20, 20), to->mapToGlobal(QPointF(20, 20)), button,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
            QApplication::sendEvent(to, &event);
        };
        const auto doubleClick = [&](QWidget* to, bool releaseSeen) {
            for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                                   QEvent::MouseButtonDblClick})
                send(to, t);
            if (releaseSeen) send(to, QEvent::MouseButtonRelease);  // else a window it opened took it
        };
        int clicks = 0, doubles = 0, rights = 0;
        ce::ImageView& view = form.picture();
        connect(&view, &ce::ImageView::clicked, this, [&] { ++clicks; });
        connect(&view, &ce::ImageView::doubleClicked, this, [&] { ++doubles; });
        connect(&view, &ce::ImageView::rightClicked, this, [&] { ++rights; });

        // A double click is one click and one double click.
        doubleClick(&view, true);
        QCOMPARE(std::pair(clicks, doubles), std::pair(1, 1));
        // The details window it opened took the last release: the next
        // click is a click all the same.
        doubleClick(&view, false);
        send(&view, QEvent::MouseButtonPress);
        send(&view, QEvent::MouseButtonRelease);
        QCOMPARE(std::pair(clicks, doubles), std::pair(3, 2));
        send(&view, QEvent::MouseButtonRelease, Qt::RightButton);
        QCOMPARE(std::pair(clicks, rights), std::pair(3, 1));

        // On the magnifier a double click marks the star once, and never
        // reaches the image as a double click.
        ce::ReductionController& c = form.controller();
        form.setText(QStringLiteral("txt_url"), QStringLiteral("champ.png"));
        c.SelectStar();
        QCOMPARE(c.state().mode, QStringLiteral("select"));
        doubleClick(&form.magnifier(), true);
        QCOMPARE(int(c.state().markCount), 1);
        QCOMPARE(doubles, 2);
        // Backspace (focus outside any text box) and a right click take marks back.
        form.magnifier().setFocus();
        doubleClick(&form.magnifier(), false);
        send(&form.magnifier(), QEvent::MouseButtonPress);
        send(&form.magnifier(), QEvent::MouseButtonRelease);
        QCOMPARE(int(c.state().markCount), 3);
        // (Offscreen windows are not activated, so the window's Backspace
        // shortcut is found and fired as the key would fire it.)
        QShortcut* backspace = nullptr;
        for (QShortcut* s : form.findChildren<QShortcut*>())
            if (s->key() == QKeySequence(Qt::Key_Backspace)) backspace = s;
        QVERIFY(backspace);
        emit backspace->activated();
        QCOMPARE(int(c.state().markCount), 2);
        QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(int(c.state().markCount), 1);
    }

    void magnifierPlacementAndDots()
    {
        WindowRig rig;
        ce::Form1& form = rig.open();
        QVERIFY(form.loadImage(writePatternImage(rig.program, QSize(80, 60))).ok());
        for (const QPoint click : {QPoint(0, 0), QPoint(75, 58)}) {
            form.controller().state().clickX = std::int16_t(click.x());
            form.controller().state().clickY = std::int16_t(click.y());
            form.redrawZoom();
            const ce::Magnifier& zoom = form.magnifier();
            QCOMPARE(zoom.geometry(), QRect(click - QPoint(50, 50), QSize(102, 102)));  // its (50, 50) on the pointer
            // Dot (i, j) is centred at (50 + 4i, 50 + 4j); the pixel one up and left
            // of its centre is covered by no later dot and by neither cross-hair.
            for (int i = -12; i <= 12; i += 3)
                for (int j = -12; j <= 12; j += 4) {
                    const int x = click.x() + i, y = click.y() + j;
                    const bool inImage = x >= 0 && y >= 0 && x < 80 && y < 60;
                    QCOMPARE(zoom.drawing().pixelColor(50 + 4 * i - 1, 50 + 4 * j - 1),
                             inImage ? patternColour(x, y) : QColor(Qt::black));
                }
        }
    }
};

QTEST_MAIN(ImageViewTest)
#include "image_view_qtest.moc"
