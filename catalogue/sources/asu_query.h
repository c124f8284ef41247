#pragma once
// The ASU query of a VizieR-style service for one field.

#include "catalogue/sources/catalogue_source.h"
#include "catalogue/sources/asu_table.h"
#include "core/result.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ce {

// The answer path of every VizieR mirror.
inline constexpr char kAsuTsvPath[] = "/viz-bin/asu-tsv";
// Most rows asked for: the reader keeps 4000 records.
inline constexpr int kAsuMaxRows = 4000;

struct AsuCatalogue {
    QString table;           // "-source", e.g. "I/252/out"
    QStringList columns;     // "-out", in this order
    QString magnitudeColumn; // sorted on, and limited to the field's magnitude
};

// asuPathAndQuery
// Given: the catalogue and the field.
// Returns: kAsuTsvPath + "?-source=<table>&-c=<ra><sign><dec>&-c.eq=J2000
//          &-c.rm=<radius>&-out=<c1>,<c2>,...&-sort=<mag>&-out.max=4000
//          &<mag>=%3C<limit>" (that is <mag>=<limit, "less than") — a cone of the typed radius (arcminutes)
//          around the J2000.0 centre (degrees, 6 decimals, the sign of the
//          declination as "%2B" or "-"), stars no fainter than the typed
//          magnitude, brightest first. Column names are percent-encoded.
// Fails when the radius is not a number above 0 or the magnitude is not a
//          number (leading-number rule), naming the field in `lang`
//          (catalogue.read.radius, catalogue.read.magnitude).
Result<QString> asuPathAndQuery(const AsuCatalogue& catalogue, const FieldRequest& request,
                                const TextLookup& lang);

// The index of each named column of `table`, or a failure naming the first
// missing one (catalogue.read.nocolumn, e.g. for Rmag).
Result<std::vector<qsizetype>> asuColumns(const AsuTable& table, const QStringList& names,
                                          const TextLookup& lang);

// A cell as a number ("." decimal point, blanks around allowed); nothing for
// an empty cell or one that is not a finite number.
std::optional<double> asuNumber(const QString& cell);

}  // namespace ce
