#include "app/ui/download_progress.h"

#include "app/language_table.h"

#include <QLocale>
#include <QProgressDialog>

namespace ce {

DownloadProgress::DownloadProgress(QWidget* owner, const LanguageTable& lang) : owner_(owner), lang_(lang) {}

DownloadProgress::~DownloadProgress() { delete box_; }

void DownloadProgress::downloadStarted(const QString& address)
{
    address_ = address;
    if (!box_) {
        box_ = new QProgressDialog(owner_);
        box_->setObjectName(QStringLiteral("downloadProgress"));
        box_->setWindowTitle(lang_.text(QStringLiteral("net.progress.title")));
        box_->setCancelButtonText(lang_.text(QStringLiteral("net.progress.cancel")));
        box_->setWindowModality(Qt::WindowModal);
        // Shown at once: while the answer comes in, the main window's
        // commands must not start a second download.
        box_->setMinimumDuration(0);
        box_->setAutoReset(false);
        box_->setAutoClose(false);
        box_->setMinimumWidth(420);
    }
    box_->setRange(0, 0);  // the size of the answer is not known beforehand
    box_->setLabelText(lang_.text(QStringLiteral("net.progress.connecting")).arg(address.section(u'?', 0, 0)));
    pulses_ = 0;
    box_->setValue(0);
}

void DownloadProgress::bytesReceived(qint64 bytes)
{
    if (!box_)
        return;
    box_->setLabelText(lang_.text(QStringLiteral("net.progress.received"))
                           .arg(QLocale().formattedDataSize(bytes)));
    // A busy bar (range 0..0) takes any value; a new one keeps it moving.
    box_->setValue(++pulses_);
}

bool DownloadProgress::cancelRequested() const { return box_ && box_->wasCanceled(); }

void DownloadProgress::downloadFinished()
{
    if (box_) {
        box_->reset();
        box_->hide();
    }
}

}  // namespace ce
