#pragma once
// The display stretch: linear values to 8-bit grey levels.
//
// Given a LinearPlane (physical values, NaN for blank pixels), the stretch
// maps the values between two bounds linearly onto 0..255; values below the
// low bound show black, above the high bound white, NaN black.

#include "image/linear_plane.h"

#include <cstdint>
#include <vector>

namespace ce {

// The bounds of a linear stretch, in the plane's physical units.
struct StretchBounds {
    double low = 0.0;
    double high = 1.0;
};

// The presets offered in the view, by the fraction of pixels left black
// (below the low bound) and white (above the high bound).
enum class StretchPreset {
    Auto,     // 0.25 % black, 0.25 % white: the default for star fields
    Soft,     // 0.05 % and 0.05 %: more of the faint sky and bright stars
    Hard,     // 5 % and 0.5 %: darker sky, faint stars stand out
    MinMax,   // the whole range of finite values
};

// quantileBounds: the low and high quantiles of the finite values.
// Given:  the plane, and the fractions lowFraction and highFraction
//         (0 ≤ lowFraction < highFraction ≤ 1).
// Returns: the values at those quantiles, from a sample of at most
//          `maxSamples` values taken at a regular stride over the plane.
// Notes:
//  1. NaN and infinite values are left out of the sample; a plane with no
//     finite value gives {0, 1}.
//  2. When both quantiles are equal (a flat image) the high bound is the low
//     bound + 1, so the stretch never divides by zero.
StretchBounds quantileBounds(const LinearPlane& plane, double lowFraction, double highFraction,
                             std::size_t maxSamples = 250000);

// The bounds of a preset for a plane.
StretchBounds presetBounds(const LinearPlane& plane, StretchPreset preset);

// Grey level of one value: round(255 · (v − low) / (high − low)), clamped to
// 0..255; NaN gives 0.
std::uint8_t stretchValue(float value, const StretchBounds& bounds);

// The whole plane as grey levels, row by row from the top.
std::vector<std::uint8_t> stretchPlane(const LinearPlane& plane, const StretchBounds& bounds);

}  // namespace ce
