#pragma once
// Picture1: the image box. It shows the loaded image at its natural size,
// one screen pixel per image pixel, and paints the overlay of the reduction
// (catalogue star markers, click markers, field-centre cross) from the
// marker tables. Its position inside the viewport is the pan offset, so
// everything painted here pans with the image. Pointer events are reported
// in image pixels.

#include "core/reduction_state.h"
#include "core/result.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace ce {

class ImageView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImageView)

public:
    // `markers` are painted over the image; they outlive the view.
    explicit ImageView(const MarkerTables& markers, QWidget* parent = nullptr);

    // Loads the picture file; the box takes the picture's size. On failure
    // the previous picture stays and the error is the platform's reason.
    Status load(const QString& absolutePath);
    const QImage& image() const { return image_; }
    bool hasImage() const { return !image_.isNull(); }

    // Packed colour of image pixel (x, y): blue * 65536 + green * 256 + red;
    // -1 outside the image (or with no image).
    std::int32_t pixel(int x, int y) const;

signals:
    // Pointer position in image pixels (the widget's own coordinates).
    void pointerMoved(double x, double y);
    void clicked();
    void doubleClicked();
    void rightClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const MarkerTables& markers_;
    QImage image_;
    bool afterDoubleClick_ = false;
};

}  // namespace ce
