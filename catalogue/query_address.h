#pragma once
// The catalogue query: from the texts of the "Catalogue d'étoile" frame to
// the path and query string of the one GET sent to the catalogue service.
//
// Usage:
//  1. Fill CatalogueQueryFields with the texts of txt_ra_0..2, txt_dec_0..2,
//     the caption of txt_dec_sign_show_0, txt_epoch, txt_distance and
//     txt_mag (or txt_mag2 for the full map).
//  2. prepareCatalogueQuery(fields, decimalPoint) converts the centre to
//     J2000.0 and returns the ra and dec texts and the address, or the
//     message naming the first coordinate field that is not a number. A
//     caller that already holds the centre in degrees (the main window's
//     download reads it with readFieldCentre) calls catalogueQueryAround.
//  3. The caller puts the service's base address ("http://host:port") in
//     front of `pathAndQuery` and downloads it.

#include "core/result.h"

#include <QChar>
#include <QString>

namespace ce {

// Texts of the frame, as typed.
struct CatalogueQueryFields {
    QString raHours, raMinutes, raSeconds;           // txt_ra_0, _1, _2
    QString decDegrees, decMinutes, decSeconds;      // txt_dec_0, _1, _2 (unsigned)
    QString signCaption;                             // txt_dec_sign_show_0: "+" or "-"
    QString epoch;                                   // txt_epoch, sent as typed
    QString radius;                                  // txt_distance, arcminutes, sent as typed
    QString magnitude;                               // txt_mag, sent as typed with "." after it
};

// What the request is made of.
struct CatalogueQuery {
    double raJ2000Deg = 0.0;   // the field centre converted to J2000.0, degrees
    double decJ2000Deg = 0.0;
    QString raText;            // "1+34+50": hours+minutes+seconds
    QString decText;           // "-0+30+0": sign, degrees+arcminutes+arcseconds
    QString pathAndQuery;      // "/skycat/servers/usnoa_res?catalogue=usnoa&epoch=..."
};

// What the "1-Download" button does before it downloads:
//  - sign "-" when the caption is "-", else none (factor +1);
//  - centre in degrees from the six fields, each by the locale rule with
//    `decimalPoint` (failure: « Incompatibilité de type : le champ
//    RA (heures) ne contient pas un nombre » and alike);
//  - PrecessFromJ2000 with the mirrored epoch 4000 - e (e = the epoch text by
//    the leading-number rule, 0 when it holds none): the centre for J2000.0;
//  - SplitSexagesimal of the right ascension in hours and of the
//    declination; seconds rounded to a whole number (half to even) and sent
//    as they come, 60 included; the sign comes from the caption, so a
//    declination between 0 and -1 degree is sent as "-0+m+s", except when
//    the conversion carried the centre across the equator: then the sign of
//    the converted declination is sent.
// A centre or epoch so large that the conversion gives no finite position
// fails with « Dépassement de capacité : le champ Epoch ... ».
Result<CatalogueQuery> prepareCatalogueQuery(const CatalogueQueryFields& fields,
                                             QChar decimalPoint);

// prepareCatalogueQuery from the conversion to J2000.0 on, for a centre
// already in degrees (for the typed epoch) with the sign factor of the
// caption, -1 or +1. An infinite centre fails with « Dépassement de
// capacité : le champ RA » (or DEC).
Result<CatalogueQuery> catalogueQueryAround(double raDeg, double decDeg, int sign,
                                            const QString& epochText, const QString& radiusText,
                                            const QString& magnitudeText);

// The path and query string from the five texts, keys in their fixed order.
// The ra and dec texts go in as given ("+" stands for a blank there); the
// epoch, radius and magnitude texts are percent-encoded wherever they hold a
// character other than a letter, digit, "-", ".", "_" or "~" (UTF-8 bytes),
// so a typed "&" or "=" never adds a key; ordinary numbers go out unchanged.
QString catalogueQueryAddress(const QString& epochText, const QString& raText,
                              const QString& decText, const QString& radiusText,
                              const QString& magnitudeText);

}  // namespace ce
