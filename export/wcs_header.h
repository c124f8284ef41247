#pragma once
// The plate solution as a FITS world coordinate system (WCS) header, the
// form other astronomy programs read: a ".wcs" file holding a header only
// (SIMPLE = T, BITPIX = 8, NAXIS = 0, then the WCS cards, then END, in
// whole 2880-byte blocks), or the same cards added to a copy of a FITS
// image (export/fits_copy.h).
//
// Frame: CRVAL in degrees, ICRS (RADESYS 'ICRS', EQUINOX 2000.0); the
// catalogue's J2000.0 positions are on the ICRS-aligned frame.
// Projection: gnomonic, CTYPE1 'RA---TAN', CTYPE2 'DEC--TAN', LONPOLE 180,
// the CD matrix in degrees per pixel; the same model as core/tangent_plane.h
// (Calabretta & Greisen 2002, section 5.1.3).
//
// Pixels. The program counts image pixels from 0 at the centre of the
// top-left pixel, x to the right, y downwards. FITS counts from 1 at the
// centre of the first pixel of the file, (p1, p2), p1 along a row, p2 the
// row number in the order the file stores the rows:
//  - a picture file (PNG, JPEG, TIFF, ...) stores its top row first:
//      p1 = x + 1,  p2 = y + 1;
//  - a FITS image is shown with row 1 at the bottom (image/linear_plane.h),
//    so its rows are stored bottom first:
//      p1 = x + 1,  p2 = height − y,
//    which turns the signs of the CD matrix's second column.
// A header for a FITS image thus means to other programs exactly what the
// program's solution means on the pixels as that file stores them.

#include "core/result.h"
#include "core/tangent_plane.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace ce {

// How the image file stores its rows.
enum class RowOrder {
    TopFirst,     // picture files: file row 1 is the top of the image
    BottomFirst,  // FITS images: file row 1 is the bottom of the image
};

// The solution in FITS pixel terms.
struct FitsTan {
    double crval1Deg = 0.0, crval2Deg = 0.0;  // tangent point, degrees, ICRS
    double crpix1 = 0.0, crpix2 = 0.0;        // FITS pixel of the tangent point (1-based)
    double cd11 = 0.0, cd12 = 0.0;            // degrees per FITS pixel
    double cd21 = 0.0, cd22 = 0.0;
};

// toFitsPixels: the program's TAN model on FITS pixels.
// Given:  the model (program pixels), the image height in pixels, the row
//         order of the file.
// Returns: CRVAL unchanged; TopFirst: CRPIX = (crpixX + 1, crpixY + 1), CD
//          unchanged; BottomFirst: CRPIX = (crpixX + 1, height − crpixY),
//          CD1_2 = −cd12, CD2_2 = −cd22.
FitsTan toFitsPixels(const TanWcs& wcs, int imageHeight, RowOrder rows);

// What a WCS header says.
struct WcsExport {
    TanWcs wcs;                 // the solution, program pixels
    int imageWidth = 0;         // pixels
    int imageHeight = 0;
    RowOrder rows = RowOrder::TopFirst;
    QString dateObs;            // DATE-OBS of the image when known, else empty
    // true: a fit on the measured catalogue stars; false: the three-star
    // linear solution, written as its tangent-plane equivalent at the
    // field centre (tanFromLinearSolution) and marked unrefined.
    bool refined = false;
    int starsUsed = 0;          // stars the solution rests on
    double rmsPx = 0.0;         // refined: rms residual of those stars, pixels
    double rmsArcsec = 0.0;     // the same, arcseconds
    QStringList starNames;      // the stars used: catalogue identifications
                                // (refined) or the marked stars (three-star)
};

// wcsCards: the cards of the solution, without SIMPLE/BITPIX/NAXIS/END:
// WCSAXES, CTYPE1/2, CUNIT1/2, CRVAL1/2, CRPIX1/2, CD1_1..CD2_2, LONPOLE,
// RADESYS, EQUINOX, IMAGEW, IMAGEH, DATE-OBS (when given), then COMMENT
// cards saying how pixels are counted, whether the solution is refined
// (stars used, rms) or the unrefined three-star one, and the stars used,
// and a HISTORY card naming the program. Each card is 80 characters.
// Fails, with the reason worded in `lang` (export.fail.no_size,
// export.fail.singular, export.fail.not_finite), when the image size is not
// positive, the CD matrix has no inverse or a value is not finite.
Result<QList<QByteArray>> wcsCards(const WcsExport& solution, const TextLookup& lang);

// wcsHeaderFile: the bytes of a ".wcs" file: SIMPLE = T, BITPIX = 8,
// NAXIS = 0, EXTEND = T, the cards of wcsCards, END, blank-padded to whole
// 2880-byte blocks. Fails as wcsCards.
Result<QByteArray> wcsHeaderFile(const WcsExport& solution, const TextLookup& lang);

// The same from cards wcsCards has already made (the ".wcs" file and the
// FITS copy carry the same cards).
QByteArray wcsHeaderFile(const QList<QByteArray>& wcsCards);

}  // namespace ce
