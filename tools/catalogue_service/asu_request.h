#pragma once
// An ASU query of a VizieR-style service ("/viz-bin/asu-tsv?..."), read
// from the keys of its address (usnoa_query.h decodes them).
//
// Understood, as VizieR understands them:
//   -source=I/252/out (or I/252)       USNO-A2.0
//   -source=I/355/gaiadr3              Gaia DR3
//   -c=<ra> <dec>                      centre, J2000.0: decimal degrees
//                                      ("23.708333 +22.183611", the sign
//                                      may stand for the blank) or
//                                      sexagesimal "h m s +d m s"
//   -c.eq=J2000                        the only equinox served
//   -c.rm / -c.rd / -c.rs=<r>          cone radius, arcmin / deg / arcsec
//   -c.r=<r> with -c.u=arcmin|deg|arcsec
//   -c.bm / -c.bd / -c.bs=<w>[x<h>]    box, full width (and height)
//   -out=<col>,<col>...                columns, in this order ("*": all)
//   -out.max=<n>                       at most n rows (default 50)
//   -sort=<col> or -sort=-<col>        increasing (decreasing) order
//   <col>=<x, <=x, >x, >=x, =x, x..y   constraints on a numeric column
// Other keys starting with "-" are ignored, as VizieR ignores keys it does
// not need; any other key that is not a column of the catalogue, a column
// or value that does not fit, a missing -source or -c fails with a French
// message naming the key.

#include "core/result.h"
#include "tools/catalogue_service/usnoa_query.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace ce::service {

enum class AsuCatalogueId { UsnoA2, GaiaDr3 };

// The columns each catalogue answers, in their default order.
QStringList asuColumnNames(AsuCatalogueId catalogue);

struct AsuConstraint {
    std::optional<double> low, high;  // bounds, degrees or the column's unit
    bool lowIncluded = true, highIncluded = true;
    bool admits(double value) const;
};

struct AsuRequest {
    AsuCatalogueId catalogue = AsuCatalogueId::UsnoA2;
    double raDeg = 0, decDeg = 0;     // centre, J2000.0, degrees, 0 <= ra < 360
    bool box = false;                 // false: cone
    double radiusArcmin = 0;          // cone
    double widthArcmin = 0, heightArcmin = 0;  // box, full sizes
    QStringList columns;              // answered columns, in order
    QString sortColumn;               // empty: catalogue order
    bool sortDescending = false;
    int maxRows = 50;
    std::map<QString, AsuConstraint> constraints;
};

Result<AsuRequest> parseAsuRequest(const QueryKeys& keys);

// The query string parseAsuRequest reads back as `request` (keys in a fixed
// order, numbers in their shortest exact form), for tests and fuzzing.
std::string asuQueryString(const AsuRequest& request);

}  // namespace ce::service
