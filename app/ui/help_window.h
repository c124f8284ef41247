#pragma once
// frmTip: the help window. It shows aide.rtf from the program folder as
// formatted text, modeless beside the main window. "Page suivante" does
// nothing; "OK" closes and releases the window.

#include "app/rtf_reader.h"

#include <QDialog>

class QTextBrowser;
class QTextDocument;

namespace ce {

class Dialogs;
struct LanguageTable;

// Longest block of the help page, in characters: a longer paragraph
// continues in the next block, cut after a blank where there is one.
inline constexpr qsizetype kLongParagraphChars = 2000;

// Puts the paragraphs and their formatting into `document`, replacing what
// it held.
void fillTextDocument(const RtfDocument& rtf, QTextDocument& document);

class frmTip final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmTip)

public:
    // Builds the window and runs its load step: reads `helpFile`; on success
    // applies the texts of the key "aide", on failure shows one message box
    // with the reason (through `dialogs`) and stays empty.
    frmTip(const QString& helpFile, LanguageTable& lang, Dialogs& dialogs,
           QWidget* parent = nullptr);

    QString plainText() const;
    QTextDocument* document() const;

private:
    QTextBrowser* textbox_ = nullptr;
};

}  // namespace ce
