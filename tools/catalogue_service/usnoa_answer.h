#pragma once
// The star selection and the HTML page of the USNO-A2.0 service.
//
// The page is laid out as the archive's service lays it out, because the
// program's reader keys on it: a head with a table repeating the query, a
// "<pre>" line, a bold column header opened by "<b>", the first record line
// starting with "</b>" (which closes the header), 65-character records in
// decimal degrees with LF line ends, a blank line, "</pre>", closing tags.

#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/usnoa_query.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace ce::service {

struct SelectedStar {
    CatalogueStar star;
    double distanceArcmin = 0;    // from the query centre
    double positionAngleDeg = 0;  // from the query centre, north through east
};

// The running number has four columns: no answer lists more records.
inline constexpr int kMaxRecords = 9999;

// The stars of `catalogue` within query.radiusArcmin of the centre (true
// angular distance, the limit included) whose red magnitude lies in
// magBright..magFaint (both included), in increasing red magnitude (equal
// magnitudes keep the catalogue's order), at most min(maxCount, kMaxRecords).
std::vector<SelectedStar> selectStars(const std::vector<CatalogueStar>& catalogue, const UsnoaQuery& query);

// One record, 65 characters without line end:
//   cols  1-4  running number   6-19 identifier   21-29 RA deg %9.5f
//        31-39 Dec deg %+09.5f  41-44 mag R %4.1f  46-49 mag B %4.1f
//        50-57 distance arcmin %8.3f              58-65 position angle %8.3f
// A position angle that rounds to 360.000 is written 0.000.
QByteArray formatRecord(int runningNumber, const SelectedStar& star);

struct PageOptions {
    // Without the marker the header stays closed on its own line, so the
    // first record is not preceded by "</b>": a broken page for tests.
    bool withMarker = true;
};

// The whole answer page for `query` listing `stars` in the given order.
QByteArray answerPage(const UsnoaQuery& query, const std::vector<SelectedStar>& stars,
                      const PageOptions& options = {});

// An HTML page that reports `message` for the HTTP status `status`; it
// holds no star data and no data-start marker.
QByteArray errorPage(int status, const QString& message);

// Everything the service sends for one request of the query path.
struct ServiceReply {
    int status = 200;
    QByteArray body;
    int starCount = 0;  // records in the body
};

// The reply to the query keys: the answer page, or a 400 error page when a
// key is missing or unusable.
ServiceReply answerQuery(const std::vector<CatalogueStar>& catalogue, const QueryKeys& keys,
                         const PageOptions& options = {});

}  // namespace ce::service
