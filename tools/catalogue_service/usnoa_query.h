#pragma once
// The query of the USNO-A2.0 service, read from the keys of its address.
//
// The program asks, for example,
//   ?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1&object=
//    &radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000
// whose keys decodeQueryString turns into texts ("+" is a blank).
// The centre is taken as J2000.0: the program precesses it before asking,
// and the epoch key is only repeated in the answer's head.

#include "core/result.h"

#include <QString>

#include <map>
#include <string>

namespace ce::service {

// Keys and values of a query string after URL decoding (UTF-8).
using QueryKeys = std::multimap<std::string, std::string>;

// The keys of a raw query string (the part after "?") decoded as an HTML
// form does it: "+" is a blank, "%hh" the byte hh, a key without "=" has an
// empty value. The program sends the centre as "ra=1+34+50", so the "+"
// must become a blank here, while "%2B" stays a plus sign.
QueryKeys decodeQueryString(const std::string& rawQuery);

struct UsnoaQuery {
    QString raText;            // as received, e.g. "1 34 50"
    QString decText;           // as received, e.g. "-0 30 0"
    QString epochText;         // as received, repeated in the answer
    double raDeg = 0;          // centre, degrees, J2000.0, 0 <= ra < 360
    double decDeg = 0;         // centre, degrees, J2000.0
    double radiusArcmin = 0;   // search radius, arcminutes, 0 < r <= 5400
    double magBright = 0;      // brightest red magnitude sent
    double magFaint = 0;       // faintest red magnitude sent
    int maxCount = 0;          // nout: at most this many records, >= 1
};

// Sexagesimal texts of the query, blank-separated (":" also accepted), one
// to three numbers: "h [m [s]]" for right ascension, "[+|-]d [m [s]]" for
// declination. Minutes lie in 0..60 (exclusive), seconds in 0..60
// inclusive, because the program rounds 59.6 seconds up to 60 without
// carrying. The sign of a declination is read from its text, so "-0 30 0"
// is -0.5 degrees. Each returns degrees or a message naming the key.
Result<double> parseRightAscension(const QString& text);
Result<double> parseDeclination(const QString& text);

// Reads and checks every key the answer depends on. Required: catalogue
// ("usnoa"), ra, dec, radmax, magfaint, format ("2"), nout. Optional:
// magbright (default 0), sort ("mr", the only order served), epoch, chart,
// object. A missing or unusable key fails with a message naming it.
Result<UsnoaQuery> parseUsnoaQuery(const QueryKeys& keys);

}  // namespace ce::service
