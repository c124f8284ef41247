#include "calibration/calibration_solver.h"

#include "core/numbers.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace ce {
namespace {

// Arc-minutes per radian, as a whole number (3437.75 rounded).
constexpr double kArcminPerRadian = 3438.0;

// The synthetic star pairs of the classical calibration, pixels.
constexpr double kPair12X = 300.0, kPair12Y = 480.0;
constexpr double kPair13X = 600.0, kPair13Y = 100.0;

QString divisionByZero(const TextLookup& lang) { return lang.text(QStringLiteral("number.division_by_zero")); }
QString overflow(const TextLookup& lang) { return lang.text(QStringLiteral("number.overflow")); }

QString noRealRoot(const char* factor, const QString& square, double value, const TextLookup& lang)
{
    return lang.text(QStringLiteral("calib.no_root"))
        .arg(square, formatDouble(value), QString::fromLatin1(factor));
}

bool allFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// A box read by the locale rule and rounded half to even to 16 bits.
Result<std::int16_t> pixelBox(const QString& text, QChar decimalPoint, const QString& field,
                              const TextLookup& lang)
{
    const Result<double> number = localeNumber(text, decimalPoint, field, lang);
    if (!number) return Result<std::int16_t>::failure(number.error());
    const std::optional<std::int16_t> whole = toInt16(*number);
    if (!whole)
        return Result<std::int16_t>::failure(lang.text(QStringLiteral("number.overflow_field")).arg(field));
    return Result<std::int16_t>::success(*whole);
}

}  // namespace

Result<ScaleSolution> solveScale(double p12, double p13, double a0, double a1, double a2,
                                 double a3, const TextLookup& lang)
{
    using R = Result<ScaleSolution>;
    if (!allFinite({p12, p13, a0, a1, a2, a3})) return R::failure(overflow(lang));
    ScaleSolution s;
    s.p12 = p12;
    s.p13 = p13;
    s.a0 = a0;
    s.a1 = a1;
    s.a2 = a2;
    s.a3 = a3;
    // Cramer's rule on  P12 = A0 U + A1 V,  P13 = A2 U + A3 V.
    s.d = a0 * a3 - a1 * a2;
    if (s.d == 0.0) return R::failure(divisionByZero(lang));
    s.u = (a3 * p12 - a1 * p13) / s.d;
    s.v = (a0 * p13 - a2 * p12) / s.d;
    if (!allFinite({s.d, s.u, s.v})) return R::failure(overflow(lang));
    if (s.u < 0.0) return R::failure(noRealRoot("Corr Asd", QStringLiteral("CX²"), s.u, lang));
    if (s.v < 0.0) return R::failure(noRealRoot("Corr Dec", QStringLiteral("CY²"), s.v, lang));
    s.corrAsd = std::sqrt(s.u);
    s.corrDec = std::sqrt(s.v);
    s.corrAsdText = formatDouble(s.corrAsd);
    s.corrDecText = formatDouble(s.corrDec);
    return R::success(std::move(s));
}

Result<ScaleSolution> solveThreeStars(const std::array<CalibrationStar, 3>& stars,
                                      const TextLookup& lang)
{
    const CalibrationStar& s1 = stars[0];
    const CalibrationStar& s2 = stars[1];
    const CalibrationStar& s3 = stars[2];
    // 64-bit: a difference of two 16-bit pixels squared exceeds 32 bits.
    const auto squaredPixels = [](const CalibrationStar& a, const CalibrationStar& b) {
        const std::int64_t dx = std::int64_t(a.x) - b.x;
        const std::int64_t dy = std::int64_t(a.y) - b.y;
        return static_cast<double>(dx * dx + dy * dy);
    };
    const auto square = [](double v) { return v * v; };
    return solveScale(squaredPixels(s1, s2), squaredPixels(s1, s3),
                      square(s1.raDeg - s2.raDeg), square(s1.decDeg - s2.decDeg),
                      square(s1.raDeg - s3.raDeg), square(s1.decDeg - s3.decDeg), lang);
}

Result<CalibrationStar> readCalibrationBoxes(const std::array<QString, 8>& boxes,
                                             const QString& signLabel, QChar decimalPoint,
                                             const TextLookup& lang)
{
    using R = Result<CalibrationStar>;
    const double sign = signLabel == u"-" ? -1.0 : 1.0;

    const Result<std::int16_t> x = pixelBox(boxes[0], decimalPoint, QStringLiteral("X"), lang);
    if (!x) return R::failure(x.error());
    const Result<std::int16_t> y = pixelBox(boxes[1], decimalPoint, QStringLiteral("Y"), lang);
    if (!y) return R::failure(y.error());

    const Result<double> hours = fieldNumber(boxes[2], "field.ra_hours", decimalPoint, lang);
    if (!hours) return R::failure(hours.error());
    const Result<double> minutes =
        fieldNumber(boxes[3], "field.ra_minutes", decimalPoint, lang);
    if (!minutes) return R::failure(minutes.error());
    const double seconds = leadingNumber(boxes[4]);

    const Result<double> degrees =
        fieldNumber(boxes[5], "field.dec_degrees", decimalPoint, lang);
    if (!degrees) return R::failure(degrees.error());
    const Result<double> arcmin =
        fieldNumber(boxes[6], "field.dec_minutes", decimalPoint, lang);
    if (!arcmin) return R::failure(arcmin.error());
    const double arcsec = leadingNumber(boxes[7]);

    CalibrationStar star;
    star.x = *x;
    star.y = *y;
    // Not raFromFields / decFromFields: their order of operations (/ 3600 * 15,
    // and the sign applied to whole seconds of arc) gives a result one bit
    // away from this one for about a fifth of right ascensions and two fifths
    // of declinations, and the calibration keeps its own values.
    star.raDeg = (*hours * 3600.0 + *minutes * 60.0 + seconds) / 3600.0 / 24.0 * 360.0;
    // The sign covers minutes and seconds too.
    star.decDeg = sign * (*degrees + *arcmin / 60.0 + arcsec / 3600.0);
    if (!allFinite({star.raDeg, star.decDeg})) return R::failure(overflow(lang));
    return R::success(star);
}

Result<SensorInput> readSensorBoxes(const std::array<QString, 5>& boxes, QChar decimalPoint,
                                    const TextLookup& lang)
{
    using R = Result<SensorInput>;
    SensorInput in;
    in.widthMm = leadingNumber(boxes[0]);
    in.heightMm = leadingNumber(boxes[1]);
    const Result<double> focal = fieldNumber(boxes[4], "field.focal", decimalPoint, lang);
    if (!focal) return R::failure(focal.error());
    const Result<double> widthPx =
        fieldNumber(boxes[2], "field.width", decimalPoint, lang);
    if (!widthPx) return R::failure(widthPx.error());
    const Result<double> heightPx =
        fieldNumber(boxes[3], "field.height", decimalPoint, lang);
    if (!heightPx) return R::failure(heightPx.error());
    in.widthPx = *widthPx;
    in.heightPx = *heightPx;
    in.focalMm = *focal;
    in.focalMmLeading = leadingNumber(boxes[4]);
    return R::success(in);
}

Result<ClassicalCalibration> solveClassical(const SensorInput& in, const TextLookup& lang)
{
    using R = Result<ClassicalCalibration>;
    const auto zeroIn = [&lang](const char* fieldKey) {
        return R::failure(lang.text(QStringLiteral("number.zero_field"))
                              .arg(lang.text(QLatin1String(fieldKey))));
    };
    if (in.focalMm == 0.0) return zeroIn("field.focal");
    if (in.widthPx == 0.0) return zeroIn("field.width");
    if (in.heightPx == 0.0) return zeroIn("field.height");
    if (in.focalMmLeading == 0.0) return zeroIn("field.focal");

    // Sky offset in degrees of a pixel offset: 3438 W / NX / F arc-minutes
    // per pixel along X, likewise along Y, over 60.
    const auto squaredDeg = [&](double pixels, double sizeMm, double count) {
        const double deg = pixels * kArcminPerRadian / in.focalMm / count / 60.0 * sizeMm;
        return deg * deg;
    };
    const double p12 = kPair12X * kPair12X + kPair12Y * kPair12Y;
    const double p13 = kPair13X * kPair13X + kPair13Y * kPair13Y;
    const Result<ScaleSolution> scale =
        solveScale(p12, p13, squaredDeg(kPair12X, in.widthMm, in.widthPx),
                   squaredDeg(kPair12Y, in.heightMm, in.heightPx),
                   squaredDeg(kPair13X, in.widthMm, in.widthPx),
                   squaredDeg(kPair13Y, in.heightMm, in.heightPx), lang);
    if (!scale) return R::failure(scale.error());

    ClassicalCalibration result;
    result.scale = *scale;
    result.fieldWidthArcmin = kArcminPerRadian / in.focalMmLeading * in.widthMm;
    result.fieldHeightArcmin = kArcminPerRadian / in.focalMmLeading * in.heightMm;
    if (!allFinite({result.fieldWidthArcmin, result.fieldHeightArcmin}))
        return R::failure(overflow(lang));
    return R::success(std::move(result));
}

QString calibrationReport(const QString& message7, const ScaleSolution& solution)
{
    return message7 + QStringLiteral(": CX = ") + solution.corrAsdText +
           QStringLiteral(" et CY = ") + solution.corrDecText;
}

QString classicalReport(const QString& message7, const ClassicalCalibration& result,
                        QChar decimalPoint)
{
    return calibrationReport(message7, result.scale) + QChar(13) + QStringLiteral("CCD size: ") +
           formatDouble(result.fieldWidthArcmin, decimalPoint) + QStringLiteral("' x ") +
           formatDouble(result.fieldHeightArcmin, decimalPoint) + u'\'';
}

}  // namespace ce
