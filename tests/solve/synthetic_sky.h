#pragma once
// Star images made in the test: Moffat stars over a sky level, grain noise
// and clipping at 255 as an 8-bit scan of a plate records them, so that
// bright stars get flat saturated tops. Pixel centres on whole numbers,
// x right, y down.

#include "solve/centroid.h"
#include "solve/star_refine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace ce::testing {

class SyntheticSky final : public IntensitySource, public PixelSource {
public:
    SyntheticSky(int width, int height, double sky)
        : width_(width), height_(height), values_(std::size_t(width) * height, sky) {}

    // A Moffat star (beta 2.5) of the given FWHM peaking `peak` above the
    // sky before clipping, drawn out to where it falls below 0.01.
    void addStar(double x, double y, double peak, double fwhmPx = 3.0)
    {
        const double beta = 2.5;
        const double a = fwhmPx / (2.0 * std::sqrt(std::pow(2.0, 1.0 / beta) - 1.0));
        const double reach = a * std::sqrt(std::pow(std::max(peak, 1.0) / 0.01, 1.0 / beta) - 1.0);
        const int r = int(std::min(reach, 400.0)) + 1;
        for (int j = std::max(0, int(y) - r); j <= std::min(height_ - 1, int(y) + r); ++j)
            for (int i = std::max(0, int(x) - r); i <= std::min(width_ - 1, int(x) + r); ++i) {
                const double q = ((i - x) * (i - x) + (j - y) * (j - y)) / (a * a);
                at(i, j) += peak * std::pow(1.0 + q, -beta);
            }
    }

    // A star saturated to a flat top `topWidthPx` across: the peak that
    // reaches `clip` at half that width from the centre.
    void addSaturatedStar(double x, double y, double topWidthPx, double sky, double clip = 255.0,
                          double fwhmPx = 3.0)
    {
        const double beta = 2.5;
        const double a = fwhmPx / (2.0 * std::sqrt(std::pow(2.0, 1.0 / beta) - 1.0));
        const double r = topWidthPx / 2.0;
        addStar(x, y, (clip - sky) * std::pow(1.0 + r * r / (a * a), beta), fwhmPx);
    }

    // Gaussian grain of standard deviation sigma, then rounding and clipping
    // to 0..255 when `eightBit`.
    void finish(std::uint64_t seed, double sigma, bool eightBit = true)
    {
        std::mt19937_64 random(seed);
        std::normal_distribution<double> grain(0.0, sigma);
        for (double& v : values_) {
            if (sigma > 0) v += grain(random);
            if (eightBit) v = std::clamp(std::round(v), 0.0, 255.0);
        }
    }

    // One pixel set to a value (a hot grain, a dust speck).
    void setValue(int x, int y, double value) { at(x, y) = value; }

    int width() const override { return width_; }
    int height() const override { return height_; }
    double intensity(int x, int y) const override { return values_[std::size_t(y) * width_ + x]; }
    // Grey as packed colour (red = green = blue), −1 outside.
    std::int32_t pixel(int x, int y) const override
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
        const auto g = std::int32_t(std::clamp(intensity(x, y), 0.0, 255.0));
        return g * 65536 + g * 256 + g;
    }

private:
    double& at(int x, int y) { return values_[std::size_t(y) * width_ + x]; }
    int width_;
    int height_;
    std::vector<double> values_;
};

}  // namespace ce::testing
