#include "core/sexagesimal.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ce {
namespace {

// Holds a whole number, already truncated, in the 16-bit range.
std::int16_t clampToInt16(double whole)
{
    if (whole < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
    if (whole > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(whole);
}

// Steps shared by the split and the text: |value| = w + m/60 + rest/3600,
// with w and m truncated and the raw seconds `rest` not yet rounded.
struct RawParts {
    double whole = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
};

RawParts rawParts(double value)
{
    double a = std::fabs(value);
    RawParts parts;
    parts.whole = std::trunc(a);
    a = (a - parts.whole) * 60.0;
    parts.minutes = std::trunc(a);
    parts.seconds = (a - parts.minutes) * 60.0;
    return parts;
}

}  // namespace

double raFromFields(double hours, double minutes, double seconds)
{
    return (hours * 3600.0 + minutes * 60.0 + seconds) / 3600.0 * 15.0;
}

double decFromFields(double degrees, double arcminutes, double arcseconds, int sign)
{
    const double factor = sign < 0 ? -1.0 : 1.0;
    return (degrees * 3600.0 + arcminutes * 60.0 + arcseconds) * factor / 3600.0;
}

int signFactorFromCaption(const QString& caption)
{
    return caption == u"-" ? -1 : 1;
}

Result<double> raFromTexts(const QString& hours, const QString& minutes, const QString& seconds,
                           QChar decimalPoint, const TextLookup& lang)
{
    const Result<double> h = fieldNumber(hours, "field.ra_hours", decimalPoint, lang);
    if (!h) return h;
    const Result<double> m = fieldNumber(minutes, "field.ra_minutes", decimalPoint, lang);
    if (!m) return m;
    const Result<double> s = fieldNumber(seconds, "field.ra_seconds", decimalPoint, lang);
    if (!s) return s;
    return Result<double>::success(raFromFields(*h, *m, *s));
}

Result<double> decFromTexts(const QString& degrees, const QString& arcminutes,
                            const QString& arcseconds, int sign, QChar decimalPoint,
                            const TextLookup& lang)
{
    const Result<double> d = fieldNumber(degrees, "field.dec_degrees", decimalPoint, lang);
    if (!d) return d;
    const Result<double> m = fieldNumber(arcminutes, "field.dec_minutes", decimalPoint, lang);
    if (!m) return m;
    const Result<double> s = fieldNumber(arcseconds, "field.dec_seconds", decimalPoint, lang);
    if (!s) return s;
    return Result<double>::success(decFromFields(*d, *m, *s, sign));
}

Result<FieldCentre> fieldCentreFromTexts(const std::array<QString, 3>& raTexts,
                                         const std::array<QString, 3>& decTexts,
                                         const QString& signCaption, QChar decimalPoint,
                                         const TextLookup& lang)
{
    using R = Result<FieldCentre>;
    FieldCentre centre;
    centre.sign = signFactorFromCaption(signCaption);
    const Result<double> raDeg = raFromTexts(raTexts[0], raTexts[1], raTexts[2], decimalPoint, lang);
    if (!raDeg)
        return R::failure(raDeg.error());
    const Result<double> decDeg =
        decFromTexts(decTexts[0], decTexts[1], decTexts[2], centre.sign, decimalPoint, lang);
    if (!decDeg)
        return R::failure(decDeg.error());
    centre.raDeg = *raDeg;
    centre.decDeg = *decDeg;
    return R::success(centre);
}

SexagesimalParts SplitSexagesimal(double value)
{
    SexagesimalParts out;
    if (!std::isfinite(value)) return out;
    const RawParts raw = rawParts(value);
    out.whole = clampToInt16(value < 0 ? -raw.whole : raw.whole);
    out.minutes = static_cast<std::int16_t>(raw.minutes);
    out.seconds = roundHalfEven(raw.seconds, 4);
    return out;
}

QString FormatSexagesimal(double value, const QString& unit)
{
    if (!std::isfinite(value))
        return formatDouble(value) + unit + QStringLiteral("0'0''");
    const RawParts raw = rawParts(value);
    // Two roundings, as the display has always made them: to hundredths of
    // a second first, then to the whole second.
    const double seconds = roundHalfEven(roundHalfEven(raw.seconds, 2));
    QString text;
    if (value < 0) text += u'-';
    text += formatDouble(raw.whole);
    text += unit;
    text += formatWhole(static_cast<long long>(raw.minutes));
    text += u'\'';
    text += formatWhole(static_cast<long long>(seconds));
    text += QStringLiteral("''");
    return text;
}

QString FormatSexagesimalFine(double value, const QString& unit, int decimals)
{
    if (!std::isfinite(value))
        return FormatSexagesimal(value, unit);
    decimals = std::clamp(decimals, 0, 6);
    // Rounded once, in units of the last decimal of the seconds, then split:
    // the carry into minutes and the whole part comes by itself.
    const double step = std::pow(10.0, decimals);
    const double units = roundHalfEven(std::fabs(value) * 3600.0 * step);
    const double perMinute = 60.0 * step;
    const double whole = std::floor(units / (60.0 * perMinute));
    const double minutes = std::floor((units - whole * 60.0 * perMinute) / perMinute);
    const double seconds = (units - whole * 60.0 * perMinute - minutes * perMinute) / step;
    QString text;
    if (value < 0 && units > 0) text += u'-';
    text += formatDouble(whole);
    text += unit;
    text += formatWhole(static_cast<long long>(minutes));
    text += u'\'';
    text += QString::number(seconds, 'f', decimals);
    text += QStringLiteral("''");
    return text;
}

}  // namespace ce
