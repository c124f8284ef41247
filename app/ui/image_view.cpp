#include "app/ui/image_view.h"

#include "skymap/overlay_geometry.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace ce {

namespace {

const QColor kStarMarkerColour(0, 230, 0);
const QColor kClickMarkerColour(255, 210, 0);
const QColor kCentreCrossColour(255, 0, 0);

// The square a marker covers, in image pixels.
QRectF markerSquare(const Marker& marker)
{
    return QRectF(marker.left, marker.top, marker.size, marker.size);
}

// Why a picture could not be read, in the user's language: the reader's own
// descriptions are English.
QString loadFailure(QImageReader::ImageReaderError error)
{
    switch (error) {
    case QImageReader::FileNotFoundError: return QStringLiteral("Fichier introuvable");
    case QImageReader::DeviceError: return QStringLiteral("Lecture du fichier impossible");
    case QImageReader::UnsupportedFormatError: return QStringLiteral("Format d'image non reconnu");
    case QImageReader::InvalidDataError: return QStringLiteral("Données d'image invalides");
    case QImageReader::UnknownError: break;
    }
    return QStringLiteral("Image illisible");
}

}  // namespace

ImageView::ImageView(const MarkerTables& markers, QWidget* parent)
    : QWidget(parent), markers_(markers)
{
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(0, 0);
}

Status ImageView::load(const QString& absolutePath)
{
    QImageReader reader(absolutePath);
    QImage loaded = reader.read();
    if (loaded.isNull())
        return Status::failure(loadFailure(reader.error()));
    image_ = loaded.convertToFormat(QImage::Format_RGB32);
    resize(image_.size());
    update();
    return succeeded();
}

std::int32_t ImageView::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return -1;
    const QRgb rgb = image_.pixel(x, y);
    return std::int32_t(qBlue(rgb)) * 65536 + std::int32_t(qGreen(rgb)) * 256
           + std::int32_t(qRed(rgb));
}

void ImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (!image_.isNull())
        painter.drawImage(dirty.topLeft(), image_, dirty);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF visible = QRectF(dirty).adjusted(-2, -2, 2, 2);

    // Star markers: element 0 is the template and is never drawn.
    painter.setPen(QPen(kStarMarkerColour, 1.0));
    for (std::size_t i = 1; i < markers_.star.size(); ++i) {
        const Marker& marker = markers_.star[i];
        if (!marker.visible)
            continue;
        const QRectF square = markerSquare(marker);
        if (square.intersects(visible))
            painter.drawEllipse(square.adjusted(0.5, 0.5, -0.5, -0.5));
    }

    painter.setPen(QPen(kClickMarkerColour, 1.5));
    for (std::size_t i = 1; i < markers_.click.size(); ++i) {
        const Marker& marker = markers_.click[i];
        if (marker.visible)
            painter.drawEllipse(markerSquare(marker).adjusted(0.75, 0.75, -0.75, -0.75));
    }

    const CentreCross& centre = markers_.centre;
    if (centre.visible) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(kCentreCrossColour, 1.0));
        const CrossBars bars = centreCrossBars(centre.x, centre.y);
        for (const Segment& bar : {bars.vertical, bars.horizontal})
            painter.drawLine(QPointF(bar.x1, bar.y1), QPointF(bar.x2, bar.y2));
    }
}

void ImageView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit pointerMoved(at.x(), at.y());
}

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
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
    if (event->button() != Qt::LeftButton)
        return;
    afterDoubleClick_ = true;
    emit doubleClicked();
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    // When the double click opened a window (the object details), the
    // release that ended it went to that window: a new press starts a new
    // click, which must not be taken for that release.
    if (event->button() == Qt::LeftButton)
        afterDoubleClick_ = false;
}

}  // namespace ce
