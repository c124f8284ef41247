#pragma once
// The progress of a catalogue download, shown in a small window-modal box
// with an "Annuler" button. The box keeps the main window's commands from
// running again while the answer comes in.

#include "app/flow/reduction_view.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

namespace ce {

struct LanguageTable;

class DownloadProgress final : public DownloadMonitor {
public:
    DownloadProgress(QWidget* owner, const LanguageTable& lang);
    ~DownloadProgress() override;
    DownloadProgress(const DownloadProgress&) = delete;
    DownloadProgress& operator=(const DownloadProgress&) = delete;

    void downloadStarted(const QString& address) override;
    void bytesReceived(qint64 bytes) override;
    bool cancelRequested() const override;
    void downloadFinished() override;

private:
    QWidget* owner_;
    const LanguageTable& lang_;
    QPointer<QProgressDialog> box_;
    QString address_;
    int pulses_ = 0;  // one per received block
};

}  // namespace ce
