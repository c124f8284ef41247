#pragma once
// Reading the image of a FITS file through CFITSIO.
//
// The image is the first HDU that holds an image with at least two axes:
// the primary array, or else the first image extension (a tile-compressed
// image in a .fz file counts as one). A cube (NAXIS3 > 1) gives its first
// plane. Every BITPIX (8, 16, 32, 64, −32, −64) is read as float with
// BZERO and BSCALE applied by CFITSIO; BLANK pixels of integer images and
// NaN pixels of floating-point images are NaN in the plane.
// Orientation: FITS row 1 is the bottom row of the display (see
// LinearPlane); the plane is stored from the top.

#include "image/header_card.h"
#include "image/linear_plane.h"
#include "core/result.h"
#include "core/text_lookup.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace ce {

struct FitsImage {
    LinearPlane plane;
    int bitpix = 0;
    QList<HeaderCard> header;  // every card of the image's HDU, in file order
};

// The size of the first image, from its header only: width, height, BITPIX.
struct FitsShape {
    int width = 0;
    int height = 0;
    int bitpix = 0;
};

// readFitsImage: the plane and header of the first image.
// Failures, one sentence in the user's language (texts fits.unreadable,
// fits.no_image, fits.bad_size, file.not_found) naming the file by its full
// path, with CFITSIO's own reason for an unreadable file.
// `maxBytes` bounds the memory the plane may take (4 bytes a pixel); above
// it the failure says the size in megapixels and the memory needed.
Result<FitsImage> readFitsImage(const QString& path, std::int64_t maxBytes, const TextLookup& lang);

// Whether the file starts like a FITS file ("SIMPLE  =" in its first card).
bool looksLikeFits(const QString& path);

// The sentence for an image too large for the memory allowed (text
// image.too_large): %1 × %2 pixels, %3 megapixels written in the language's
// locale (ui.locale), %4 MiB needed, %5 MiB allowed (both rounded up).
QString imageTooLargeMessage(std::int64_t width, std::int64_t height, std::int64_t bytesNeeded,
                             std::int64_t bytesAllowed, const TextLookup& lang);

}  // namespace ce
