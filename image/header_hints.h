#pragma once
// What a FITS header tells about the reduction: the field centre, the epoch
// of the observation and the scale factors Corr Asd and Corr Dec.
//
// Units: right ascension and declination in degrees (the header's equinox,
// taken as J2000.0); the epoch as a decimal year (UTC); Corr Asd in image
// pixels per degree of right ascension, Corr Dec in image pixels per degree
// of declination.
//
// Keywords read, in order of preference:
//  - centre: RA / DEC (a number is degrees; a text of three parts is hours,
//    minutes, seconds for RA and degrees, arc-minutes, arc-seconds for DEC),
//    then OBJCTRA / OBJCTDEC (texts of three parts), then CRVAL1 / CRVAL2
//    when CTYPE1 starts with "RA--" and CTYPE2 with "DEC-".
//  - epoch: DATE-OBS ("YYYY-MM-DD" with an optional "Thh:mm:ss[.s]").
//  - scale: FOCALLEN (millimetres) with XPIXSZ and YPIXSZ (micrometres, as
//    binned), by the classical formula pixels per degree = 60·F / (3438·p)
//    with p in millimetres; or else a celestial WCS: CD1_1, CD1_2, CD2_1,
//    CD2_2 (degrees per pixel) or CDELT1, CDELT2.
//    Corr Asd carries the factor cos δ (δ the centre's declination, or the
//    declination handed in when the header gives no centre): a degree of
//    right ascension spans cos δ degrees of sky.

#include "image/header_card.h"

#include <QList>
#include <QString>

#include <optional>

namespace ce {

struct HeaderHints {
    struct Centre {
        double raDeg = 0.0;
        double decDeg = 0.0;
        QString keywords;  // "OBJCTRA/OBJCTDEC"
    };
    struct Scale {
        double corrAsd = 0.0;  // pixels per degree of right ascension
        double corrDec = 0.0;  // pixels per degree of declination
        QString keywords;      // "FOCALLEN/XPIXSZ/YPIXSZ" or "CD" or "CDELT"
    };
    std::optional<Centre> centre;
    std::optional<double> epochYear;
    std::optional<Scale> scale;

    bool empty() const { return !centre && !epochYear && !scale; }
};

// headerHints: the hints a header gives.
// Given:  the cards of the image's header; the declination (degrees) to use
//         for cos δ when the header gives no centre (none: no scale from
//         a header without a centre).
// Returns: the hints found; a keyword that is missing or unreadable gives
//          no hint of its kind (never a failure).
HeaderHints headerHints(const QList<HeaderCard>& cards, std::optional<double> fallbackDecDeg);

// Decimal year of a FITS date ("2024-03-15", "2024-03-15T22:10:05.5"), UTC:
// year + (time since the year's start) / (length of that year).
std::optional<double> decimalYearFromFitsDate(const QString& date);

}  // namespace ce
