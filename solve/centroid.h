#pragma once
// Where a star really is: the background-subtracted, intensity-weighted
// centroid of the connected region around its brightest pixels that lies
// above half its peak over the local background.
//
// Pixel convention, here and in every caller: image pixels, x to the right,
// y downwards, origin at the top-left pixel, pixel (i, j) centred on the
// whole numbers (i, j). Intensities are linear brightness in any unit (grey
// levels of a picture, counts of a FITS image); only differences and ratios
// are used.
//
// Usage:
//  1. Wrap the image in an IntensitySource (PackedColourIntensity for the
//     window's picture; a FITS reader provides its own).
//  2. measureCentroid(source, seedX, seedY): the star nearest the seed.
//     CentroidOptions sets how far the brightest pixels are looked for
//     (the click's reach, or the Tolérance for a predicted position) and how
//     far the star may extend.

#include "solve/star_refine.h"

namespace ce {

// Read access to the brightness of an image.
class IntensitySource {
public:
    virtual ~IntensitySource() = default;
    // Image size in pixels; pixels 0..width−1, 0..height−1 exist.
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Brightness of pixel (x, y), linear. Called only for pixels inside
    // 0..width−1, 0..height−1. A NaN marks a pixel without a value (blank
    // FITS pixel, point outside a picture of unknown size): it is skipped.
    virtual double intensity(int x, int y) const = 0;
};

// The window's picture as brightness: red + green + blue of the packed colour
// (blue·65536 + green·256 + red), 0..765. A packed value of −1 (the point is
// outside the picture) reads as NaN.
class PackedColourIntensity final : public IntensitySource {
public:
    // Given the picture (kept by reference: it must outlive the adapter)
    // and its size in pixels.
    PackedColourIntensity(const PixelSource& pixels, int width, int height)
        : pixels_(pixels), width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    double intensity(int x, int y) const override;

private:
    const PixelSource& pixels_;
    int width_;
    int height_;
};

// Brightness of one packed 24-bit colour: red + green + blue, or NaN for −1.
double packedColourBrightness(std::int32_t packed);

struct CentroidOptions {
    // The brightest pixels are looked for within this many pixels of the
    // seed (square box, Chebyshev distance).
    int searchRadiusPx = 6;
    // The star region stops this many pixels from the seed (square box); a
    // region that reaches the limit is flagged `truncated`.
    int maxExtentPx = 60;
    // Width of the rim added around the region above half the peak before
    // weighting: the wings just outside the threshold carry position too.
    int rimPx = 2;
    // A peak must stand this many background standard deviations (from the
    // median absolute deviation of the background ring) above the
    // background to count as a star.
    double minSignificance = 5.0;
};

struct Centroid {
    bool found = false;      // a star stands above the background near the seed
    double x = 0.0;          // centroid, image pixels (sub-pixel)
    double y = 0.0;
    double background = 0.0; // local background, median of the ring around the star
    double noise = 0.0;      // background standard deviation, 1.4826 · MAD of the ring
    double peak = 0.0;       // brightest value of the region (not background-subtracted)
    double flux = 0.0;       // sum of (intensity − background) over region and rim
    int regionPixels = 0;    // pixels of the connected region above half the peak
    int peakPixels = 0;      // pixels of the region exactly at the peak value
    bool flatTop = false;    // peakPixels ≥ 5: a clipped (saturated) top; 2 to 4
                             // equal pixels also occur on a star between pixels
    bool truncated = false;  // the region reached maxExtentPx from the seed
};

// measureCentroid: the centroid of the star nearest a seed position.
// Given:  the image, the seed (seedX, seedY) in image pixels (rounded half to
//         even to the pixel the search starts from), the options.
// Returns: the centroid and its measures; `found` false when no star.
// Method:
//  1. Peak: among pixels within searchRadiusPx of the seed, the one whose
//     3 × 3 neighbourhood sums highest (a lone hot grain does not win over
//     a star); among equal sums the nearest to the seed, then the first in
//     row order. The peak value P is the brightest pixel of that 3 × 3.
//  2. Background B and noise: median and 1.4826 · median absolute deviation
//     of a 3-pixel-thick square ring around the peak. The ring starts 8 px
//     out and moves out (doubling) while it lies on the star (B ≥ P) or
//     the region of step 3 reaches beyond half its radius, so that the
//     star's wings do not raise B; never beyond maxExtentPx from the seed.
//  3. Region: the 8-connected pixels above B + (P − B) / 2 that contain the
//     peak pixel, within maxExtentPx of the seed.
//  4. Centroid: first Σ w·(x, y) / Σ w over the region grown by rimPx
//     pixels, w = max(intensity − B, 0); then the same sum over a circle of
//     radius √(regionPixels / π) + rimPx + 0.5 about that centroid, pixels
//     on its edge counted by the part inside, moved onto the new centroid
//     until it settles (0.001 px, at most 10 passes). The threshold of
//     step 3 cuts the wings along the pixel grid, unevenly for a star
//     between pixels (0.05 px of bias for a 3 px FWHM); the circle cuts
//     them evenly. Pixels above the threshold outside the region (a
//     neighbour's core, a hot grain) are left out.
// Notes:
//  1. No star (`found` false): the peak is not above B + minSignificance ·
//     noise, or P ≤ B (a flat field), or no pixel of the search box is in
//     the image, or the weights sum to 0.
//  2. Neighbours: a neighbour joins the region only when connected above
//     half the peak; its wings in the rim pull the centroid by a small
//     fraction of its flux there.
//  3. Deterministic: the result depends only on the pixels and the seed.
Centroid measureCentroid(const IntensitySource& image, double seedX, double seedY,
                         const CentroidOptions& options = {});

}  // namespace ce
