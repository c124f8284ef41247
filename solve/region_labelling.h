#pragma once
// The 8-connected regions of the pixels that pass a threshold, found one
// image row at a time: each row's runs of passing pixels are joined to the
// runs they touch on the row above (run-length labelling with a union of
// labels). Only two rows of runs are held, never a mask of the image, and a
// region is handed over as soon as a row no longer touches it.
//
// Pixel convention: image pixels, x to the right, y downwards, origin at the
// top-left pixel — the same as solve/centroid.h. Values are the caller's
// intensities (any linear unit).
//
// Usage:
//  1. RegionLabeller labeller(width, height, onRegion);
//  2. for y = 0 .. height − 1: labeller.addRow(values of row y), with every
//     pixel that does not pass set to RegionLabeller::kOutside;
//  3. labeller.finish(): the regions still open are handed over.
// onRegion receives each region once, in the order in which they end (their
// last row), not in row order of their first pixel: sort by (firstY, firstX)
// for that.

#include <cstddef>
#include <functional>
#include <limits>
#include <vector>

namespace ce {

struct PixelRegion {
    int area = 0;                 // pixels
    int firstX = 0, firstY = 0;   // its first pixel in row order (top row, leftmost)
    int peakX = 0, peakY = 0;     // its brightest pixel; among equals the first in row order
    float peak = 0.0f;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;  // bounding box, inclusive
    bool touchesBorder = false;   // some pixel on the image's outer row or column
    double sumValue = 0.0;        // Σ value
    // Σ x, Σ y, Σ x², Σ y², Σ x·y over its pixels (pixel centres).
    double sumX = 0.0, sumY = 0.0, sumXX = 0.0, sumYY = 0.0, sumXY = 0.0;
};

class RegionLabeller {
public:
    // A pixel with this value is not part of any region.
    static constexpr float kOutside = -std::numeric_limits<float>::infinity();

    using RegionSink = std::function<void(const PixelRegion&)>;

    // Given the image size in pixels and where finished regions go.
    RegionLabeller(int width, int height, RegionSink onRegion);

    // The next row (rows come in order from 0), `width` values.
    void addRow(const float* values);
    // Hands over the regions that reach the last row given.
    void finish();

private:
    struct Run {
        int x0 = 0, x1 = 0;  // inclusive
        int label = 0;
    };
    int find(int label);
    int join(int a, int b);
    int newLabel();
    void closeRow();

    int width_;
    int height_;
    int y_ = 0;
    RegionSink onRegion_;
    std::vector<Run> above_;
    std::vector<Run> current_;
    // Labels: each open region's accumulator, a parent for joined labels,
    // and the labels free for reuse. A label lives while a run of the row
    // above or of the current row refers to it.
    std::vector<PixelRegion> regions_;
    std::vector<int> parent_;
    std::vector<int> seenInRow_;  // the last row whose runs refer to the label, + 1
    std::vector<int> free_;
    std::vector<int> touched_;    // labels referred to by the row above and the current one
};

}  // namespace ce
