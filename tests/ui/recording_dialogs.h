#pragma once
// A Dialogs that shows nothing: message boxes are recorded, questions take
// scripted answers, file dialogs return scripted names. The windows of the
// calibration and project tests run with it, so no box ever blocks a test.

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
    bool askYesNo(QWidget*, const QString& question, const QString& title) override
    {
        questions.append({question, title, false});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
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
    void details(QWidget*, const QString& title, const QString&) override
    {
        detailTitles.append(title);
    }

    struct FileDialog {
        QString title, folder, filter;
    };
    QList<Box> messages;
    QList<Box> questions;
    QList<bool> answers;
    QList<FileDialog> fileDialogs;
    QString fileName;  // the name every file dialog answers, empty = cancelled
    QList<QString> detailTitles;
};

}  // namespace ce::testing
