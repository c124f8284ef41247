#pragma once
// frmTip: the help window. It shows aide.rtf from the program folder as
// formatted text, modeless beside the main window. "Page suivante" does
// nothing; "OK" closes and releases the window. A link to a bookmark of the
// page scrolls there; a link to anything else opens nothing, its address
// shows as the link's tooltip.

#include "app/rtf_reader.h"

#include <QDialog>
#include <QHash>

class QTextBrowser;
class QTextDocument;
class QUrl;

namespace ce {

class Dialogs;
struct LanguageTable;

// Longest block of the help page, in characters: a longer paragraph
// continues in the next block, cut after a blank where there is one.
inline constexpr qsizetype kLongParagraphChars = 2000;

// Puts the paragraphs and their formatting into `document`, replacing what
// it held. Linked runs become anchors (href: the run's link) drawn as
// links. Returns where each bookmark stands: its name and the document
// position (QTextCursor::position) of the character after it; the first of
// two bookmarks of one name counts.
QHash<QString, int> fillTextDocument(const RtfDocument& rtf, QTextDocument& document);

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

    // Scrolls the page so that the bookmark `name` stands at the top (as far
    // as the page goes); false, and nothing moves, when the page has none.
    bool showBookmark(const QString& name);

private:
    void followLink(const QUrl& link);

    QTextBrowser* textbox_ = nullptr;
    QHash<QString, int> bookmarks_;
};

}  // namespace ce
