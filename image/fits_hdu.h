#pragma once
// The HDU of a FITS file that holds its picture: the first one with an
// image of two axes or more (a primary header without data, as compressed
// .fz files have, is passed over).

#include <fitsio.h>

namespace ce {

// Moves `file` to that HDU. False when none holds such an image, or when
// CFITSIO fails on the way (then `status` says why).
bool moveToFirstImage(fitsfile* file, int& status);

}  // namespace ce
