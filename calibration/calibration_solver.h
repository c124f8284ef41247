#pragma once
// Scale factors of an optical set-up: Corr Asd (CX, image pixels per degree
// of right ascension) and Corr Dec (CY, pixels per degree of declination).
//
// Model: the squared pixel distance of two stars is CX² ΔRA² + CY² ΔDec²
// (degrees; no cos(Dec) factor, CX absorbs it for the field it was measured
// in). Two star pairs give two linear equations in U = CX² and V = CY²:
//     P12 = A0 U + A1 V,   P13 = A2 U + A3 V.
// Calibration by image takes the pairs from three measured stars; the
// classical calibration builds two synthetic pairs from the sensor size and
// the focal length, and both share solveScale().

#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace ce {

// One calibration star: its measured pixel and its known sky position.
struct CalibrationStar {
    std::int16_t x = 0;   // image pixels
    std::int16_t y = 0;
    double raDeg = 0.0;   // degrees
    double decDeg = 0.0;  // degrees
};

// Everything a solution computes; the texts are what goes into the
// txt_corrasd and txt_corrdec fields.
struct ScaleSolution {
    double p12 = 0.0, p13 = 0.0;                    // squared pixels
    double a0 = 0.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;  // squared degrees
    double d = 0.0;                                 // A0 A3 - A1 A2
    double u = 0.0, v = 0.0;                        // CX², CY²
    double corrAsd = 0.0, corrDec = 0.0;            // pixels per degree
    QString corrAsdText, corrDecText;               // <= 15 significant digits, "."
};

// Given P12, P13 (squared pixels) and A0..A3 (squared degrees); returns the
// solution. Failures, worded by `lang`:
//  1. D = 0 (e.g. three stars on one declination): number.division_by_zero.
//  2. U or V negative: no real square root (calib.no_root, naming the factor).
//  3. a non-finite intermediate: number.overflow.
Result<ScaleSolution> solveScale(double p12, double p13, double a0, double a1, double a2,
                                 double a3, const TextLookup& lang);

// Calibration by image. Given stars 1, 2, 3 (array elements 0, 1, 2);
// P12 and P13 come from the pixel differences computed in 32-bit integers,
// so no pixel pair can overflow. Failures as solveScale().
Result<ScaleSolution> solveThreeStars(const std::array<CalibrationStar, 3>& stars,
                                      const TextLookup& lang);

// The eight calibration boxes Etalo_0..Etalo_7 (X, Y, RA h, m, s, Dec °, ', ")
// and the sign label. X, Y, hours, minutes, degrees and arc-minutes are read
// by the locale rule with `decimalPoint` (an error names the box), X and Y
// then rounded half to even to 16-bit integers; the two seconds boxes by the
// leading-number rule (letters give 0). RA = (h·3600 + m·60 + s)/3600/24·360
// degrees; Dec = sign·(d + am/60 + as/3600), sign -1 when `signLabel` is "-".
Result<CalibrationStar> readCalibrationBoxes(const std::array<QString, 8>& boxes,
                                             const QString& signLabel, QChar decimalPoint,
                                             const TextLookup& lang);

// The five boxes of the classical calibration, read.
struct SensorInput {
    double widthMm = 0.0;           // txt_1, leading-number rule
    double heightMm = 0.0;          // txt_2, leading-number rule
    double widthPx = 0.0;           // txt_3, locale rule
    double heightPx = 0.0;          // txt_4, locale rule
    double focalMm = 0.0;           // txt_5, locale rule (for the factors)
    double focalMmLeading = 0.0;    // txt_5, leading-number rule (for the field size)
};

// Given the texts of txt_1..txt_5 (array elements 0..4) and the locale's
// decimal separator; an unreadable pixel count or focal length fails with a
// message naming the box.
Result<SensorInput> readSensorBoxes(const std::array<QString, 5>& boxes, QChar decimalPoint,
                                    const TextLookup& lang);

struct ClassicalCalibration {
    ScaleSolution scale;
    double fieldWidthArcmin = 0.0;   // FW = 3438 / F · W
    double fieldHeightArcmin = 0.0;  // FH = 3438 / F · H
};

// Classical calibration. Uses 3438 arc-minutes per radian (rounded as the
// instrument makers do) and the synthetic pairs (300, 480) and (600, 100)
// pixels; then CX = 60·F·NX/(3438·W), CY = 60·F·NY/(3438·H).
// Failures: zero focal length or pixel count number.zero_field naming the
// box; zero width or height in mm gives D = 0; as solveScale() else.
Result<ClassicalCalibration> solveClassical(const SensorInput& input, const TextLookup& lang);

// "<message 7>: CX = <cx> et CY = <cy>"
QString calibrationReport(const QString& message7, const ScaleSolution& solution);

// The same followed by CR, "CCD size: ", FW, "' x ", FH, "'" with the
// field sizes written with `decimalPoint`.
QString classicalReport(const QString& message7, const ClassicalCalibration& result,
                        QChar decimalPoint);

}  // namespace ce
