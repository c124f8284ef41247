#pragma once
// Writing an image to a FITS file through CFITSIO: the demonstration field,
// the benchmarks and the tests write their FITS files with it.
//
// The values given are the stored values (before BZERO and BSCALE) in FITS
// order: FITS row 1 (the bottom of the display) first, each row from
// column 1; a cube gives its planes one after the other.

#include "core/result.h"
#include "image/header_card.h"

#include <QList>
#include <QString>

#include <vector>

namespace ce {

struct FitsImageContent {
    int bitpix = 16;            // 8, 16, 32, 64, -32 or -64
    int width = 0;
    int height = 0;
    int planes = 1;             // above 1: a cube of NAXIS3 = planes
    std::vector<double> stored; // planes · height · width values
    // Cards written after the structure, in order: a value that reads as a
    // number is written as one, "T" and "F" as logical, anything else as a
    // string. BZERO, BSCALE and BLANK describe the stored values given.
    QList<HeaderCard> cards;
    bool tileCompressed = false;  // Rice-compressed image extension (.fz)
};

// Creates or replaces the file. Failures carry CFITSIO's reason.
Status writeFitsImage(const QString& path, const FitsImageContent& content);

}  // namespace ce
