#include "tools/demo_field/star_field_renderer.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace ce::demo {

namespace {

// A star's light is spread until it falls below this many grey levels.
constexpr double kFaintestContribution = 0.2;
constexpr int kLargestStampRadiusPx = 80;

constexpr double kSaturation = 255.0;

// The distance at which a profile of peak `ratio` falls to 1 (ratio >= 1).
double profileRadiusForRatio(double ratio, const RenderParameters& p)
{
    if (p.pointSpread == PointSpread::Gaussian) {
        const double sigma = p.fwhmPx / (2.0 * std::sqrt(2.0 * std::log(2.0)));
        return sigma * std::sqrt(2.0 * std::log(ratio));
    }
    const double alpha = p.fwhmPx / (2.0 * std::sqrt(std::pow(2.0, 1.0 / p.moffatBeta) - 1.0));
    return alpha * std::sqrt(std::pow(ratio, 1.0 / p.moffatBeta) - 1.0);
}

// The distance at which the star's profile falls to kFaintestContribution.
int stampRadius(double peak, const RenderParameters& p)
{
    if (peak <= kFaintestContribution)
        return 0;
    const double radius = profileRadiusForRatio(peak / kFaintestContribution, p);
    return std::min(static_cast<int>(std::ceil(radius)), kLargestStampRadiusPx);
}

// How one star is drawn: amplitude * profile(max(0, r - topRadius)).
struct StarShape {
    double amplitude = 0;
    double topRadiusPx = 0;
    double topDiameterPx = 0;  // the saturated disc, 0 when none
};

StarShape starShape(double magR, const RenderParameters& p)
{
    StarShape shape;
    const double peak = peakAboveSky(magR, p);
    shape.amplitude = peak;
    const double headroom = kSaturation - p.skyLevel;
    if (p.topGrowthPxPerMag <= 0 || headroom <= 0 || !(peak > headroom))
        return shape;
    if (peak <= 2.0 * headroom) {
        shape.topDiameterPx = 2.0 * profileRadiusForRatio(peak / headroom, p);
        return shape;
    }
    // Twice the headroom puts the edge of the clipped disc at half the
    // amplitude, fwhm / 2 beyond the plateau.
    shape.amplitude = 2.0 * headroom;
    const double diameter = p.fwhmPx + p.topGrowthPxPerMag * 2.5 * std::log10(peak / (2.0 * headroom));
    shape.topDiameterPx = std::max(std::min(diameter, p.maxTopDiameterPx), p.fwhmPx);
    shape.topRadiusPx = (shape.topDiameterPx - p.fwhmPx) / 2.0;
    return shape;
}

// A tint from the star's colour index: bluer stars (small B - R) lean to
// blue, redder ones to red, around a typical B - R of 0.9.
void tintFactors(double colourIndex, double strength, double& red, double& blue)
{
    const double c = std::clamp((colourIndex - 0.9) / 0.6, -1.0, 1.0);
    red = 1.0 + strength * c;
    blue = 1.0 - strength * c;
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

double saturatedTopDiameterPx(double magR, const RenderParameters& p)
{
    return starShape(magR, p).topDiameterPx;
}

namespace {

// Adds `value` to the light arrays at pixel i, tinted when in colour.
struct LightPlanes {
    std::vector<float> grey, red, blue;
    bool rgb = false;
    void add(std::size_t i, double value, double redFactor, double blueFactor)
    {
        grey[i] += static_cast<float>(value);
        if (rgb) {
            red[i] += static_cast<float>(value * redFactor);
            blue[i] += static_cast<float>(value * blueFactor);
        }
    }
};

void addHalo(LightPlanes& light, int widthPx, int heightPx, const PlacedStar& star, double topDiameterPx,
             double redFactor, double blueFactor, const RenderParameters& p)
{
    constexpr double kRingSigmaPx = 2.0;
    const double ringRadius = p.haloRadiusFactor * topDiameterPx;
    const double peak = p.haloPeak * topDiameterPx / p.maxTopDiameterPx;
    const int reach = static_cast<int>(std::ceil(ringRadius + 4.0 * kRingSigmaPx));
    const int cx = static_cast<int>(std::lround(star.xPx));
    const int cy = static_cast<int>(std::lround(star.yPx));
    for (int y = std::max(cy - reach, 0); y <= std::min(cy + reach, heightPx - 1); ++y)
        for (int x = std::max(cx - reach, 0); x <= std::min(cx + reach, widthPx - 1); ++x) {
            const double d = (std::hypot(x - star.xPx, y - star.yPx) - ringRadius) / kRingSigmaPx;
            if (std::fabs(d) < 4.0)
                light.add(static_cast<std::size_t>(y) * widthPx + x, peak * std::exp(-0.5 * d * d), redFactor,
                          blueFactor);
        }
}

// A straight line through a random point at a random angle, 1.5 px wide
// with soft edges, across the whole image.
void addScratch(LightPlanes& light, int widthPx, int heightPx, std::mt19937_64& random, double level)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double px = unit(random) * (widthPx - 1), py = unit(random) * (heightPx - 1);
    const double angle = unit(random) * 3.141592653589793;
    const double nx = -std::sin(angle), ny = std::cos(angle);  // the line's normal
    for (int y = 0; y < heightPx; ++y)
        for (int x = 0; x < widthPx; ++x) {
            const double d = std::fabs((x - px) * nx + (y - py) * ny);
            if (d < 1.25)
                light.add(static_cast<std::size_t>(y) * widthPx + x, level * std::min(1.0, 1.25 - d + 0.5), 1.0,
                          1.0);
        }
}

// Photographic grain: white noise averaged over a square, scaled back to
// the asked standard deviation. The white noise is the sum of four uniform
// draws (Irwin-Hall, near enough Gaussian for grain), four 16-bit slices of
// one SplitMix64 output (Steele, Lea & Flood 2014): a tenth of the cost of
// a Gaussian draw on nine million pixels.
std::vector<float> grainField(int widthPx, int heightPx, const RenderParameters& p)
{
    const auto count = static_cast<std::size_t>(widthPx) * static_cast<std::size_t>(heightPx);
    std::vector<float> grain(count);
    std::uint64_t state = p.seed ^ 0x9E3779B97F4A7C15ULL;
    // Four U(0, 65536) draws sum to mean 131070 and variance 4 * 65536^2 / 12.
    constexpr float kMean = 2.0f * 65535.0f;
    const float unitScale = static_cast<float>(1.0 / (65536.0 * std::sqrt(4.0 / 12.0)));
    for (float& g : grain) {
        state += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        const auto sum = static_cast<float>((z & 0xFFFF) + ((z >> 16) & 0xFFFF) + ((z >> 32) & 0xFFFF) + (z >> 48));
        g = (sum - kMean) * unitScale;
    }
    const int r = std::max(p.grainCorrelationPx, 0);
    if (r > 0) {
        // Running sums along each row, then sums of 2r + 1 whole rows
        // (rows past an edge repeat the edge), both in memory order.
        std::vector<float> line(static_cast<std::size_t>(widthPx));
        for (int y = 0; y < heightPx; ++y) {
            float* row = grain.data() + static_cast<std::size_t>(y) * widthPx;
            std::copy(row, row + widthPx, line.begin());
            double sum = 0;
            for (int k = -r; k <= r; ++k)
                sum += line[std::clamp(k, 0, widthPx - 1)];
            for (int x = 0; x < widthPx; ++x) {
                row[x] = static_cast<float>(sum);
                sum += line[std::min(x + r + 1, widthPx - 1)] - line[std::max(x - r, 0)];
            }
        }
        const std::vector<float> rows = grain;
        for (int y = 0; y < heightPx; ++y) {
            float* out = grain.data() + static_cast<std::size_t>(y) * widthPx;
            std::fill(out, out + widthPx, 0.0f);
            for (int k = -r; k <= r; ++k) {
                const float* in = rows.data() + static_cast<std::size_t>(std::clamp(y + k, 0, heightPx - 1)) * widthPx;
                for (int x = 0; x < widthPx; ++x)
                    out[x] += in[x];
            }
        }
    }
    const float scale = static_cast<float>(p.grainSigma / (2 * r + 1));
    for (float& g : grain)
        g *= scale;
    return grain;
}

}  // namespace

QImage renderStarField(int widthPx, int heightPx, const std::vector<PlacedStar>& stars, const RenderParameters& p)
{
    const auto count = static_cast<std::size_t>(widthPx) * static_cast<std::size_t>(heightPx);
    // Star light per pixel: grey, and the red and blue shares when tinted.
    LightPlanes light;
    light.rgb = p.rgb;
    light.grey.assign(count, 0.0f);
    light.red.assign(p.rgb ? count : 0, 0.0f);
    light.blue.assign(p.rgb ? count : 0, 0.0f);

    for (const PlacedStar& star : stars) {
        const StarShape shape = starShape(star.magR, p);
        const double topRadius = shape.topRadiusPx;
        const int radius = std::min(stampRadius(shape.amplitude, p) + static_cast<int>(std::ceil(topRadius)),
                                    kLargestStampRadiusPx);
        // Far off the image (or NaN) the star lights nothing; this also keeps
        // the rounding below within int.
        if (!(star.xPx > -radius - 1 && star.xPx < widthPx + radius && star.yPx > -radius - 1 &&
              star.yPx < heightPx + radius))
            continue;
        const int cx = static_cast<int>(std::lround(star.xPx));
        const int cy = static_cast<int>(std::lround(star.yPx));
        double redFactor = 1.0;
        double blueFactor = 1.0;
        tintFactors(star.magB - star.magR, p.tintStrength, redFactor, blueFactor);
        for (int y = std::max(cy - radius, 0); y <= std::min(cy + radius, heightPx - 1); ++y) {
            for (int x = std::max(cx - radius, 0); x <= std::min(cx + radius, widthPx - 1); ++x) {
                const double r = std::max(std::hypot(x - star.xPx, y - star.yPx) - topRadius, 0.0);
                light.add(static_cast<std::size_t>(y) * widthPx + x, shape.amplitude * unitPeakProfile(r, p),
                          redFactor, blueFactor);
            }
        }
        if (p.haloPeak > 0 && shape.topDiameterPx >= p.haloMinTopDiameterPx)
            addHalo(light, widthPx, heightPx, star, shape.topDiameterPx, redFactor, blueFactor, p);
    }

    std::mt19937_64 defects(p.seed ^ 0xD1B54A32D192ED03ULL);
    for (int k = 0; k < p.scratchCount; ++k)
        addScratch(light, widthPx, heightPx, defects, p.scratchLevel);
    const std::vector<float> grain = p.grainSigma > 0 ? grainField(widthPx, heightPx, p) : std::vector<float>();

    std::mt19937_64 random(p.seed);
    std::normal_distribution<double> normal(0.0, 1.0);
    const long top = p.fullScale;
    const auto noisy = [&](double value, double noise) {
        return static_cast<int>(std::clamp(std::lround(value + noise), 0L, top));
    };
    const double middleX = (widthPx - 1) / 2.0;
    const double middleY = (heightPx - 1) / 2.0;
    const bool wide = !p.rgb && p.fullScale > 255;
    QImage image(widthPx, heightPx,
                 p.rgb ? QImage::Format_RGB32 : wide ? QImage::Format_Grayscale16 : QImage::Format_Grayscale8);
    for (int y = 0; y < heightPx; ++y) {
        uchar* line = image.scanLine(y);
        auto* wideLine = reinterpret_cast<quint16*>(line);
        const double skyOfLine = p.skyLevel + p.skyGradientYPerPx * (y - middleY);
        for (int x = 0; x < widthPx; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * widthPx + x;
            const double sky = p.skyGradientXPerPx == 0 ? skyOfLine : skyOfLine + p.skyGradientXPerPx * (x - middleX);
            const double value = sky + light.grey[i];
            // Photon noise grows with the light; the same draw shifts the
            // three channels so that the noise stays grey.
            double noise = normal(random) * std::sqrt(p.readNoise * p.readNoise + value / p.gain);
            if (!grain.empty())
                noise += grain[i];
            if (wide) {
                wideLine[x] = static_cast<quint16>(noisy(value, noise));
            } else if (!p.rgb) {
                line[x] = static_cast<uchar>(noisy(value, noise));
            } else {
                reinterpret_cast<QRgb*>(line)[x] = qRgb(noisy(sky + light.red[i], noise), noisy(value, noise),
                                                         noisy(sky + light.blue[i], noise));
            }
        }
    }

    std::uniform_int_distribution<int> column(0, widthPx - 1), row(0, heightPx - 1);
    for (int k = 0; k < p.hotPixelCount; ++k) {
        const int x = column(defects), y = row(defects);
        if (p.rgb)
            image.setPixel(x, y, qRgb(255, 255, 255));
        else
            image.scanLine(y)[x] = 255;
    }
    return image;
}

}  // namespace ce::demo
