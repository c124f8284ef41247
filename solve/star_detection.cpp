#include "solve/star_detection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ce {

namespace {

constexpr double kMadToSigma = 1.4826;
constexpr int kMaxTileSamples = 4096;

double medianOf(std::vector<double>& values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The image read once: detection visits every pixel several times.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> values;
    float at(int x, int y) const {
        return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

Plane readPlane(const IntensitySource& image) {
    Plane plane;
    plane.width = std::max(image.width(), 0);
    plane.height = std::max(image.height(), 0);
    plane.values.resize(static_cast<std::size_t>(plane.width) *
                        static_cast<std::size_t>(plane.height));
    std::size_t index = 0;
    for (int y = 0; y < plane.height; ++y) {
        for (int x = 0; x < plane.width; ++x) {
            plane.values[index++] = static_cast<float>(image.intensity(x, y));
        }
    }
    return plane;
}

double interpolate(const BackgroundGrid& grid, const std::vector<double>& values, double x,
                   double y) {
    if (grid.tilesX <= 0 || grid.tilesY <= 0) {
        return 0.0;
    }
    // Tile centres at (i + 0.5) · tilePx − 0.5.
    const double fx = std::clamp((x + 0.5) / grid.tilePx - 0.5, 0.0, grid.tilesX - 1.0);
    const double fy = std::clamp((y + 0.5) / grid.tilePx - 0.5, 0.0, grid.tilesY - 1.0);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, grid.tilesX - 1);
    const int y1 = std::min(y0 + 1, grid.tilesY - 1);
    const double tx = fx - x0;
    const double ty = fy - y0;
    auto value = [&](int i, int j) { return values[static_cast<std::size_t>(j * grid.tilesX + i)]; };
    const double top = value(x0, y0) * (1.0 - tx) + value(x1, y0) * tx;
    const double bottom = value(x0, y1) * (1.0 - tx) + value(x1, y1) * tx;
    return top * (1.0 - ty) + bottom * ty;
}

BackgroundGrid estimateOnPlane(const Plane& plane, int tilePx) {
    BackgroundGrid grid;
    grid.tilePx = std::max(tilePx, 8);
    grid.tilesX = (plane.width + grid.tilePx - 1) / grid.tilePx;
    grid.tilesY = (plane.height + grid.tilePx - 1) / grid.tilePx;
    const std::size_t count = static_cast<std::size_t>(grid.tilesX) * grid.tilesY;
    grid.background.assign(count, std::nan(""));
    grid.noise.assign(count, std::nan(""));
    std::vector<double> samples;
    for (int ty = 0; ty < grid.tilesY; ++ty) {
        for (int tx = 0; tx < grid.tilesX; ++tx) {
            const int x0 = tx * grid.tilePx;
            const int y0 = ty * grid.tilePx;
            const int x1 = std::min(x0 + grid.tilePx, plane.width);
            const int y1 = std::min(y0 + grid.tilePx, plane.height);
            const int area = (x1 - x0) * (y1 - y0);
            const int step = std::max(1, static_cast<int>(std::ceil(
                                             std::sqrt(static_cast<double>(area) / kMaxTileSamples))));
            samples.clear();
            for (int y = y0; y < y1; y += step) {
                for (int x = x0; x < x1; x += step) {
                    const float v = plane.at(x, y);
                    if (!std::isnan(v)) {
                        samples.push_back(v);
                    }
                }
            }
            if (samples.empty()) {
                continue;
            }
            const double median = medianOf(samples);
            for (double& v : samples) {
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

struct Region {
    int area = 0;
    int peakX = 0;
    int peakY = 0;
    float peak = 0.0f;
    bool touchesBorder = false;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    double sumX = 0.0, sumY = 0.0, sumXX = 0.0, sumYY = 0.0, sumXY = 0.0;
    double sumValue = 0.0;  // Σ intensity over the region
    double roughFlux = 0.0; // sumValue less the background under it
};

// Axis ratio of the region's pixel cloud: √(λmax / λmin) of its covariance.
double elongation(const Region& r) {
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

double saturationOf(const Plane& plane, double configured) {
    if (!std::isnan(configured)) {
        return configured;
    }
    float brightest = -std::numeric_limits<float>::infinity();
    int count = 0;
    for (float v : plane.values) {
        if (v > brightest) {
            brightest = v;
            count = 1;
        } else if (v == brightest) {
            ++count;
        }
    }
    return count >= 5 ? static_cast<double>(brightest) : std::numeric_limits<double>::infinity();
}

}  // namespace

double BackgroundGrid::backgroundAt(double x, double y) const {
    return interpolate(*this, background, x, y);
}

double BackgroundGrid::noiseAt(double x, double y) const {
    return interpolate(*this, noise, x, y);
}

BackgroundGrid estimateBackground(const IntensitySource& image, int tilePx) {
    return estimateOnPlane(readPlane(image), tilePx);
}

std::vector<DetectedStar> detectStars(const IntensitySource& image,
                                      const DetectionOptions& options) {
    const Plane plane = readPlane(image);
    const int width = plane.width;
    const int height = plane.height;
    std::vector<DetectedStar> stars;
    if (width < 3 || height < 3) {
        return stars;
    }
    const BackgroundGrid grid = estimateOnPlane(plane, options.tilePx);
    const double saturation = saturationOf(plane, options.saturationLevel);

    // 0: below, 1: above the threshold, 2: already in a region.
    std::vector<std::uint8_t> mask(plane.values.size(), 0);
    for (int y = 0; y < height; ++y) {
        // The threshold varies slowly: computed once per 8 pixels of a row.
        double threshold = 0.0;
        for (int x = 0; x < width; ++x) {
            if (x % 8 == 0) {
                const double centre = std::min(x + 4, width - 1);
                const double noise = grid.noiseAt(centre, y);
                // A noiseless sky (a synthetic image, a flat field): any
                // step above it is signal.
                threshold = grid.backgroundAt(centre, y) +
                            std::max(options.thresholdSigma * noise, 0.5);
            }
            const float v = plane.at(x, y);
            if (!std::isnan(v) && v > threshold) {
                mask[static_cast<std::size_t>(y) * width + x] = 1;
            }
        }
    }

    std::vector<int> stack;
    std::vector<Region> regions;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t start = static_cast<std::size_t>(y) * width + x;
            if (mask[start] != 1) {
                continue;
            }
            Region r;
            r.peakX = x;
            r.peakY = y;
            r.peak = plane.at(x, y);
            r.minX = r.maxX = x;
            r.minY = r.maxY = y;
            mask[start] = 2;
            stack.assign(1, static_cast<int>(start));
            while (!stack.empty()) {
                const int index = stack.back();
                stack.pop_back();
                const int px = index % width;
                const int py = index / width;
                const float v = plane.values[static_cast<std::size_t>(index)];
                ++r.area;
                r.sumValue += v;
                if (v > r.peak) {
                    r.peak = v;
                    r.peakX = px;
                    r.peakY = py;
                }
                r.sumX += px;
                r.sumY += py;
                r.sumXX += static_cast<double>(px) * px;
                r.sumYY += static_cast<double>(py) * py;
                r.sumXY += static_cast<double>(px) * py;
                r.minX = std::min(r.minX, px);
                r.maxX = std::max(r.maxX, px);
                r.minY = std::min(r.minY, py);
                r.maxY = std::max(r.maxY, py);
                if (px == 0 || py == 0 || px == width - 1 || py == height - 1) {
                    r.touchesBorder = true;
                }
                for (int dy = -1; dy <= 1; ++dy) {
                    const int ny = py + dy;
                    if (ny < 0 || ny >= height) {
                        continue;
                    }
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = px + dx;
                        if (nx < 0 || nx >= width) {
                            continue;
                        }
                        const std::size_t next = static_cast<std::size_t>(ny) * width + nx;
                        if (mask[next] == 1) {
                            mask[next] = 2;
                            stack.push_back(static_cast<int>(next));
                        }
                    }
                }
            }
            if (r.area < options.minAreaPx || r.area > options.maxAreaPx || r.touchesBorder ||
                elongation(r) > options.maxElongation) {
                continue;
            }
            r.roughFlux = r.sumValue - r.area * grid.backgroundAt(r.peakX, r.peakY);
            regions.push_back(r);
        }
    }

    // Measured brightest first, so that a limited count measures only what
    // it keeps (the centroid is the costly part on a crowded plate). The
    // final order is the centroid's flux.
    std::stable_sort(regions.begin(), regions.end(),
                     [](const Region& a, const Region& b) { return a.roughFlux > b.roughFlux; });
    const std::size_t measureAtMost =
        options.maxStars > 0 ? 2 * static_cast<std::size_t>(options.maxStars) + 20 : regions.size();
    for (const Region& r : regions) {
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
