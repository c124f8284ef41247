#pragma once
// A reader for the rich-text (RTF) subset of the help page: groups,
// paragraphs, bold, italic, underline, font size, Windows-1252 escapes,
// Unicode escapes, fields and bookmarks. Font, colour and style tables,
// document information and every other "\*" destination are skipped. The
// result is a plain list of paragraphs made of formatted runs, which the
// window turns into its own text document.
//
// Fields ({\field{\*\fldinst ...}{\fldrslt ...}}) show their result and
// never their instruction. The result of a HYPERLINK field is a link:
//   HYPERLINK "http://host/page"   -> link "http://host/page"
//   HYPERLINK \\l "exports"        -> link "#exports", the bookmark
//                                     {\*\bkmkstart exports} of the document
//   HYPERLINK "page.rtf" \\l "a"   -> link "page.rtf#a"
// Switches \\o and \\t take one argument, which is dropped; \\m, \\n and
// \\h none. A switch written without its escape (\l) reads the same.
// Arguments are quoted ("...", running to the end when the closing quote is
// missing) or end at a blank or a quote, so a link never holds a quote.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ce {

struct RtfRun {
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;  // font size in half points (\fs), 12 pt by default
    // Empty for ordinary text; for the result of a HYPERLINK field, its
    // target: "#name" for a bookmark of this document, else the address.
    QString link;

    bool sameFormat(const RtfRun& other) const
    {
        return bold == other.bold && italic == other.italic && underline == other.underline
               && halfPoints == other.halfPoints && link == other.link;
    }
};

// A place in a paragraph that a local link can lead to.
struct RtfBookmark {
    QString name;      // the \bkmkstart text, blanks at both ends removed; never empty
    qsizetype offset;  // characters of the paragraph's plain text before it
};

struct RtfParagraph {
    QList<RtfRun> runs;            // adjacent runs always differ in format
    QList<RtfBookmark> bookmarks;  // in reading order, offsets 0..plainText().size()
    QString plainText() const;
};

struct RtfDocument {
    QList<RtfParagraph> paragraphs;
    QString plainText() const;  // paragraphs joined with "\n"
};

// Given the bytes of an RTF file; returns its paragraphs. A paragraph ends
// at \par (or a backslash before a line end); text after the last \par makes
// a last paragraph. \line gives a line break inside the paragraph (U+2028),
// \tab a tab. Fails with help.not_rtf of `lang` when the
// bytes do not begin with "{\rtf". Unbalanced braces are tolerated: a
// missing "}" closes at the end, a surplus one is ignored. A paragraph that
// holds only bookmarks is kept.
Result<RtfDocument> readRtf(const QByteArray& bytes, const TextLookup& lang);

}  // namespace ce
