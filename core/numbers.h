#pragma once
// Reading numbers from entry-field texts and writing numbers into texts.
//
// Two reading rules exist, each fixed per field:
//  - the leading-number rule (catalogue columns, scale factors, epoch,
//    suggestion values): blanks ignored, the longest leading decimal number
//    with "." as separator, nothing gives 0;
//  - the locale rule (field centre, tolerance, decision threshold, pixel
//    counts): the whole text, blanks around it allowed, must be a number in
//    the user's locale; anything else is an error naming the field.
// Rounding always takes an exact half to the even neighbour.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace ce {

// Leading-number rule. Given any text; returns the number its leading part
// spells ("  -12.5e1xyz" gives -125, "abc" and "" give 0). Blanks (spaces
// and tabs) are ignored wherever they stand before or inside the number.
// A number beyond the range of a double gives the signed infinity, one
// below its smallest subnormal the signed zero ("1e-400" gives 0).
double leadingNumber(QStringView text);

// Locale rule, the value only. Given the text and the locale's decimal
// separator; returns the number, or nothing when the text is not a number
// or is one beyond the range of a double. The decimal separator may be the
// locale's, "." or "," (whatever the locale, "50.5" and "50,5" are 50.5).
// Group separators are not accepted ("1,234.5" and "1 234" fail); an
// exponent is. One below the smallest subnormal reads as 0.
std::optional<double> localeValue(QStringView text, QChar decimalPoint);

// Locale rule for a field the user typed. Given the text, the locale's
// decimal separator, the field's name as the user reads it and the
// language; returns the number, or the language's "number.not_a_number"
// text naming the field, or "number.overflow_field" for a number beyond
// the range of a double.
Result<double> localeNumber(QStringView text, QChar decimalPoint, const QString& fieldName,
                            const TextLookup& lang);

// The same for a field whose name is a language text ("field.ra_hours").
Result<double> fieldNumber(QStringView text, const char* fieldKey, QChar decimalPoint,
                           const TextLookup& lang);

// The decimal separator of QLocale::system() (its first character), or "."
// when the locale gives none.
QChar systemDecimalPoint();

// Nearest whole number, an exact half to the even neighbour (2.5 -> 2).
double roundHalfEven(double value);

// Rounded to `decimals` decimals (0..15), an exact half to the even
// neighbour (0.125 -> 0.12, 0.375 -> 0.38 with 2 decimals). The decision is
// taken on the exact binary value, so 1.005, stored just below the half,
// gives 1.
double roundHalfEven(double value, int decimals);

// Conversion to a 16-bit integer with half-to-even rounding; nothing when
// out of range or not finite (each caller names the overflow in its terms).
std::optional<std::int16_t> toInt16(double value);

// Text forms, no leading blank, "." as decimal separator unless given.
QString formatWhole(long long value);                              // 42, -7
QString formatDouble(double value, QChar decimalPoint = u'.');     // <= 15 significant digits, shortest
QString formatSingle(float value, QChar decimalPoint = u'.');      // <= 7 significant digits, shortest

}  // namespace ce
