#pragma once
// The catalogue query: from the texts of the "Catalogue d'étoile" frame to
// the path and query string of the one GET sent to the catalogue service.
//
// Usage:
//  1. Read the typed centre with fieldCentreFromTexts (core/sexagesimal.h).
//  2. catalogueQueryAround(centre, sign, txt_epoch, txt_distance, txt_mag —
//     or txt_mag2 for the full map) converts it to J2000.0 and returns the
//     ra and dec texts and the address.
//  3. The caller puts the service's base address ("http://host:port") in
//     front of `pathAndQuery` and downloads it.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QString>

namespace ce {

// What the request is made of.
struct CatalogueQuery {
    double raJ2000Deg = 0.0;   // the field centre converted to J2000.0, degrees
    double decJ2000Deg = 0.0;
    QString raText;            // "1+34+50": hours+minutes+seconds
    QString decText;           // "-0+30+0": sign, degrees+arcminutes+arcseconds
    QString pathAndQuery;      // "/skycat/servers/usnoa_res?catalogue=usnoa&epoch=..."
};

// What the "1-Download" button does with the typed centre (degrees, for the
// typed epoch, with the sign factor of the caption, -1 or +1):
//  - PrecessFromJ2000 with the mirrored epoch 4000 - e (e = the epoch text by
//    the leading-number rule, 0 when it holds none): the centre for J2000.0;
//  - SplitSexagesimal of the right ascension in hours and of the
//    declination; seconds rounded to a whole number (half to even) and sent
//    as they come, 60 included; the sign comes from the caption, so a
//    declination between 0 and -1 degree is sent as "-0+m+s", except when
//    the conversion carried the centre across the equator: then the sign of
//    the converted declination is sent.
// An infinite centre fails with the overflow text of `lang`
// (catalogue.query.overflow) naming the box, RA or DEC; an epoch so large
// that the conversion gives no finite position names Epoch.
Result<CatalogueQuery> catalogueQueryAround(double raDeg, double decDeg, int sign,
                                            const QString& epochText, const QString& radiusText,
                                            const QString& magnitudeText, const TextLookup& lang);

// The path and query string from the five texts, keys in their fixed order.
// The ra and dec texts go in as given ("+" stands for a blank there); the
// epoch, radius and magnitude texts are percent-encoded wherever they hold a
// character other than a letter, digit, "-", ".", "_" or "~" (UTF-8 bytes),
// so a typed "&" or "=" never adds a key; ordinary numbers go out unchanged.
QString catalogueQueryAddress(const QString& epochText, const QString& raText,
                              const QString& decText, const QString& radiusText,
                              const QString& magnitudeText);

}  // namespace ce
