#include "app/ui/panning.h"

#include <QEvent>
#include <QKeyEvent>

namespace ce {

QPoint panStep(QPoint topLeft, QSize image, QSize viewport, const PanRequest& request)
{
    int left = topLeft.x();
    int top = topLeft.y();
    if (left + image.width() > viewport.width() && (request.direction == 3 || request.right))
        left -= kPanStepPixels;
    if (top < 0 && (request.direction == 4 || request.up))
        top += kPanStepPixels;
    if (left < 0 && (request.direction == 1 || request.left))
        left += kPanStepPixels;
    if (top + image.height() > viewport.height() && (request.direction == 2 || request.down))
        top -= kPanStepPixels;
    return {left, top};
}

KeyStateFilter::KeyStateFilter(QObject* parent) : QObject(parent) {}

PanRequest KeyStateFilter::poll(std::int16_t direction)
{
    PanRequest request;
    request.direction = direction;
    request.right = held_[Right] || pressed_[Right];
    request.up = held_[Up] || pressed_[Up];
    request.left = held_[Left] || pressed_[Left];
    request.down = held_[Down] || pressed_[Down];
    pressed_.fill(false);
    return request;
}

void KeyStateFilter::keyChanged(int key, bool pressed, bool autoRepeat)
{
    int arrow = -1;
    switch (key) {
    case Qt::Key_Right: arrow = Right; break;
    case Qt::Key_Up: arrow = Up; break;
    case Qt::Key_Left: arrow = Left; break;
    case Qt::Key_Down: arrow = Down; break;
    default: return;
    }
    if (pressed) {
        held_[std::size_t(arrow)] = true;
        pressed_[std::size_t(arrow)] = true;
    } else if (!autoRepeat) {
        held_[std::size_t(arrow)] = false;
    }
}

void KeyStateFilter::forget()
{
    held_.fill(false);
    pressed_.fill(false);
}

bool KeyStateFilter::eventFilter(QObject*, QEvent* event)
{
    // A key event may pass here several times on its way from the window to
    // the focus widget and up its parents; recording it is idempotent.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        keyChanged(key->key(), event->type() == QEvent::KeyPress, key->isAutoRepeat());
        break;
    }
    case QEvent::WindowDeactivate:
        // The release of a key may now go to another window or program.
        forget();
        break;
    case QEvent::ApplicationStateChange:
        if (static_cast<QApplicationStateChangeEvent*>(event)->applicationState() != Qt::ApplicationActive)
            forget();
        break;
    default:
        break;
    }
    return false;
}

}  // namespace ce
