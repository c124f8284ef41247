#pragma once
// FITS header cards written by the program: 80 printable ASCII characters
// each, in the fixed format of the FITS standard (version 4.0, section 4):
//   columns 1-8    keyword, left-justified, blank-filled
//   columns 9-10   "= " for a card with a value
//   columns 11-30  a number or logical right-justified (fixed format), or a
//                  string in single quotes starting in column 11, at least
//                  8 characters between the quotes, a quote inside doubled
//   then " / " and the comment, cut at column 80.
// Commentary cards (COMMENT, HISTORY) hold their text in columns 9-80.
//
// Texts given to these routines may hold any character: a letter with an
// accent loses it ("é" → "e"), any other character outside printable ASCII
// (32..126) becomes "?", so every card stays valid.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace ce {

inline constexpr int kFitsCardLength = 80;
inline constexpr int kFitsBlockLength = 2880;      // 36 cards
inline constexpr int kFitsLongestString = 68;      // characters between the quotes

// printableAscii: the text as FITS may hold it (see above).
QByteArray printableAscii(const QString& text);

// fitsReal: a double as a FITS real value: the shortest decimal form that
// reads back to the same double, exponent letter "E", always a decimal
// point in the mantissa ("2000.0", "1.5E-05", "-0.000277777777777778").
// Returns none for NaN and the infinities, which FITS cannot hold. A
// subnormal value (below 2.2E-308 in magnitude) is written as 0.0, since
// CFITSIO takes it for an overflow.
std::optional<QByteArray> fitsReal(double value);

// Cards with a value. The keyword must be 1 to 8 characters of A-Z, 0-9,
// "-" and "_" (the program's own keywords; not checked).
QByteArray logicalCard(const char* keyword, bool value, const QString& comment = QString());
QByteArray integerCard(const char* keyword, long long value, const QString& comment = QString());
// None when the value is not finite.
std::optional<QByteArray> realCard(const char* keyword, double value,
                                   const QString& comment = QString());
// The text made printable, cut to kFitsLongestString characters (quotes
// doubled count twice; a doubled quote is never cut in half), trailing
// blanks dropped (FITS gives them no meaning).
QByteArray stringCard(const char* keyword, const QString& value, const QString& comment = QString());

// Commentary cards: the text made printable and wrapped at blanks into as
// many cards as it needs (72 characters each; a word longer than that is
// cut). An empty text gives one card with no text.
QList<QByteArray> commentaryCards(const char* keyword, const QString& text);

// The END card and the header padded with blank cards to whole 2880-byte
// blocks: the cards given (each kFitsCardLength long), then END.
QByteArray headerBlocks(const QList<QByteArray>& cards);

}  // namespace ce
