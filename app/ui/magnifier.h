#pragma once
// zoom: the magnifier, a 102 by 102 pixel box inside the image box. It shows
// the 27 by 27 image pixels around a point, each as a 5-pixel dot every
// 4 pixels, with the cross-hairs Line1 and Line2 over them.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace ce {

inline constexpr int kMagnifierSize = 102;   // pixels across
inline constexpr int kMagnifierCentre = 50;  // the magnified point, magnifier pixels
inline constexpr int kMagnifierReach = 13;   // image pixels on each side of the point
inline constexpr int kMagnifierPitch = 4;    // magnifier pixels between dots
inline constexpr int kMagnifierDot = 5;      // dot size, pixels

class Magnifier final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Magnifier)

public:
    // Packed colour of an image pixel (blue * 65536 + green * 256 + red), -1
    // outside the image.
    using PixelSource = std::function<std::int32_t(int x, int y)>;

    explicit Magnifier(QWidget* parent = nullptr);

    // dozoom: moves the box so that its point (50, 50) lies on image pixel
    // (x, y) and draws the neighbourhood. Pixels outside the image are black.
    void dozoom(int x, int y, const PixelSource& pixel);

    // The drawing, for inspection: 102 by 102 pixels.
    const QImage& drawing() const { return drawing_; }

signals:
    // Pointer position in the magnifier's own pixels.
    void pointerMoved(double x, double y);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage drawing_;
    bool afterDoubleClick_ = false;
};

}  // namespace ce
