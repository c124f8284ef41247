#pragma once
// Reading a tab-separated answer of a VizieR-style ASU service ("asu-tsv").
//
// The answer looks like this (tabs shown as "→"):
//
//   #   VizieR Astronomical Server ...      comment lines, any number
//   #Column→RAJ2000→(F10.6)→...
//                                           blank lines
//   USNO-A2.0→RAJ2000→DEJ2000→Rmag→Bmag     column names
//   →deg→deg→mag→mag                        units (may be empty)
//   -------------→----------→...            dashes, one run per column
//   1050-01234567→023.708840→+22.183610→12.3→13.1
//   ...                                     rows until a blank line, a
//                                           comment or the end
//
// Line ends may be LF or CR LF. Only the first table of the answer is read.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace ce {

struct AsuTable {
    QStringList names;               // column names, in the answer's order
    QStringList units;               // one per column ("" when none given)
    std::vector<QStringList> rows;   // cells, trimmed; as many as names

    // Index of the column called `name` (exact), or -1.
    qsizetype column(const QString& name) const { return names.indexOf(name); }
};

// parseAsuTable
// Given: the answer bytes (ASCII or UTF-8).
// Returns: the first table. A row with fewer cells than names is padded with
//          empty cells (the service drops trailing empty cells).
// Fails, worded in `lang`, when no names/units/dashes head is found
//          (catalogue.read.notable), when the dashes line does not have one
//          run per name (catalogue.read.badhead), or when a row has more
//          cells than names (catalogue.read.toomany); both name the line
//          number, from 1.
Result<AsuTable> parseAsuTable(const QByteArray& answer, const TextLookup& lang);

// The answer text of `table`, laid out as the service lays it out: the given
// comment lines (each prefixed with "#"), a blank line, names, units, dashes
// as wide as the widest cell of each column, rows; LF line ends.
// parseAsuTable(formatAsuTable(t, c)) gives back t for every table whose
// cells hold no tab, no line end and no leading or trailing blank, whose
// names are not all empty and the first does not start with "#", and whose
// rows each have a cell that is not empty and a first cell that does not
// start with "#" (a blank line or a comment ends the rows).
QByteArray formatAsuTable(const AsuTable& table, const QStringList& comments);

}  // namespace ce
