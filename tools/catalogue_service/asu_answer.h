#pragma once
// The answer of the local service to an ASU query, in VizieR's asu-tsv
// layout: "#" comment lines naming the service, the table and its columns,
// a blank line, the column names, their units, a dashes line, then one
// tab-separated row per star, numbers in the catalogue's fixed formats:
//
//   I/252/out      USNO-A2.0 "1050-01234567", RAJ2000 %010.6f, DEJ2000
//                  %+010.6f (deg), Rmag, Bmag %4.1f (mag)
//   I/355/gaiadr3  Source, RA_ICRS %015.11f, DE_ICRS %+015.11f (deg, epoch
//                  2016.0), pmRA, pmDE %9.3f (mas/yr), Gmag, BPmag, RPmag
//                  %7.4f (mag)

#include "tools/catalogue_service/asu_request.h"
#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/gaia_extract.h"

#include <QByteArray>

#include <vector>

namespace ce::service {

struct AsuOptions {
    // Leave the first asked column out of the answer: a broken answer for
    // tests of the program's checks.
    bool dropFirstColumn = false;
};

// The stars inside the cone or box (true angular distance for a cone;
// |dRA cos Dec| and |dDec| within half the sizes for a box) that meet every
// constraint, sorted as asked (stable), at most maxRows; then the answer.
// Gaia stars are selected on their 2016.0 positions.
QByteArray asuAnswer(const AsuRequest& request, const std::vector<CatalogueStar>& usno,
                     const std::vector<GaiaStar>& gaia, const AsuOptions& options = {});

// The number of rows of the last table of an asu-tsv answer (lines after the
// dashes line up to a blank line), for the service's log.
int asuRowCount(const QByteArray& answer);

}  // namespace ce::service
