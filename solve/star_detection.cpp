#include "solve/star_detection.h"

#include "solve/region_labelling.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ce {

namespace {

constexpr double kMadToSigma = 1.4826;
// A tile's median and MAD are read from at most this many of its pixels, on
// a regular sub-grid (every second pixel of a 64-pixel tile): their
// precision (about 4 % on the noise) is far finer than the threshold
// needs, and selecting the medians is the costliest step of the detection
// after reading the pixels.
constexpr int kMaxTileSamples = 1024;

template <typename T>
T medianOf(std::vector<T>& values) {
    if (values.empty()) {
        return T(0);
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Bilinear weights between the tile centres about pixel (x, y): the four
// tiles' indices and their weights.
struct TileWeights {
    std::size_t index[4] = {0, 0, 0, 0};
    double weight[4] = {0.0, 0.0, 0.0, 0.0};
    double of(const std::vector<double>& values) const {
        return values[index[0]] * weight[0] + values[index[1]] * weight[1] +
               values[index[2]] * weight[2] + values[index[3]] * weight[3];
    }
};

TileWeights tileWeights(const BackgroundGrid& grid, double x, double y) {
    TileWeights w;
    // Tile centres at (i + 0.5) · tilePx − 0.5.
    const double fx = std::clamp((x + 0.5) / grid.tilePx - 0.5, 0.0, grid.tilesX - 1.0);
    const double fy = std::clamp((y + 0.5) / grid.tilePx - 0.5, 0.0, grid.tilesY - 1.0);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, grid.tilesX - 1);
    const int y1 = std::min(y0 + 1, grid.tilesY - 1);
    const double tx = fx - x0;
    const double ty = fy - y0;
    auto index = [&](int i, int j) { return static_cast<std::size_t>(j * grid.tilesX + i); };
    w.index[0] = index(x0, y0), w.weight[0] = (1.0 - tx) * (1.0 - ty);
    w.index[1] = index(x1, y0), w.weight[1] = tx * (1.0 - ty);
    w.index[2] = index(x0, y1), w.weight[2] = (1.0 - tx) * ty;
    w.index[3] = index(x1, y1), w.weight[3] = tx * ty;
    return w;
}

double interpolate(const BackgroundGrid& grid, const std::vector<double>& values, double x,
                   double y) {
    if (grid.tilesX <= 0 || grid.tilesY <= 0) {
        return 0.0;
    }
    return tileWeights(grid, x, y).of(values);
}

struct Region {
    PixelRegion pixels;
    double roughFlux = 0.0;  // Σ intensity less the background under the region
};

// Axis ratio of the region's pixel cloud: √(λmax / λmin) of its covariance.
double elongation(const PixelRegion& r) {
    const double n = r.area;
    const double mx = r.sumX / n;
    const double my = r.sumY / n;
    // A pixel is a unit square: 1/12 of variance in each axis.
    const double cxx = r.sumXX / n - mx * mx + 1.0 / 12.0;
    const double cyy = r.sumYY / n - my * my + 1.0 / 12.0;
    const double cxy = r.sumXY / n - mx * my;
    const double mean = 0.5 * (cxx + cyy);
    const double spread = std::sqrt(0.25 * (cxx - cyy) * (cxx - cyy) + cxy * cxy);
    const double high = mean + spread;
    const double low = std::max(mean - spread, 1e-9);
    return std::sqrt(high / low);
}

}  // namespace

double BackgroundGrid::backgroundAt(double x, double y) const {
    return interpolate(*this, background, x, y);
}

double BackgroundGrid::noiseAt(double x, double y) const {
    return interpolate(*this, noise, x, y);
}

BackgroundGrid estimateBackground(const IntensitySource& image, int tilePx) {
    const int width = std::max(image.width(), 0);
    const int height = std::max(image.height(), 0);
    BackgroundGrid grid;
    grid.tilePx = std::max(tilePx, 8);
    grid.tilesX = (width + grid.tilePx - 1) / grid.tilePx;
    grid.tilesY = (height + grid.tilePx - 1) / grid.tilePx;
    const std::size_t count = static_cast<std::size_t>(grid.tilesX) * grid.tilesY;
    grid.background.assign(count, std::nan(""));
    grid.noise.assign(count, std::nan(""));
    std::vector<float> samples;
    for (int ty = 0; ty < grid.tilesY; ++ty) {
        for (int tx = 0; tx < grid.tilesX; ++tx) {
            const int x0 = tx * grid.tilePx;
            const int y0 = ty * grid.tilePx;
            const int x1 = std::min(x0 + grid.tilePx, width);
            const int y1 = std::min(y0 + grid.tilePx, height);
            const int area = (x1 - x0) * (y1 - y0);
            const int step = std::max(1, static_cast<int>(std::ceil(
                                             std::sqrt(static_cast<double>(area) / kMaxTileSamples))));
            samples.clear();
            for (int y = y0; y < y1; y += step) {
                for (int x = x0; x < x1; x += step) {
                    const float v = static_cast<float>(image.intensity(x, y));
                    if (!std::isnan(v)) {
                        samples.push_back(v);
                    }
                }
            }
            if (samples.empty()) {
                continue;
            }
            const float median = medianOf(samples);
            for (float& v : samples) {
                v = std::abs(v - median);
            }
            const std::size_t index = static_cast<std::size_t>(ty * grid.tilesX + tx);
            grid.background[index] = median;
            grid.noise[index] = kMadToSigma * medianOf(samples);
        }
    }
    // Tiles without pixels take the median of the others.
    for (std::vector<double>* values : {&grid.background, &grid.noise}) {
        std::vector<double> valid;
        for (double v : *values) {
            if (!std::isnan(v)) {
                valid.push_back(v);
            }
        }
        const double fill = medianOf(valid);
        for (double& v : *values) {
            if (std::isnan(v)) {
                v = fill;
            }
        }
    }
    return grid;
}

std::vector<DetectedStar> detectStars(const IntensitySource& image,
                                      const DetectionOptions& options) {
    const int width = std::max(image.width(), 0);
    const int height = std::max(image.height(), 0);
    std::vector<DetectedStar> stars;
    if (width < 3 || height < 3) {
        return stars;
    }
    const BackgroundGrid grid = estimateBackground(image, options.tilePx);

    // One pass over the rows: each pixel is read once, compared with the
    // threshold, and the runs above it joined into regions; only one row of
    // values is held. The brightest value and how many pixels reach it give
    // the saturation level when none is set.
    std::vector<Region> regions;
    RegionLabeller labeller(width, height, [&](const PixelRegion& r) {
        if (r.area < options.minAreaPx || r.area > options.maxAreaPx || r.touchesBorder ||
            elongation(r) > options.maxElongation) {
            return;
        }
        regions.push_back({r, r.sumValue - r.area * grid.backgroundAt(r.peakX, r.peakY)});
    });
    std::vector<float> row(static_cast<std::size_t>(width));
    float brightest = -std::numeric_limits<float>::infinity();
    int brightestCount = 0;
    for (int y = 0; y < height; ++y) {
        // The threshold varies slowly: computed once per 8 pixels of a row.
        for (int x0 = 0; x0 < width; x0 += 8) {
            const double centre = std::min(x0 + 4, width - 1);
            const TileWeights weights = tileWeights(grid, centre, y);
            // A noiseless sky (a synthetic image, a flat field): any step
            // above it is signal.
            const double threshold = weights.of(grid.background) +
                                     std::max(options.thresholdSigma * weights.of(grid.noise), 0.5);
            const int x1 = std::min(x0 + 8, width);
            for (int x = x0; x < x1; ++x) {
                const float v = static_cast<float>(image.intensity(x, y));
                if (v > brightest) {
                    brightest = v;
                    brightestCount = 1;
                } else if (v == brightest) {
                    ++brightestCount;
                }
                // NaN fails the comparison: a pixel without a value is never in a region.
                row[static_cast<std::size_t>(x)] = v > threshold ? v : RegionLabeller::kOutside;
            }
        }
        labeller.addRow(row.data());
    }
    labeller.finish();
    const double saturation =
        !std::isnan(options.saturationLevel) ? options.saturationLevel
        : brightestCount >= 5                ? static_cast<double>(brightest)
                                             : std::numeric_limits<double>::infinity();
    // Regions end in any order; their first pixel in row order makes the
    // order reproducible before the sort by brightness.
    std::sort(regions.begin(), regions.end(), [](const Region& a, const Region& b) {
        return a.pixels.firstY != b.pixels.firstY ? a.pixels.firstY < b.pixels.firstY
                                                  : a.pixels.firstX < b.pixels.firstX;
    });

    // Measured brightest first, so that a limited count measures only what
    // it keeps (the centroid is the costly part on a crowded plate). The
    // final order is the centroid's flux.
    std::stable_sort(regions.begin(), regions.end(),
                     [](const Region& a, const Region& b) { return a.roughFlux > b.roughFlux; });
    const std::size_t measureAtMost =
        options.maxStars > 0 ? 2 * static_cast<std::size_t>(options.maxStars) + 20 : regions.size();
    for (const Region& region : regions) {
        const PixelRegion& r = region.pixels;
        if (stars.size() >= measureAtMost) {
            break;
        }
        CentroidOptions centroidOptions;
        centroidOptions.searchRadiusPx = 1;
        centroidOptions.maxExtentPx =
            std::max(60, 2 * std::max(r.maxX - r.minX, r.maxY - r.minY) + 16);
        centroidOptions.minSignificance = std::min(options.thresholdSigma, 5.0);
        const Centroid c = measureCentroid(image, r.peakX, r.peakY, centroidOptions);
        if (!c.found) {
            continue;
        }
        const bool duplicate = std::any_of(stars.begin(), stars.end(), [&](const DetectedStar& s) {
            return std::abs(s.x - c.x) < 1.0 && std::abs(s.y - c.y) < 1.0;
        });
        if (duplicate) {
            continue;
        }
        DetectedStar star;
        star.x = c.x;
        star.y = c.y;
        star.flux = c.flux;
        star.peak = r.peak;
        star.background = c.background;
        star.areaPx = r.area;
        star.saturated = r.peak >= saturation;
        stars.push_back(star);
    }
    std::sort(stars.begin(), stars.end(), [](const DetectedStar& a, const DetectedStar& b) {
        if (a.flux != b.flux) {
            return a.flux > b.flux;
        }
        if (a.y != b.y) {
            return a.y < b.y;
        }
        return a.x < b.x;
    });
    if (options.maxStars > 0 && stars.size() > static_cast<std::size_t>(options.maxStars)) {
        stars.resize(static_cast<std::size_t>(options.maxStars));
    }
    return stars;
}

}  // namespace ce
