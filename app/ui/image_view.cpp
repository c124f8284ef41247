#include "app/ui/image_view.h"

#include "skymap/overlay_geometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

namespace ce {

namespace {

const QColor kStarMarkerColour(0, 230, 0);
const QColor kClickMarkerColour(255, 210, 0);
const QColor kCentreCrossColour(255, 0, 0);

// The circle of a catalogue marker at its usual size, drawn once.
const QImage& starCircle()
{
    static const QImage circle = [] {
        QImage image(kStarMarkerSize, kStarMarkerSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kStarMarkerColour, 1.0));
        painter.drawEllipse(QRectF(0.5, 0.5, kStarMarkerSize - 1.0, kStarMarkerSize - 1.0));
        return image;
    }();
    return circle;
}

}  // namespace

ImageView::ImageView(const MarkerTables& markers, QWidget* parent)
    : QWidget(parent), markers_(markers)
{
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    // Clicks give the view the keyboard, so that + − 1 0 and Space reach it;
    // typing in a field never zooms.
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

Status ImageView::load(const QString& absolutePath, const TextLookup& lang)
{
    const Status loaded = store_.load(absolutePath, lang);
    if (loaded) {
        reduced_ = QImage();
        reducedScale_ = 0.0;
        update();
    }
    return loaded;
}

void ImageView::setStretch(StretchPreset preset)
{
    store_.setStretch(preset);
    reduced_ = QImage();
    reducedScale_ = 0.0;
    update();
}

double ImageView::fitZoom() const
{
    if (!hasImage() || width() <= 0 || height() <= 0)
        return 1.0;
    const double fit = std::min(double(width()) / image().width(), double(height()) / image().height());
    return std::min(1.0, fit);
}

double ImageView::minZoom() const { return std::min(1.0, fitZoom()); }

QSize ImageView::scaledSize() const
{
    return QSize(int(std::lround(image().width() * scale_)), int(std::lround(image().height() * scale_)));
}

QPointF ImageView::imageToView(QPointF image) const
{
    return offset_ + (image + QPointF(0.5, 0.5)) * scale_ - QPointF(0.5, 0.5);
}

QPointF ImageView::viewToImage(QPointF view) const
{
    return (view + QPointF(0.5, 0.5) - offset_) / scale_ - QPointF(0.5, 0.5);
}

QPointF ImageView::clampedOffset(QPointF offset) const
{
    const QSize scaled = scaledSize();
    const auto axis = [](double value, int image, int view) {
        if (image <= view)
            return 0.0;
        return std::clamp(value, double(view - image), 0.0);
    };
    return {axis(offset.x(), scaled.width(), width()), axis(offset.y(), scaled.height(), height())};
}

void ImageView::setOffset(QPointF offset)
{
    if (offset == offset_)
        return;
    offset_ = offset;
    whole_ = false;
    update();
    emit viewChanged();
}

void ImageView::setZoom(double scale, QPointF anchor)
{
    const double clamped = std::clamp(scale, minZoom(), kMaxZoom);
    const QPointF kept = viewToImage(anchor);
    scale_ = clamped;
    whole_ = false;
    // The image point that was under the anchor stays under it.
    const QPointF moved = offset_ + anchor - imageToView(kept);
    offset_ = clampedOffset(moved);
    update();
    emit viewChanged();
}

void ImageView::zoomIn(QPointF anchor)
{
    double step = 1.0 / 16.0;
    while (step <= scale_ * 1.0001 && step < kMaxZoom)
        step *= 2.0;
    setZoom(std::max(step, scale_), anchor);
}

void ImageView::zoomOut(QPointF anchor)
{
    double step = kMaxZoom;
    while (step >= scale_ / 1.0001 && step > 1.0 / 16.0)
        step /= 2.0;
    setZoom(std::min(step, scale_), anchor);
}

void ImageView::showWhole()
{
    scale_ = fitZoom();
    offset_ = QPointF();
    whole_ = true;
    update();
    emit viewChanged();
}

void ImageView::showActualSize() { setZoom(1.0, viewCentre()); }

void ImageView::centreOn(QPointF imagePoint)
{
    setOffset(clampedOffset(offset_ + viewCentre() - imageToView(imagePoint)));
}

void ImageView::ensureVisible(const QRectF& imageRect)
{
    constexpr double marginPx = 20.0;
    const QRectF wanted = imageRect.normalized();
    const double roomX = width() - 2 * marginPx, roomY = height() - 2 * marginPx;
    if (wanted.width() * scale_ > roomX || wanted.height() * scale_ > roomY) {
        const double fit = std::min(roomX / std::max(wanted.width(), 1.0), roomY / std::max(wanted.height(), 1.0));
        scale_ = std::clamp(fit, minZoom(), scale_);
        whole_ = false;
        centreOn(wanted.center());
        update();
        emit viewChanged();
        return;
    }
    const QPointF topLeft = imageToView(wanted.topLeft());
    const QPointF bottomRight = imageToView(wanted.bottomRight());
    QPointF shift;
    if (topLeft.x() < marginPx)
        shift.rx() = marginPx - topLeft.x();
    else if (bottomRight.x() > width() - marginPx)
        shift.rx() = width() - marginPx - bottomRight.x();
    if (topLeft.y() < marginPx)
        shift.ry() = marginPx - topLeft.y();
    else if (bottomRight.y() > height() - marginPx)
        shift.ry() = height() - marginPx - bottomRight.y();
    setOffset(clampedOffset(offset_ + shift));
}

void ImageView::resizeEvent(QResizeEvent*)
{
    if (whole_) {
        scale_ = fitZoom();
        offset_ = QPointF();
    } else {
        // A view that grows past the image never leaves it stranded off-screen.
        scale_ = std::max(scale_, minZoom());
        offset_ = clampedOffset(offset_);
    }
    emit viewChanged();
}

void ImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().color(QPalette::Window));
    if (hasImage())
        paintImage(painter, dirty);
    paintMarkers(painter, dirty);
}

void ImageView::paintImage(QPainter& painter, const QRect& dirty)
{
    const QImage& picture = image();
    if (scale_ < 1.0) {
        // Reduced once per zoom, smoothly, then drawn unscaled.
        if (reducedScale_ != scale_ || reducedKey_ != picture.cacheKey()) {
            reduced_ = picture.scaled(scaledSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            reducedScale_ = scale_;
            reducedKey_ = picture.cacheKey();
        }
        painter.drawImage(offset_, reduced_);
        return;
    }
    // At 1:1 and above: only the image pixels under the dirty area, each a
    // square of `scale_` view pixels, without smoothing.
    const QPointF first = (QPointF(dirty.topLeft()) - offset_) / scale_;
    const QPointF last = (QPointF(dirty.bottomRight()) + QPointF(1, 1) - offset_) / scale_;
    const int x0 = std::max(0, int(std::floor(first.x()))), y0 = std::max(0, int(std::floor(first.y())));
    const int x1 = std::min(picture.width(), int(std::ceil(last.x())));
    const int y1 = std::min(picture.height(), int(std::ceil(last.y())));
    if (x1 <= x0 || y1 <= y0)
        return;
    const QRectF target(offset_.x() + x0 * scale_, offset_.y() + y0 * scale_, (x1 - x0) * scale_,
                        (y1 - y0) * scale_);
    painter.drawImage(target, picture, QRectF(x0, y0, x1 - x0, y1 - y0));
}

void ImageView::paintMarkers(QPainter& painter, const QRect& dirty)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF visible = QRectF(dirty).adjusted(-2, -2, 2, 2);
    // A marker keeps its size on screen; its centre follows the image.
    const auto onScreen = [this](const Marker& marker) {
        const double half = marker.size / 2.0;
        const QPointF centre = imageToView(QPointF(marker.left + half, marker.top + half));
        return QRectF(centre.x() - half, centre.y() - half, marker.size, marker.size);
    };

    // Star markers: element 0 is the template and is never drawn. Up to
    // 4000 of them: each is a copy of one circle drawn once, placed on whole
    // view pixels.
    const QImage& circle = starCircle();
    for (std::size_t i = 1; i < markers_.star.size(); ++i) {
        const Marker& marker = markers_.star[i];
        if (!marker.visible)
            continue;
        const QRectF square = onScreen(marker);
        if (!square.intersects(visible))
            continue;
        if (int(marker.size) == kStarMarkerSize)
            painter.drawImage(QPointF(std::round(square.left()), std::round(square.top())), circle);
        else {
            painter.setPen(QPen(kStarMarkerColour, 1.0));
            painter.drawEllipse(square.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }

    painter.setPen(QPen(kClickMarkerColour, 1.5));
    for (std::size_t i = 1; i < markers_.click.size(); ++i) {
        const Marker& marker = markers_.click[i];
        if (marker.visible)
            painter.drawEllipse(onScreen(marker).adjusted(0.75, 0.75, -0.75, -0.75));
    }

    const CentreCross& centre = markers_.centre;
    if (centre.visible) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(kCentreCrossColour, 1.0));
        // The bars keep their length on screen around the centre's place.
        const QPointF at = imageToView(QPointF(centre.x, centre.y));
        const CrossBars bars = centreCrossBars(at.x(), at.y());
        for (const Segment& bar : {bars.vertical, bars.horizontal})
            painter.drawLine(QPointF(bar.x1, bar.y1), QPointF(bar.x2, bar.y2));
    }
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    // When a double click opened a window (the object details), the release
    // that ended it went to that window: a new press starts a new click,
    // which must not be taken for that release.
    if (event->button() == Qt::LeftButton)
        afterDoubleClick_ = false;
    const bool panButton = event->button() == Qt::MiddleButton
                           || (event->button() == Qt::LeftButton && spaceHeld_);
    if (panButton) {
        dragging_ = true;
        dragLast_ = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void ImageView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (dragging_) {
        setOffset(clampedOffset(offset_ + at - dragLast_));
        dragLast_ = at;
        return;
    }
    const QPointF image = viewToImage(at);
    emit pointerMoved(image.x(), image.y());
}

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_) {
        if (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton) {
            dragging_ = false;
            unsetCursor();
        }
        return;
    }
    // A click is a press and release of the left button; the release that
    // ends a double click is not a further click. A right click takes back
    // the last mark.
    if (event->button() == Qt::RightButton) {
        emit rightClicked();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (afterDoubleClick_) {
        afterDoubleClick_ = false;
        return;
    }
    emit clicked();
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || spaceHeld_)
        return;
    afterDoubleClick_ = true;
    emit doubleClicked();
}

void ImageView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y();
    if (steps > 0)
        zoomIn(event->position());
    else if (steps < 0)
        zoomOut(event->position());
    event->accept();
}

void ImageView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: zoomIn(viewCentre()); break;
    case Qt::Key_Minus: zoomOut(viewCentre()); break;
    case Qt::Key_1: showActualSize(); break;
    case Qt::Key_0: showWhole(); break;
    case Qt::Key_Space:
        spaceHeld_ = true;
        setCursor(Qt::OpenHandCursor);
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void ImageView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        if (!dragging_)
            unsetCursor();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

}  // namespace ce
