#pragma once
// A reader for the rich-text (RTF) subset of the help page: groups,
// paragraphs, bold, italic, underline, font size, Windows-1252 escapes and
// Unicode escapes. Font, colour and style tables, document information and
// every "\*" destination are skipped. The result is a plain list of
// paragraphs made of formatted runs, which the window turns into its own
// text document.

#include "core/result.h"

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

    bool sameFormat(const RtfRun& other) const
    {
        return bold == other.bold && italic == other.italic && underline == other.underline
               && halfPoints == other.halfPoints;
    }
};

struct RtfParagraph {
    QList<RtfRun> runs;  // adjacent runs always differ in format
    QString plainText() const;
};

struct RtfDocument {
    QList<RtfParagraph> paragraphs;
    QString plainText() const;  // paragraphs joined with "\n"
};

// Given the bytes of an RTF file; returns its paragraphs. A paragraph ends
// at \par (or a backslash before a line end); text after the last \par makes
// a last paragraph. \line gives a line break inside the paragraph (U+2028),
// \tab a tab. Fails with « Le fichier n'est pas au format RTF » when the
// bytes do not begin with "{\rtf". Unbalanced braces are tolerated: a
// missing "}" closes at the end, a surplus one is ignored.
Result<RtfDocument> readRtf(const QByteArray& bytes);

}  // namespace ce
