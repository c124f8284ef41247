#pragma once
// The report of the object details window (FrmDetail): identification,
// magnitudes, coordinates for J2000.0 and for the typed epoch, and the
// catalogue name. Its headings and labels are the language's texts
// ("report." keys).

#include <QChar>
#include <QString>

#include "core/text_lookup.h"

namespace ce {

struct ObjectReport {
    QString title;   // report.title with the identifier
    QString text;    // 16 lines joined with CR LF, no line break after the last
};

// Given: the catalogue identifier (14 characters); raDeg, decDeg: position
// for J2000.0, degrees (starU / corrAsd, starV / corrDec); the red and blue
// magnitude texts as read (blanks kept); the epoch text as typed; the
// decimal separator of the user's locale.
// Returns: the title and the report. Coordinates are rounded to 5 decimals
// (half to even) and written in their shortest form with `decimalPoint`;
// the sexagesimal forms use the units "H" (right ascension / 15) and "°".
// The epoch block uses PrecessFromJ2000 with the epoch text read by the
// leading-number rule (no number gives epoch 0), its heading shows the text
// as typed.
// Labels and headings come from `lang`; the catalogue names "USNO-A2.0" and
// "Gaia DR3" are written as they are.
// A Gaia DR3 star (`catalogueNote` "Gaia DR3 <source_id>", the whole
// identifier its record carries) is named "Gaia DR3: <source_id>" under
// the catalogue names heading, followed by a line saying that its position was
// carried linearly from 2016.0 to the typed epoch by its proper motion.
ObjectReport buildObjectReport(const QString& identifier, double raDeg, double decDeg,
                               const QString& magR, const QString& magB,
                               const QString& epochText, QChar decimalPoint,
                               const QString& catalogueNote, const TextLookup& lang);

}  // namespace ce
