#pragma once
// A Dialogs that shows nothing: message boxes and file dialogs are recorded,
// file dialogs return a scripted name, questions are answered No. The
// calibration and project windows run with it in tests, so no box blocks.

#include "app/ui/dialogs.h"

#include <QList>
#include <QString>

namespace ce::testing {

class RecordingDialogs final : public Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        bool warning = false;
    };

    void message(QWidget*, const QString& text, const QString& title, bool warning) override
    {
        messages.append({text, title, warning});
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    QString openFileName(QWidget*, const QString& title, const QString& folder,
                         const QString& filter) override
    {
        fileDialogs.append({title, folder, filter});
        return fileName;
    }
    QString saveFileName(QWidget*, const QString& title, const QString& folder,
                         const QString& filter) override
    {
        fileDialogs.append({title, folder, filter});
        return fileName;
    }
    void details(QWidget*, const QString&, const QString&) override {}

    struct FileDialog {
        QString title, folder, filter;
    };
    QList<Box> messages;
    QList<FileDialog> fileDialogs;
    QString fileName;  // the name every file dialog answers, empty = cancelled
};

}  // namespace ce::testing
