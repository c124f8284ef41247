#include "app/ui/magnifier.h"

#include <QMouseEvent>
#include <QPainter>

namespace ce {

namespace {

const QColor kCrossHairColour(255, 64, 64);

// Packed colour (blue * 65536 + green * 256 + red) to a colour; no colour
// (-1, outside the image) is black.
QColor unpack(std::int32_t packed)
{
    if (packed < 0)
        return Qt::black;
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

}  // namespace

Magnifier::Magnifier(QWidget* parent)
    : QWidget(parent), drawing_(kMagnifierSize, kMagnifierSize, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("zoom"));
    setFixedSize(kMagnifierSize, kMagnifierSize);
    setMouseTracking(true);
    drawing_.fill(Qt::black);
    hide();
}

void Magnifier::dozoom(int x, int y, const PixelSource& pixel)
{
    move(x - kMagnifierCentre, y - kMagnifierCentre);
    drawing_.fill(Qt::black);
    QPainter painter(&drawing_);
    constexpr int half = kMagnifierDot / 2;
    // Later dots overlap earlier ones by one pixel: i outer, j inner.
    for (int i = -kMagnifierReach; i <= kMagnifierReach; ++i) {
        for (int j = -kMagnifierReach; j <= kMagnifierReach; ++j) {
            const int cx = kMagnifierCentre + kMagnifierPitch * i;
            const int cy = kMagnifierCentre + kMagnifierPitch * j;
            painter.fillRect(cx - half, cy - half, kMagnifierDot, kMagnifierDot,
                             unpack(pixel(x + i, y + j)));
        }
    }
    // Line1 (horizontal) and Line2 (vertical) over the dots.
    painter.setPen(QPen(kCrossHairColour, 1));
    painter.drawLine(20, kMagnifierCentre, 84, kMagnifierCentre);
    painter.drawLine(kMagnifierCentre, 20, kMagnifierCentre, 84);
    painter.end();
    update();
}

void Magnifier::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, drawing_);
    painter.setPen(QColor(200, 200, 200));
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void Magnifier::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit pointerMoved(at.x(), at.y());
}

void Magnifier::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The release that ends a double click belongs to the first click: a
    // double click marks the star once.
    if (afterDoubleClick_) {
        afterDoubleClick_ = false;
        return;
    }
    emit clicked();
}

void Magnifier::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        afterDoubleClick_ = false;
}

void Magnifier::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Accepted here, so it never reaches the image below as a double click.
    event->accept();
    afterDoubleClick_ = event->button() == Qt::LeftButton;
}

}  // namespace ce
