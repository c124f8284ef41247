#pragma once
// The row of view controls under the image: fit the whole image, 1:1,
// zoom out and in, the zoom shown as a percentage, the display stretch of
// linear (FITS and 16-bit) images, and, for a FITS image, which way is up.
//
// Control names: "zoomFit", "zoomActual", "zoomOut", "zoomIn", "zoomLevel",
// "stretch", "orientation"; the captions of "zoomFit" and "orientation" come
// from the language file ([FORM] 71 and 72) when it has them.

#include <QWidget>

class QComboBox;
class QLabel;

namespace ce {

struct LanguageTable;

class ImageView;

class ZoomBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZoomBar)

public:
    // The captions come from `lang`.
    ZoomBar(ImageView& view, const LanguageTable& lang, QWidget* parent = nullptr);

    // Shows what the view holds now: the zoom, and the stretch and
    // orientation controls only for the images they concern.
    void refresh();

private:
    ImageView& view_;
    QLabel* level_ = nullptr;
    QComboBox* stretch_ = nullptr;
    QLabel* orientation_ = nullptr;
};

}  // namespace ce
