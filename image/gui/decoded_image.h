#pragma once
// An image file decoded for the view: the display picture (8-bit, what the
// user sees and what the star refinement and the magnifier read) and, for
// FITS and 16-bit pictures, the linear values behind it.
//
// Formats: FITS (.fits, .fit, .fts, .fz, or any file that starts with a FITS
// card) through CFITSIO; everything else through QImageReader and the Qt
// image-format plugins (BMP, JPEG, PNG, GIF, TIFF 8 and 16 bit, …).
// Display: grey pictures and stretched planes as Format_Grayscale8 (one
// byte a pixel), colour pictures as Format_RGB32. A FITS image shows FITS
// row 1 at the bottom.

#include "core/result.h"
#include "core/text_lookup.h"
#include "image/header_card.h"
#include "image/linear_plane.h"
#include "image/stretch.h"

#include <QImage>
#include <QList>

#include <cstdint>

namespace ce {

struct DecodedImage {
    QImage display;
    LinearPlane linear;         // empty for 8-bit pictures
    QList<HeaderCard> header;   // FITS only
    bool fits = false;
    StretchBounds bounds;       // the stretch that made `display` (linear only)

    bool isNull() const { return display.isNull(); }
    // Packed colour of display pixel (x, y): blue·65536 + green·256 + red;
    // −1 outside the picture.
    std::int32_t pixel(int x, int y) const;
};

// Whether a path names a FITS file: by its name, or by its first card.
bool isFitsFile(const QString& absolutePath);

// decodeImageFile: reads one image file.
// Given:  the absolute path; the stretch preset for linear data; the most
//         memory the decoded pixels may take, bytes; the user's language, for the failure sentences.
// Returns: the decoded image, or one sentence: the file not found (with its
//          full path), the picture reader's reason (image.read.*), the FITS
//          reader's messages, or the size and memory of an image too large.
Result<DecodedImage> decodeImageFile(const QString& absolutePath, StretchPreset preset,
                                     std::int64_t maxBytes, const TextLookup& lang);

// The display picture of a linear plane under a stretch (Grayscale8).
QImage renderStretched(const LinearPlane& plane, const StretchBounds& bounds);

}  // namespace ce
