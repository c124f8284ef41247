#pragma once
// Finding the stars of an image without clicks: every compact region that
// stands clearly above the local sky, measured as the refinement measures a
// clicked star.
//
// Pixel convention: image pixels, x to the right, y downwards, origin at the
// top-left pixel, pixel (i, j) centred on the whole numbers (i, j) — the
// same as solve/centroid.h. Intensities are linear brightness in any unit
// (FITS counts when the image has them, the display's red + green + blue
// otherwise); only differences and ratios are used.
//
// Usage:
//  1. Wrap the image in an IntensitySource (solve/centroid.h).
//  2. detectStars(source): the stars, brightest (largest flux) first.

#include <limits>
#include <vector>

#include "solve/centroid.h"

namespace ce {

struct DetectionOptions {
    // A pixel belongs to a star when it stands this many background standard
    // deviations above the local background.
    double thresholdSigma = 8.0;
    // Side of the square tiles over which background and noise are
    // estimated, pixels. Small enough to follow a sky gradient, large
    // enough that a bright star does not dominate its tile's median.
    int tilePx = 64;
    // Regions with fewer pixels above the threshold are defects: a lone hot
    // pixel, or a pair of them. A real star spreads over several pixels.
    int minAreaPx = 3;
    // Regions whose second moments give an axis ratio above this are
    // scratches, satellite trails or plate defects, not stars.
    double maxElongation = 3.0;
    // Regions larger than this are not stars either (a nebula, a halo, a
    // flooded corner); they are skipped whole.
    int maxAreaPx = 20000;
    // A pixel at or above this brightness is saturated. NaN: the image's
    // brightest value is taken as the saturation level when several pixels
    // share it (a clipped top), otherwise nothing counts as saturated.
    double saturationLevel = std::numeric_limits<double>::quiet_NaN();
    // At most this many stars are kept, the brightest. 0: all. A limit
    // also saves time: only the 2 · maxStars + 20 regions brightest above
    // the background are measured.
    int maxStars = 0;
};

struct DetectedStar {
    double x = 0.0;          // centroid, image pixels (sub-pixel)
    double y = 0.0;
    double flux = 0.0;       // sum of (intensity − background), the centroid's measure
    double peak = 0.0;       // brightest pixel of the region, not background-subtracted
    double background = 0.0; // local background under the star
    int areaPx = 0;          // pixels of the region above the detection threshold
    bool saturated = false;  // the region reaches the saturation level
};

struct BackgroundGrid {
    // Background (median) and noise (1.4826 · median absolute deviation) per
    // tile, row-major, tilesX × tilesY tiles of options.tilePx pixels (the
    // last row and column may be smaller).
    int tilesX = 0;
    int tilesY = 0;
    int tilePx = 0;
    std::vector<double> background;
    std::vector<double> noise;
    // Background and noise at pixel (x, y): bilinear between tile centres.
    double backgroundAt(double x, double y) const;
    double noiseAt(double x, double y) const;
};

// estimateBackground: the sky level and its noise over tiles.
// Given:  the image, the tile side in pixels (≥ 8).
// Returns: the grid; a tile without any valid pixel takes the median of the
//          other tiles (0 when none).
// Notes:  tiles of more than 1024 pixels are sampled on a regular sub-grid
//         (every second pixel of a 64-pixel tile);
//         the median of a tile is unaffected by its few star pixels.
BackgroundGrid estimateBackground(const IntensitySource& image, int tilePx);

// detectStars: the stars of an image, brightest first.
// Given:  the image and the options.
// Returns: one DetectedStar per accepted region, sorted by decreasing flux
//          (ties: by y, then x, so that the order is reproducible).
// Method:
//  1. Background and noise per tile (estimateBackground).
//  2. Regions: 8-connected pixels above background + thresholdSigma · noise
//     (the threshold taken once per 8 pixels of a row), found row by row
//     (solve/region_labelling.h).
//  3. Rejected: regions under minAreaPx or over maxAreaPx pixels, regions
//     touching the image border (a star cut by the edge has a false
//     centroid), regions with an axis ratio above maxElongation.
//  4. Each remaining region is measured by measureCentroid seeded on its
//     brightest pixel (the first in row order among equals, as on a
//     clipped top); a region whose centroid is not found is dropped.
//     Two regions that measure the same star (within 1 px) count once.
// Notes:
//  1. Deterministic: the result depends only on the pixels and options.
//  2. NaN pixels are never part of a region.
//  3. Cost: every pixel is read once through the IntensitySource for the
//     regions and about a quarter of them once more for the background; no
//     copy or mask of the image is made (a row of floats and two rows of
//     runs are held). The centroids read their stars' surroundings again.
std::vector<DetectedStar> detectStars(const IntensitySource& image,
                                      const DetectionOptions& options = {});

}  // namespace ce
