#include "tools/demo_field/star_field_renderer.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace ce::demo {

namespace {

// A star's light is spread until it falls below this many grey levels.
constexpr double kFaintestContribution = 0.2;
constexpr int kLargestStampRadiusPx = 80;

// The distance at which the star's profile falls to kFaintestContribution.
int stampRadius(double peak, const RenderParameters& p)
{
    if (peak <= kFaintestContribution)
        return 0;
    const double ratio = peak / kFaintestContribution;
    double radius = 0;
    if (p.pointSpread == PointSpread::Gaussian) {
        const double sigma = p.fwhmPx / (2.0 * std::sqrt(2.0 * std::log(2.0)));
        radius = sigma * std::sqrt(2.0 * std::log(ratio));
    } else {
        const double alpha = p.fwhmPx / (2.0 * std::sqrt(std::pow(2.0, 1.0 / p.moffatBeta) - 1.0));
        radius = alpha * std::sqrt(std::pow(ratio, 1.0 / p.moffatBeta) - 1.0);
    }
    return std::min(static_cast<int>(std::ceil(radius)), kLargestStampRadiusPx);
}

// A tint from the star's colour index: bluer stars (small B - R) lean to
// blue, redder ones to red, around a typical B - R of 0.9.
void tintFactors(double colourIndex, double& red, double& blue)
{
    const double c = std::clamp((colourIndex - 0.9) / 0.6, -1.0, 1.0);
    red = 1.0 + 0.15 * c;
    blue = 1.0 - 0.15 * c;
}

}  // namespace

double unitPeakProfile(double radiusPx, const RenderParameters& p)
{
    const double r2 = radiusPx * radiusPx;
    if (p.pointSpread == PointSpread::Gaussian) {
        const double sigma = p.fwhmPx / (2.0 * std::sqrt(2.0 * std::log(2.0)));
        return std::exp(-r2 / (2.0 * sigma * sigma));
    }
    const double alpha = p.fwhmPx / (2.0 * std::sqrt(std::pow(2.0, 1.0 / p.moffatBeta) - 1.0));
    return std::pow(1.0 + r2 / (alpha * alpha), -p.moffatBeta);
}

RenderParameters sixteenBitParameters(RenderParameters p)
{
    constexpr double levels = 65535.0 / 255.0;
    p.fullScale = 65535;
    p.skyLevel *= levels;
    p.readNoise *= levels;
    p.referencePeak *= levels;
    p.gain /= levels;  // the same photo-electrons spread over more levels
    p.rgb = false;
    return p;
}

double peakAboveSky(double magR, const RenderParameters& p)
{
    return p.referencePeak * std::pow(10.0, -0.4 * (magR - p.referenceMag));
}

QImage renderStarField(int widthPx, int heightPx, const std::vector<PlacedStar>& stars, const RenderParameters& p)
{
    const auto count = static_cast<std::size_t>(widthPx) * static_cast<std::size_t>(heightPx);
    // Star light per pixel: grey, and the red and blue shares when tinted.
    std::vector<float> grey(count, 0.0f);
    std::vector<float> red(p.rgb ? count : 0, 0.0f);
    std::vector<float> blue(p.rgb ? count : 0, 0.0f);

    for (const PlacedStar& star : stars) {
        const double peak = peakAboveSky(star.magR, p);
        const int radius = stampRadius(peak, p);
        // Far off the image (or NaN) the star lights nothing; this also keeps
        // the rounding below within int.
        if (!(star.xPx > -radius - 1 && star.xPx < widthPx + radius && star.yPx > -radius - 1 &&
              star.yPx < heightPx + radius))
            continue;
        const int cx = static_cast<int>(std::lround(star.xPx));
        const int cy = static_cast<int>(std::lround(star.yPx));
        double redFactor = 1.0;
        double blueFactor = 1.0;
        tintFactors(star.magB - star.magR, redFactor, blueFactor);
        for (int y = std::max(cy - radius, 0); y <= std::min(cy + radius, heightPx - 1); ++y) {
            for (int x = std::max(cx - radius, 0); x <= std::min(cx + radius, widthPx - 1); ++x) {
                const double value = peak * unitPeakProfile(std::hypot(x - star.xPx, y - star.yPx), p);
                const std::size_t i = static_cast<std::size_t>(y) * widthPx + x;
                grey[i] += static_cast<float>(value);
                if (p.rgb) {
                    red[i] += static_cast<float>(value * redFactor);
                    blue[i] += static_cast<float>(value * blueFactor);
                }
            }
        }
    }

    std::mt19937_64 random(p.seed);
    std::normal_distribution<double> normal(0.0, 1.0);
    const long top = p.fullScale;
    const auto noisy = [&](double value, double noise) {
        return static_cast<int>(std::clamp(std::lround(value + noise), 0L, top));
    };
    const bool wide = !p.rgb && p.fullScale > 255;
    QImage image(widthPx, heightPx,
                 p.rgb ? QImage::Format_RGB32 : wide ? QImage::Format_Grayscale16 : QImage::Format_Grayscale8);
    for (int y = 0; y < heightPx; ++y) {
        uchar* line = image.scanLine(y);
        auto* wideLine = reinterpret_cast<quint16*>(line);
        for (int x = 0; x < widthPx; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * widthPx + x;
            const double value = p.skyLevel + grey[i];
            // Photon noise grows with the light; the same draw shifts the
            // three channels so that the noise stays grey.
            const double noise = normal(random) * std::sqrt(p.readNoise * p.readNoise + value / p.gain);
            if (wide) {
                wideLine[x] = static_cast<quint16>(noisy(value, noise));
            } else if (!p.rgb) {
                line[x] = static_cast<uchar>(noisy(value, noise));
            } else {
                reinterpret_cast<QRgb*>(line)[x] = qRgb(noisy(p.skyLevel + red[i], noise), noisy(value, noise),
                                                         noisy(p.skyLevel + blue[i], noise));
            }
        }
    }
    return image;
}

}  // namespace ce::demo
