#include "solve/centroid.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace ce {

double packedColourBrightness(std::int32_t packed)
{
    if (packed < 0) return std::numeric_limits<double>::quiet_NaN();
    return double(packed & 0xFF) + double((packed >> 8) & 0xFF) + double((packed >> 16) & 0xFF);
}

double PackedColourIntensity::intensity(int x, int y) const
{
    return packedColourBrightness(pixels_.pixel(x, y));
}

namespace {

constexpr int kFirstRingPx = 8;      // the background ring starts this far out
constexpr int kRingThicknessPx = 3;
constexpr int kCirclePasses = 10;
constexpr double kCircleSettledPx = 1e-3;
constexpr int kFlatTopPixels = 5;
constexpr double kMadToSigma = 1.4826;  // standard deviation of a normal law per MAD

// A square of pixels, bounds inclusive, clipped to the image.
struct Box {
    int x0, y0, x1, y1;
    bool empty() const { return x0 > x1 || y0 > y1; }
    int width() const { return x1 - x0 + 1; }
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

Box clippedBox(const IntensitySource& image, int cx, int cy, int radius)
{
    return {std::max(cx - radius, 0), std::max(cy - radius, 0),
            std::min(cx + radius, image.width() - 1), std::min(cy + radius, image.height() - 1)};
}

// The pixels of `box` copied once, NaN where the image has no value, so
// that the searches below read each pixel through the interface only once.
class Patch {
public:
    Patch(const IntensitySource& image, const Box& box) : box_(box), values_(std::size_t(box.width()) * (box.y1 - box.y0 + 1))
    {
        std::size_t k = 0;
        for (int y = box.y0; y <= box.y1; ++y)
            for (int x = box.x0; x <= box.x1; ++x) values_[k++] = image.intensity(x, y);
    }
    const Box& box() const { return box_; }
    double at(int x, int y) const { return values_[std::size_t(y - box_.y0) * box_.width() + (x - box_.x0)]; }
    double valueOr(int x, int y, double fallback) const
    {
        if (!box_.contains(x, y)) return fallback;
        const double v = at(x, y);
        return std::isnan(v) ? fallback : v;
    }

private:
    Box box_;
    std::vector<double> values_;
};

double median(std::vector<double>& values)
{
    const std::size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + mid, values.end());
    double m = values[mid];
    if (values.size() % 2 == 0) {
        const double below = *std::max_element(values.begin(), values.begin() + mid);
        m = (m + below) / 2.0;
    }
    return m;
}

struct Background {
    double level = 0.0;
    double noise = 0.0;
    bool valid = false;
};

// Median and scaled MAD of the square ring whose inner edge lies `inner`
// pixels from (cx, cy).
Background ringBackground(const Patch& patch, int cx, int cy, int inner)
{
    std::vector<double> values;
    const int outer = inner + kRingThicknessPx - 1;
    for (int y = cy - outer; y <= cy + outer; ++y) {
        for (int x = cx - outer; x <= cx + outer; ++x) {
            if (std::max(std::abs(x - cx), std::abs(y - cy)) < inner) continue;
            if (!patch.box().contains(x, y)) continue;
            const double v = patch.at(x, y);
            if (!std::isnan(v)) values.push_back(v);
        }
    }
    if (values.empty()) return {};
    Background b;
    b.level = median(values);
    for (double& v : values) v = std::abs(v - b.level);
    b.noise = kMadToSigma * median(values);
    b.valid = true;
    return b;
}

struct Peak {
    int x = 0, y = 0;
    double value = 0.0;
    bool found = false;
};

// The pixel whose 3 × 3 neighbourhood sums highest within the search box,
// nearest the seed on ties; then the brightest pixel of that neighbourhood.
Peak findPeak(const Patch& patch, const Box& search, int sx, int sy)
{
    Peak best;
    double bestSum = -std::numeric_limits<double>::infinity();
    long bestDist = 0;
    for (int y = search.y0; y <= search.y1; ++y) {
        for (int x = search.x0; x <= search.x1; ++x) {
            if (std::isnan(patch.at(x, y))) continue;
            double sum = 0.0;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) sum += patch.valueOr(x + i, y + j, 0.0);
            const long dist = long(x - sx) * (x - sx) + long(y - sy) * (y - sy);
            if (!best.found || sum > bestSum || (sum == bestSum && dist < bestDist)) {
                best = {x, y, 0.0, true};
                bestSum = sum;
                bestDist = dist;
            }
        }
    }
    if (!best.found) return best;
    Peak bright = best;
    bright.value = -std::numeric_limits<double>::infinity();
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int x = best.x + i, y = best.y + j;
            if (!patch.box().contains(x, y)) continue;
            const double v = patch.at(x, y);
            if (!std::isnan(v) && v > bright.value) bright = {x, y, v, true};
        }
    }
    return bright;
}

Box intersect(const Box& a, const Box& b)
{
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

struct Region {
    std::vector<std::pair<int, int>> pixels;
    int peakPixels = 0;
    bool touchesLimit = false;  // some pixel lies on the edge of the limit box
    int reachPx = 0;            // largest distance from the peak along x or y
};

// The 8-connected pixels above `threshold` holding the peak, within `frame`
// (whose edges may lie outside the image; the pixels taken lie inside the
// patch).
Region growRegion(const Patch& patch, const Peak& peak, double threshold, const Box& frame)
{
    const Box limit = intersect(frame, patch.box());
    const Box& box = patch.box();
    Region r;
    std::vector<char> seen(std::size_t(box.width()) * (box.y1 - box.y0 + 1), 0);
    const auto slot = [&](int x, int y) { return std::size_t(y - box.y0) * box.width() + (x - box.x0); };
    std::vector<std::pair<int, int>> stack{{peak.x, peak.y}};
    seen[slot(peak.x, peak.y)] = 1;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        r.pixels.push_back({x, y});
        if (patch.at(x, y) == peak.value) ++r.peakPixels;
        r.reachPx = std::max({r.reachPx, std::abs(x - peak.x), std::abs(y - peak.y)});
        if (x == frame.x0 || x == frame.x1 || y == frame.y0 || y == frame.y1) r.touchesLimit = true;
        for (int j = -1; j <= 1; ++j) {
            for (int i = -1; i <= 1; ++i) {
                const int nx = x + i, ny = y + j;
                if (!limit.contains(nx, ny) || seen[slot(nx, ny)]) continue;
                const double v = patch.at(nx, ny);
                if (std::isnan(v) || !(v > threshold)) continue;
                seen[slot(nx, ny)] = 1;
                stack.push_back({nx, ny});
            }
        }
    }
    return r;
}

}  // namespace

Centroid measureCentroid(const IntensitySource& image, double seedX, double seedY,
                         const CentroidOptions& options)
{
    Centroid result;
    if (!std::isfinite(seedX) || !std::isfinite(seedY)) return result;
    const int sx = int(roundHalfEven(seedX));
    const int sy = int(roundHalfEven(seedY));
    const int extent = std::max(options.maxExtentPx, 1);
    const int searchRadius = std::clamp(options.searchRadiusPx, 0, extent);
    const int rim = std::max(options.rimPx, 0);
    const Box search = clippedBox(image, sx, sy, searchRadius);
    if (search.empty()) return result;
    const Box extentBox{sx - extent, sy - extent, sx + extent, sy + extent};

    // The ring starts close and moves out while the star reaches it; the
    // patch read from the image is only as large as the ring needs.
    Peak peak;
    Background bg;
    Region region;
    std::optional<Patch> patch;
    for (int inner = kFirstRingPx;; inner *= 2) {
        const int patchRadius = searchRadius + 1 + inner + kRingThicknessPx;
        patch.emplace(image, clippedBox(image, sx, sy, patchRadius));
        if (!peak.found) {
            peak = findPeak(*patch, search, sx, sy);
            if (!peak.found) return result;
        }
        bg = ringBackground(*patch, peak.x, peak.y, inner);
        if (!bg.valid) return result;
        // Inside the ring, less the rim, and within the extent.
        const int r = inner - 1 - rim;
        const Box frame = intersect(extentBox, Box{peak.x - r, peak.y - r, peak.x + r, peak.y + r});
        const bool atExtent = frame.x0 == extentBox.x0 && frame.y0 == extentBox.y0
                              && frame.x1 == extentBox.x1 && frame.y1 == extentBox.y1;
        if (!(peak.value > bg.level)) {
            // The ring lies on the flat top of a large star, or on a flat field.
            if (atExtent) return result;
            continue;
        }
        region = growRegion(*patch, peak, bg.level + (peak.value - bg.level) / 2.0, frame);
        // The ring must stand well clear of the star, or its wings raise
        // the background.
        if (atExtent || (!region.touchesLimit && 2 * (region.reachPx + rim) < inner)) break;
    }
    if (!(peak.value - bg.level > options.minSignificance * bg.noise)) return result;

    // Weighted over the region grown by the rim, each pixel once.
    const Box& box = patch->box();
    std::vector<char> taken(std::size_t(box.width()) * (box.y1 - box.y0 + 1), 0);
    double sw = 0.0, swx = 0.0, swy = 0.0;
    for (const auto& [px, py] : region.pixels) {
        for (int y = py - rim; y <= py + rim; ++y) {
            for (int x = px - rim; x <= px + rim; ++x) {
                if (!box.contains(x, y)) continue;
                char& t = taken[std::size_t(y - box.y0) * box.width() + (x - box.x0)];
                if (t) continue;
                t = 1;
                const double v = patch->at(x, y);
                if (std::isnan(v)) continue;
                const double w = std::max(v - bg.level, 0.0);
                sw += w;
                swx += w * x;
                swy += w * y;
            }
        }
    }
    if (!(sw > 0.0)) return result;
    double cx = swx / sw, cy = swy / sw;
    // The threshold cuts the wings along the pixel grid, unevenly when the
    // star sits between pixels; a circle about the centroid cuts them
    // evenly. A few passes move the circle onto the star.
    // Pixels above the threshold that the region does not hold belong to
    // something else (a neighbour's core, a hot grain) and stay out.
    const double threshold = bg.level + (peak.value - bg.level) / 2.0;
    std::vector<char> inRegion(taken.size(), 0);
    for (const auto& [px, py] : region.pixels) inRegion[std::size_t(py - box.y0) * box.width() + (px - box.x0)] = 1;
    const double radius = std::sqrt(region.pixels.size() / std::numbers::pi) + rim + 0.5;
    for (int pass = 0; pass < kCirclePasses; ++pass) {
        double cw = 0.0, cwx = 0.0, cwy = 0.0;
        const int r = int(std::ceil(radius));
        for (int y = int(std::floor(cy)) - r; y <= int(std::ceil(cy)) + r; ++y) {
            for (int x = int(std::floor(cx)) - r; x <= int(std::ceil(cx)) + r; ++x) {
                // The part of the pixel inside the circle, approximately:
                // pixels on the edge count by how far the edge passes them.
                const double inside = std::clamp(radius - std::hypot(x - cx, y - cy) + 0.5, 0.0, 1.0);
                if (inside == 0.0 || !box.contains(x, y)) continue;
                const double v = patch->at(x, y);
                if (std::isnan(v)) continue;
                if (v > threshold && !inRegion[std::size_t(y - box.y0) * box.width() + (x - box.x0)]) continue;
                const double w = inside * std::max(v - bg.level, 0.0);
                cw += w;
                cwx += w * x;
                cwy += w * y;
            }
        }
        if (!(cw > 0.0)) break;
        const double moved = std::hypot(cwx / cw - cx, cwy / cw - cy);
        cx = cwx / cw;
        cy = cwy / cw;
        if (moved < kCircleSettledPx) break;
    }
    result.x = cx;
    result.y = cy;
    result.found = true;
    result.background = bg.level;
    result.noise = bg.noise;
    result.peak = peak.value;
    result.flux = sw;
    result.regionPixels = int(region.pixels.size());
    result.peakPixels = region.peakPixels;
    result.flatTop = region.peakPixels >= kFlatTopPixels;
    result.truncated = region.touchesLimit;
    return result;
}

}  // namespace ce
