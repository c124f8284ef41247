#pragma once
// The modal boxes and file dialogs of the windows, behind one small
// interface: the program uses the Qt boxes, tests hand in a scripted answerer
// so that no box ever blocks a test.

#include <QString>

class QWidget;

namespace ce {

struct LanguageTable;

// The title of message boxes that name none (key box.title).
QString defaultMessageTitle(const LanguageTable& lang);

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The texts of the boxes' own buttons and labels from now on; until
    // called, the program's French. `lang` must outlive the boxes.
    virtual void useLanguage(const LanguageTable& lang) { (void)lang; }

    // A box with an OK button; `warning` adds the exclamation icon. An empty
    // title means defaultMessageTitle().
    virtual void message(QWidget* parent, const QString& text, const QString& title,
                         bool warning) = 0;
    // A box with Yes and No buttons; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& question, const QString& title) = 0;
    // The same question about what `image` shows: the box stands beside the
    // image rather than over it, and leaves `image` usable (panning) while
    // it waits. By default the plain question.
    virtual bool askYesNoBesideImage(QWidget* parent, const QString& question, const QString& title,
                                     QWidget* image)
    {
        (void)image;
        return askYesNo(parent, question, title);
    }
    // The common file dialogs; an empty result means cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    // The object details window (FrmDetail), modal.
    virtual void details(QWidget* parent, const QString& title, const QString& report) = 0;
};

// The real boxes: QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
public:
    QtDialogs();
    void useLanguage(const LanguageTable& lang) override;
    void message(QWidget* parent, const QString& text, const QString& title,
                 bool warning) override;
    bool askYesNo(QWidget* parent, const QString& question, const QString& title) override;
    bool askYesNoBesideImage(QWidget* parent, const QString& question, const QString& title,
                             QWidget* image) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    void details(QWidget* parent, const QString& title, const QString& report) override;

private:
    const LanguageTable* lang_;
};

}  // namespace ce
