#pragma once
// A star-field picture as a camera or a scanned photographic plate would
// record it: every star a point spread function with a flux set by its
// magnitude, over a sky background (optionally with a gradient), with photon
// and read noise and optionally photographic grain, clipped at 255.
// Optional flaws for detection tests: saturated flat tops that widen with
// brightness, halation rings around the brightest stars, hot pixels and
// scratches. Every option left at its default renders exactly as before.

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace ce::demo {

enum class PointSpread { Gaussian, Moffat };

struct RenderParameters {
    std::uint64_t seed = 1;
    PointSpread pointSpread = PointSpread::Moffat;
    double fwhmPx = 3.0;          // full width at half maximum, pixels
    double moffatBeta = 3.0;      // wing exponent of the Moffat profile
    double skyLevel = 22.0;       // background, grey levels
    double readNoise = 2.0;       // grey levels, standard deviation
    double gain = 4.0;            // photo-electrons per grey level (photon noise)
    double referenceMag = 15.0;   // a star of this red magnitude...
    double referencePeak = 40.0;  // ...peaks this many grey levels above the sky
    bool rgb = false;             // RGB32 with a tint from the star's colour, else Grayscale8
    // In colour, red and blue light are scaled by 1 +- tintStrength * c,
    // c = clamp((B - R - 0.9) / 0.6, -1, 1): redder stars redder.
    double tintStrength = 0.15;

    // Saturated flat tops. When topGrowthPxPerMag > 0, a star whose peak
    // passes the headroom 255 - skyLevel is drawn as a plateau: the profile
    // is evaluated at max(0, r - topRadius), with an amplitude of at most
    // twice the headroom, so the clipped top is a disc of the diameter
    // saturatedTopDiameterPx() gives. 0 leaves every profile untouched.
    double topGrowthPxPerMag = 0;  // top diameter growth per magnitude brighter
    double maxTopDiameterPx = 40;  // the widest top, pixels

    // Sky gradient: the background at (x, y) is skyLevel + gx (x - xc) +
    // gy (y - yc) about the image middle (xc, yc), grey levels per pixel.
    double skyGradientXPerPx = 0;
    double skyGradientYPerPx = 0;

    // Photographic grain: Gaussian noise of this standard deviation (grey
    // levels) added to every pixel, averaged over a square of side
    // 2 * grainCorrelationPx + 1 and scaled back so the clumps keep the
    // standard deviation. 0 adds none.
    double grainSigma = 0;
    int grainCorrelationPx = 0;

    // Halation rings: a star whose flat top is at least haloMinTopDiameterPx
    // wide gets a ring of radius haloRadiusFactor * top diameter (pixels),
    // Gaussian across with 2 px standard deviation, peaking haloPeak grey
    // levels times top diameter / maxTopDiameterPx. 0 draws none.
    double haloPeak = 0;
    double haloMinTopDiameterPx = 16;
    double haloRadiusFactor = 1.2;

    // Defects, placed from a stream of their own: single pixels at 255, and
    // straight scratches across the whole image, 1.5 px wide, scratchLevel
    // grey levels above the sky.
    int hotPixelCount = 0;
    int scratchCount = 0;
    double scratchLevel = 60;

    int fullScale = 255;          // the saturation level; above 255 the picture is Grayscale16
};

// The parameters of a 16-bit camera for the same field: every level scaled
// so that the sky, the noise and the stars keep their ratios, the brightest
// stars flat-topped at 65535.
RenderParameters sixteenBitParameters(RenderParameters eightBit);

// A star on the image: its true position (pixel centres on whole numbers,
// x right, y down) and magnitudes.
struct PlacedStar {
    QString id;
    double xPx = 0;
    double yPx = 0;
    double magR = 0;
    double magB = 0;
};

// unitPeakProfile
// Given: the distance from a star's centre, pixels, and the parameters.
// Returns: the point spread function scaled to 1 at the centre.
// Notes:
//  1. Gaussian: exp(-r^2 / (2 s^2)), s = fwhm / (2 sqrt(2 ln 2)).
//  2. Moffat: (1 + (r / a)^2)^-beta, a = fwhm / (2 sqrt(2^(1/beta) - 1))
//     (Moffat 1969); both give 0.5 at r = fwhm / 2.
double unitPeakProfile(double radiusPx, const RenderParameters& parameters);

// peakAboveSky
// Given: a red magnitude.
// Returns: the star's central value above the sky before clipping, grey
//          levels: referencePeak * 10^(-0.4 (mag - referenceMag)).
double peakAboveSky(double magR, const RenderParameters& parameters);

// saturatedTopDiameterPx
// Given: a red magnitude and the parameters.
// Returns: the diameter of the disc that reaches 255 without noise, pixels,
//          for a star on the plain sky (skyLevel): 0 when the star does not
//          saturate or flat tops are off (topGrowthPxPerMag 0), otherwise
//          the diameter at which the profile crosses the headroom, which is
//          fwhm + topGrowthPxPerMag * 2.5 log10(peak / (2 headroom)) for
//          peaks above twice the headroom, capped at maxTopDiameterPx.
double saturatedTopDiameterPx(double magR, const RenderParameters& parameters);

// renderStarField
// Given: the image size, the stars (those outside the image still light
//        the pixels their wings reach) and the parameters.
// Returns: the picture. Each pixel is sky + sum of the stars' profiles at
//          the pixel centre, plus a Gaussian noise of variance
//          readNoise^2 + value / gain, rounded and clipped to 0..fullScale
//          (Grayscale16 when fullScale is above 255, grey only).
// Notes:
//  1. The same inputs give the same picture on the same platform.
//  2. Grain and defects draw from streams of their own (fixed by the seed),
//     so turning them on does not change the noise of the rest.
QImage renderStarField(int widthPx, int heightPx, const std::vector<PlacedStar>& stars,
                       const RenderParameters& parameters);

}  // namespace ce::demo
