#pragma once
// A star-field picture as a camera would record it: every star a point
// spread function with a flux set by its magnitude, over a sky background,
// with photon and read noise, clipped at 255.

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

// renderStarField
// Given: the image size, the stars (those outside the image still light
//        the pixels their wings reach) and the parameters.
// Returns: the picture. Each pixel is sky + sum of the stars' profiles at
//          the pixel centre, plus a Gaussian noise of variance
//          readNoise^2 + value / gain, rounded and clipped to 0..fullScale
//          (Grayscale16 when fullScale is above 255, grey only).
// Notes:
//  1. The same inputs give the same picture on the same platform.
QImage renderStarField(int widthPx, int heightPx, const std::vector<PlacedStar>& stars,
                       const RenderParameters& parameters);

}  // namespace ce::demo
