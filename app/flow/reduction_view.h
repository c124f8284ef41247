#pragma once
// What the reduction controller needs of the main window, and nothing more.
//
// Controls are named by their objectName: "txt_ra_0", "txt_epoch",
// "txt_dec_sign_show_1", "Etalo_5", "BoutonEtalo", "Frm_3", "zoom",
// "CheckDecideur". The window keeps the texts; the controller reads them when
// a command runs. Tests implement this interface with a scripted fake, so
// every flow, Yes/No answers included, runs without a display.

#include "core/reduction_state.h"
#include "core/result.h"
#include "image/header_card.h"
#include "image/linear_plane.h"

#include <QList>

#include <QString>

#include <cstdint>

namespace ce {

// Receives the progress of a download and tells whether the user cancelled.
class DownloadMonitor {
public:
    virtual ~DownloadMonitor() = default;
    virtual void downloadStarted(const QString& address) = 0;
    virtual void bytesReceived(qint64 bytes) = 0;
    virtual bool cancelRequested() const = 0;
    virtual void downloadFinished() = 0;
};

class ReductionView {
public:
    virtual ~ReductionView() = default;

    // Texts of text boxes and captions of labels and buttons.
    virtual QString text(const QString& control) const = 0;
    virtual void setText(const QString& control, const QString& text) = 0;
    // Check box state: 0 clear, 1 ticked, 2 greyed.
    virtual int checkState(const QString& control) const = 0;
    virtual void setCheckState(const QString& control, int state) = 0;
    virtual void setVisible(const QString& control, bool visible) = 0;
    virtual bool isVisible(const QString& control) const = 0;
    virtual void setFocus(const QString& control) = 0;

    // The image: loading the file at an absolute path (the error text is the
    // platform's reason), its size, and one pixel's packed colour
    // (blue * 65536 + green * 256 + red), -1 outside the image.
    virtual Status loadImage(const QString& absolutePath) = 0;
    virtual int imageWidth() const = 0;
    virtual int imageHeight() const = 0;
    virtual std::int32_t pixel(int x, int y) const = 0;
    // The cards of the loaded image's FITS header; none for other formats.
    virtual QList<HeaderCard> imageHeader() const { return {}; }
    // The linear values behind the display of a FITS or 16-bit image (pixel
    // (x, y) of the display is (x, y) of the plane); null for 8-bit pictures.
    // Valid until the next image load.
    virtual const LinearPlane* linearImage() const { return nullptr; }
    // Shows the image afresh: whole (fit), at the view's top-left corner.
    virtual void resetPan() = 0;
    // Brings the rectangle (image pixels, left <= right, top <= bottom) into
    // sight: all of it when it fits, else its centre.
    virtual void showImageRegion(double left, double top, double right, double bottom) = 0;

    // The marker tables of the reduction state changed: repaint them.
    virtual void markersChanged() = 0;
    // The magnifier: redraw it centred on the state's clickX, clickY.
    virtual void redrawZoom() = 0;

    // Status list (newest first), suggestion label, hover info, debug pane.
    virtual void addStatus(const QString& line) = 0;
    virtual QString suggestion() const = 0;
    virtual void setSuggestion(const QString& text) = 0;
    virtual void setInfo(const QString& text) = 0;
    virtual void setDebugText(const QString& text) = 0;

    // Modal boxes. `title` empty means the program's default title.
    virtual void showMessage(const QString& text, const QString& title = QString(),
                             bool warning = false) = 0;
    virtual bool askYesNo(const QString& question, const QString& title) = 0;
    // A Yes/No question about what the image shows: the box does not cover
    // the image, and the image can still be panned while it is open.
    virtual bool askYesNoAboutImage(const QString& question, const QString& title) = 0;

    // The object details window, modal, with its title and report.
    virtual void showDetails(const QString& title, const QString& report) = 0;

    // Progress of downloads; the monitor lives as long as the view.
    virtual DownloadMonitor& downloadMonitor() = 0;

    // Progress of a search that tries many sets ("5-Auto"): `text` says how
    // far it is, `done` of `total` steps. Returns false once the user has
    // asked to cancel. The box, if any, stays up until searchFinished().
    virtual bool searchProgress(const QString& text, int done, int total)
    {
        Q_UNUSED(text);
        Q_UNUSED(done);
        Q_UNUSED(total);
        return true;
    }
    virtual void searchFinished() {}
};

}  // namespace ce
