#pragma once
// The linear pixel values of a loaded image (a FITS image, or a 16-bit TIFF),
// before any display stretch.
//
// Frame: pixel (x, y) is the display's pixel (x, y): x grows to the right,
// y grows downwards, (0, 0) is the top-left pixel and integer coordinates
// name pixel centres. For a FITS image the display puts FITS row 1 at the
// bottom, so display row y is FITS row NAXIS2 − y and display column x is
// FITS column x + 1.
// Units: the file's physical values (BZERO + BSCALE · stored value for
// FITS; the 16-bit count 0..65535 for TIFF); blank or undefined pixels are
// NaN.

#include <cmath>
#include <cstddef>
#include <vector>

namespace ce {

struct LinearPlane {
    int width = 0;
    int height = 0;
    std::vector<float> values;  // row by row from the top, width·height values

    bool empty() const { return values.empty(); }
    // The value at display pixel (x, y); NaN outside the image.
    float at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return std::nanf("");
        return values[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

}  // namespace ce
