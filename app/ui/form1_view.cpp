// Form1 as the reduction controller sees it: texts, check states and
// visibility by objectName, the image, the markers, the status list and the
// boxes.

#include "app/ui/form1.h"

#include "app/ui/control_text.h"
#include "app/ui/dialogs.h"
#include "app/ui/download_progress.h"
#include "app/ui/image_view.h"
#include "app/ui/magnifier.h"
#include "app/ui/zoom_bar.h"

#include <QAbstractButton>
#include <QMenuBar>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>
#include <cmath>

namespace ce {

QString Form1::text(const QString& control) const { return controlCaption(*this, control); }

void Form1::setText(const QString& control, const QString& text)
{
    setControlCaption(*this, control, text);
    // A sign label set by a command (project, assistant, calibration fill)
    // shows its choice on the option buttons too; checking a button from
    // here is no click, so the label is not set again.
    const QString signLabel = QStringLiteral("txt_dec_sign_show_");
    if (control.startsWith(signLabel) && (text == u"-" || text == u"+")) {
        const int label = QStringView(control).mid(signLabel.size()).toInt();
        const int element = 2 * label + (text == u"+" ? 1 : 0);
        if (auto* button = qobject_cast<QAbstractButton*>(
                findControl(*this, QStringLiteral("txt_dec_sign_") + QString::number(element))))
            button->setChecked(true);
    }
}

int Form1::checkState(const QString& control) const
{
    QObject* found = findControl(*this, control);
    if (auto* box = qobject_cast<QCheckBox*>(found)) {
        switch (box->checkState()) {
        case Qt::Unchecked: return 0;
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->isChecked() ? 1 : 0;
    return 0;
}

void Form1::setCheckState(const QString& control, int state)
{
    QObject* found = findControl(*this, control);
    if (auto* box = qobject_cast<QCheckBox*>(found)) {
        box->setCheckState(state == 1   ? Qt::Checked
                           : state == 2 ? Qt::PartiallyChecked
                                        : Qt::Unchecked);
    } else if (auto* button = qobject_cast<QAbstractButton*>(found)) {
        button->setChecked(state != 0);
    }
}

void Form1::setVisible(const QString& control, bool visible)
{
    if (auto* widget = qobject_cast<QWidget*>(findControl(*this, control)))
        widget->setVisible(visible);
}

bool Form1::isVisible(const QString& control) const
{
    // The control's own flag, as the layout and the commands set it, whether
    // or not the window itself is on screen.
    if (auto* widget = qobject_cast<QWidget*>(findControl(*this, control)))
        return !widget->isHidden();
    return false;
}

void Form1::setFocus(const QString& control)
{
    if (auto* widget = qobject_cast<QWidget*>(findControl(*this, control)))
        widget->setFocus(Qt::OtherFocusReason);
}

Status Form1::loadImage(const QString& absolutePath)
{
    Status loaded = picture1_->load(absolutePath, lang_);
    if (loaded) {
        setControlCaption(*this, QStringLiteral("sizeX"), QString::number(imageWidth()));
        setControlCaption(*this, QStringLiteral("sizeY"), QString::number(imageHeight()));
        zoomBar_->refresh();
    }
    return loaded;
}

QList<HeaderCard> Form1::imageHeader() const { return picture1_->store().current().header; }

const LinearPlane* Form1::linearImage() const
{
    return picture1_->store().hasLinear() ? &picture1_->store().linear() : nullptr;
}

bool Form1::searchProgress(const QString& text, int done, int total)
{
    if (!searchBox_) {
        searchBox_ = new QProgressDialog(this);
        searchBox_->setObjectName(QStringLiteral("searchProgress"));
        searchBox_->setWindowModality(Qt::WindowModal);
        searchBox_->setMinimumDuration(400);
        searchBox_->setAutoClose(false);
        searchBox_->setAutoReset(false);
    }
    searchBox_->setLabelText(text);
    searchBox_->setMaximum(std::max(total, 1));
    // A window-modal box handles the pending events here, Cancel included.
    searchBox_->setValue(std::clamp(done, 0, std::max(total, 1)));
    return !searchBox_->wasCanceled();
}

void Form1::searchFinished()
{
    if (searchBox_) searchBox_->deleteLater();
    searchBox_ = nullptr;
}

int Form1::imageWidth() const { return picture1_->image().width(); }

int Form1::imageHeight() const { return picture1_->image().height(); }

std::int32_t Form1::pixel(int x, int y) const { return picture1_->pixel(x, y); }

// An image shown afresh is shown whole; 1:1 is one key away.
void Form1::resetPan() { picture1_->showWhole(); }

void Form1::showImageRegion(double left, double top, double right, double bottom)
{
    // The view pans the least it can, and zooms out only when the region
    // does not fit.
    picture1_->ensureVisible(QRectF(QPointF(left, top), QPointF(right, bottom)).adjusted(-12, -12, 12, 12));
}

void Form1::markersChanged() { picture1_->update(); }

void Form1::redrawZoom()
{
    const ReductionState& state = controller_->state();
    zoom_->dozoom(state.clickX, state.clickY,
                  [this](int x, int y) { return picture1_->pixel(x, y); });
    // Its point (50, 50) goes on the image pixel wherever the zoom puts it.
    const QPointF at = picture1_->imageToView(QPointF(state.clickX, state.clickY));
    zoom_->move(at.toPoint() - QPoint(kMagnifierCentre, kMagnifierCentre));
}

void Form1::addStatus(const QString& line) { status_->insertItem(0, line); }

// The suggestion rules end hints with a carriage return; the label shows it
// as a line break. Language texts hold no line break, so the two forms map
// one to one.
QString Form1::suggestion() const
{
    QString text = sugestion_->text();
    return text.replace(u'\n', u'\r');
}

void Form1::setSuggestion(const QString& text)
{
    QString shown = text;
    sugestion_->setText(shown.replace(u'\r', u'\n'));
}

void Form1::setInfo(const QString& text) { info_->setText(text); }

void Form1::setDebugText(const QString& text) { texte_->setPlainText(text); }

void Form1::showMessage(const QString& text, const QString& title, bool warning)
{
    dialogs_.message(this, text, title, warning);
}

bool Form1::askYesNo(const QString& question, const QString& title)
{
    return dialogs_.askYesNo(this, question, title);
}

bool Form1::askYesNoAboutImage(const QString& question, const QString& title)
{
    // Only the image (and its pan buttons) stays usable while the question
    // is open: no other command may start in the middle of the matching.
    QWidget* image = picOrange_->parentWidget();
    QList<QWidget*> disabled;
    for (QWidget* child : centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != image && child->isEnabled()) {
            child->setEnabled(false);
            disabled << child;
        }
    menuBar()->setEnabled(false);
    const bool yes = dialogs_.askYesNoBesideImage(this, question, title, image);
    menuBar()->setEnabled(true);
    for (QWidget* child : disabled) child->setEnabled(true);
    return yes;
}

void Form1::showDetails(const QString& title, const QString& report)
{
    dialogs_.details(this, title, report);
}

DownloadMonitor& Form1::downloadMonitor() { return *download_; }

}  // namespace ce
