#pragma once
// Sexagesimal forms of sky positions: entry fields to degrees, and degrees
// (or hours) to the whole/minutes/seconds parts and the display text.
//
// Sky positions are degrees, doubles: right ascension 0..360 (hours are
// degrees / 15), declination -90..+90.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QString>

#include <array>

#include <cstdint>

namespace ce {

// Right ascension from its three entry numbers.
// Given: hours, minutes, seconds of time.
// Returns: right ascension, degrees: (h * 3600 + m * 60 + s) / 3600 * 15.
// Note: no range check; 24h gives 360.
double raFromFields(double hours, double minutes, double seconds);

// Declination from its three unsigned entry numbers and the sign control.
// Given: degrees, arcminutes, arcseconds (unsigned as typed) and the sign
// factor, -1 or +1 (any negative number counts as -1, anything else as +1).
// Returns: declination, degrees: (d * 3600 + m * 60 + s) * sign / 3600; the
// sign applies to the whole value, so -0d30' is -0.5.
double decFromFields(double degrees, double arcminutes, double arcseconds, int sign);

// The sign factor shown by the declination sign label: -1 for the caption
// "-", +1 for anything else ("+", empty, ...).
int signFactorFromCaption(const QString& caption);

// The three entry texts of a right ascension, each read by the locale rule
// with `decimalPoint`. Returns degrees, or the type-mismatch message naming
// the first field that is not a number (field.ra_hours, field.ra_minutes,
// field.ra_seconds in `lang`). An empty field is not a number.
Result<double> raFromTexts(const QString& hours, const QString& minutes, const QString& seconds,
                           QChar decimalPoint, const TextLookup& lang);

// The same for a declination (field.dec_degrees, field.dec_minutes,
// field.dec_seconds); `sign` as for decFromFields.
Result<double> decFromTexts(const QString& degrees, const QString& arcminutes,
                            const QString& arcseconds, int sign, QChar decimalPoint,
                            const TextLookup& lang);

// A field centre typed as three right-ascension texts (hours, minutes,
// seconds), three unsigned declination texts (degrees, arcminutes,
// arcseconds) and the sign label's caption, for the epoch typed beside it.
struct FieldCentre {
    double raDeg = 0.0;
    double decDeg = 0.0;
    // The sign label's factor, -1 or +1. Kept apart from decDeg because a
    // centre of -0°0'0'' still asks for the southern side.
    int sign = 1;
};

// Given the six texts, the caption ("-" means south) and the locale's
// decimal separator; returns the centre in degrees (raFromTexts,
// decFromTexts, right ascension first) or the message naming the first
// field that is not a number. A finite but huge entry may give an infinite
// centre; the callers check what they need.
Result<FieldCentre> fieldCentreFromTexts(const std::array<QString, 3>& raTexts,
                                         const std::array<QString, 3>& decTexts,
                                         const QString& signCaption, QChar decimalPoint,
                                         const TextLookup& lang);

// Parts of a value written in sexagesimal form.
struct SexagesimalParts {
    std::int16_t whole = 0;    // whole hours or degrees, carrying the sign of the value
    std::int16_t minutes = 0;  // 0..59, never negative
    double seconds = 0.0;      // 0..60 with 4 decimals, never negative (60 is not carried)
};

// Splits a value (hours or degrees) into its sexagesimal parts.
// Given: value. Returns: whole = trunc(|value|) with the sign of value,
// minutes = trunc of the remaining fraction * 60, seconds = the rest * 60
// rounded to 4 decimals, an exact half to the even neighbour.
// Notes:
//  1. For -1 < value < 0 no part carries the sign (whole is 0); a caller that
//     needs it takes it from the value.
//  2. Seconds that round to 60 stay 60; nothing is carried into the minutes.
//  3. A value that is not finite gives all parts 0; a whole part beyond the
//     16-bit range is held at -32768 or 32767.
SexagesimalParts SplitSexagesimal(double value);

// Display text of a value (hours or degrees) with the unit after the whole
// part: [-]w<unit>m's'' ("12h30'0''", "-0°30'0''").
// Given: value; unit text ("h", "H", "°").
// Returns: the text; the seconds are rounded first to 2 decimals and then to
// a whole number, each rounding taking an exact half to the even neighbour.
// Notes:
//  1. The sign is written whenever the value is negative, also when w is 0.
//  2. Seconds that round to 60 are written as 60 (10.9999999° gives
//     10°59'60'').
//  3. The whole part is written in full even beyond the 16-bit range. A
//     value that is not finite is written as the value's own text followed by
//     the unit and 0'0'' ("NaN°0'0''", "-Inf°0'0''"), so nothing downstream reads garbage.
QString FormatSexagesimal(double value, const QString& unit);

// The same text with the seconds to a fixed number of decimals, for
// positions measured finer than a second: [-]w<unit>m's.ss''
// ("1h34'50.25''", "-22°11'01.3''" is written "-22°11'1.3''").
// Given: value; unit; decimals, 0..6, of the seconds.
// Returns: the text, the seconds rounded once (half to even) and carried
// into the minutes and the whole part when they reach 60, so the parts
// always read 0 <= m < 60 and 0 <= s < 60. A value that is not finite is
// written as by FormatSexagesimal.
QString FormatSexagesimalFine(double value, const QString& unit, int decimals);

}  // namespace ce
