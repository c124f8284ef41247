#pragma once
// Picture1: the image view. It fills the viewport and shows the loaded
// image at a zoom from "the whole image" up to 8:1, panned by an offset; it
// paints the overlay of the reduction (catalogue star markers, click
// markers, field-centre cross) from the marker tables, placed in image
// coordinates and drawn at their size on screen whatever the zoom.
//
// Frames. Image pixel (x, y) has its centre at image coordinates (x, y),
// x to the right and y down from the top-left pixel; view coordinates are
// the widget's own pixels. With s the zoom (view pixels per image pixel)
// and o the offset (view position of the image's top-left corner):
//     view  = o + (image + ½)·s − ½
//     image = (view + ½ − o) / s − ½
// At 1:1 with no pan both are the identity, as in the fixed 1:1 view of the
// first version. A pointer at view pixel p is reported at image coordinates
// whose nearest whole pixel is the image pixel under p's centre.
//
// Controls: mouse wheel zooms about the pointer; "+" and "−" zoom about the
// view's centre, "1" shows 1:1, "0" the whole image; a drag with the middle
// button, or with the left button while Space is held, pans (and is not a
// click).
//
// The image comes from image/ (ImageStore): what the view shows is its
// display picture; the linear values of a FITS or 16-bit image stay
// reachable through store().linear().

#include "core/reduction_state.h"
#include "core/result.h"
#include "image/gui/image_store.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace ce {

inline constexpr double kMaxZoom = 8.0;

class ImageView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImageView)

public:
    // `markers` are painted over the image; they outlive the view.
    explicit ImageView(const MarkerTables& markers, QWidget* parent = nullptr);

    // Loads the image file through the decode cache (an unchanged file is
    // not decoded again). On failure the previous picture stays and the
    // error is the decoder's sentence, worded in `lang`.
    Status load(const QString& absolutePath, const TextLookup& lang);
    const QImage& image() const { return store_.current().display; }
    bool hasImage() const { return !image().isNull(); }
    const ImageStore& store() const { return store_; }
    // Changes the display stretch of linear data and repaints.
    void setStretch(StretchPreset preset);

    // Packed colour of image pixel (x, y): blue * 65536 + green * 256 + red;
    // -1 outside the image (or with no image).
    std::int32_t pixel(int x, int y) const { return store_.current().pixel(x, y); }

    // Zoom (view pixels per image pixel) and pan.
    double zoom() const { return scale_; }
    // The zoom that shows the whole image, never above 1:1.
    double fitZoom() const;
    // Sets the zoom, clamped to [min(fitZoom, 1), 8], keeping the image
    // point under `anchor` (view coordinates) where it is.
    void setZoom(double scale, QPointF anchor);
    void setZoom(double scale) { setZoom(scale, viewCentre()); }
    void zoomIn(QPointF anchor);   // next step of 1/16 … 1/2, 1, 2, 4, 8
    void zoomOut(QPointF anchor);
    void showWhole();              // fit, image at the top-left corner
    void showActualSize();         // 1:1 about the view's centre

    // View position of the image's top-left corner (0 or negative when panned).
    QPointF offset() const { return offset_; }
    void setOffset(QPointF offset);
    // The image's size on screen at the current zoom, view pixels.
    QSize scaledSize() const;

    // The mappings between the two frames (see the header comment).
    QPointF imageToView(QPointF image) const;
    QPointF viewToImage(QPointF view) const;

    // Brings image points into view: centres the view on a point, or pans
    // the least (and zooms out only when it must) so that a rectangle of
    // image coordinates is wholly visible.
    void centreOn(QPointF imagePoint);
    void ensureVisible(const QRectF& imageRect);

signals:
    // Pointer position in image coordinates.
    void pointerMoved(double x, double y);
    void clicked();
    void doubleClicked();
    void rightClicked();
    // The zoom or the pan changed.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QPointF viewCentre() const { return QPointF(width() / 2.0, height() / 2.0); }
    double minZoom() const;
    QPointF clampedOffset(QPointF offset) const;
    void paintImage(QPainter& painter, const QRect& dirty);
    void paintMarkers(QPainter& painter, const QRect& dirty);

    const MarkerTables& markers_;
    ImageStore store_;
    double scale_ = 1.0;
    QPointF offset_;
    // Shown whole: a view that changes size shows the image whole again.
    bool whole_ = false;
    // The picture reduced for a zoom below 1:1, made once per zoom.
    QImage reduced_;
    double reducedScale_ = 0.0;
    qint64 reducedKey_ = 0;
    // Panning by drag.
    bool spaceHeld_ = false;
    bool dragging_ = false;
    QPointF dragLast_;
    bool afterDoubleClick_ = false;
};

}  // namespace ce
