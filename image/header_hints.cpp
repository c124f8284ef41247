#include "image/header_hints.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace ce {

namespace {

constexpr double kArcminPerRadianClassical = 3438.0;  // the classical calibration's constant

const HeaderCard* findCard(const QList<HeaderCard>& cards, QStringView keyword)
{
    for (const HeaderCard& card : cards)
        if (card.keyword == keyword)
            return &card;
    return nullptr;
}

// A FITS number: C locale, "D" allowed as the exponent letter.
std::optional<double> number(const QList<HeaderCard>& cards, QStringView keyword)
{
    const HeaderCard* card = findCard(cards, keyword);
    if (!card)
        return std::nullopt;
    QString text = card->value.trimmed();
    text.replace(u'D', u'E').replace(u'd', u'e');
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A sexagesimal text "h m s", "h:m:s" or "+d m s" as one value (hours or
// degrees); the sign of the first part applies to all.
std::optional<double> sexagesimal(const QString& text)
{
    const QStringList parts =
        text.trimmed().split(QRegularExpression(QStringLiteral("[\\s:]+")), Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return std::nullopt;
    double value[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        value[i] = parts[i].toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    const bool negative = parts[0].startsWith(u'-');
    const double magnitude = std::abs(value[0]) + value[1] / 60.0 + value[2] / 3600.0;
    return negative ? -magnitude : magnitude;
}

// RA in degrees from a card: a number is degrees, three parts are hours.
std::optional<double> raDegrees(const QList<HeaderCard>& cards, QStringView keyword)
{
    const HeaderCard* card = findCard(cards, keyword);
    if (!card)
        return std::nullopt;
    if (const auto hours = sexagesimal(card->value))
        return *hours * 15.0;
    return number(cards, keyword);
}

std::optional<double> decDegrees(const QList<HeaderCard>& cards, QStringView keyword)
{
    const HeaderCard* card = findCard(cards, keyword);
    if (!card)
        return std::nullopt;
    if (const auto degrees = sexagesimal(card->value))
        return degrees;
    return number(cards, keyword);
}

bool validCentre(double ra, double dec) { return ra >= 0.0 && ra < 360.0 && dec >= -90.0 && dec <= 90.0; }

bool celestialWcs(const QList<HeaderCard>& cards)
{
    const HeaderCard* x = findCard(cards, u"CTYPE1");
    const HeaderCard* y = findCard(cards, u"CTYPE2");
    return x && y && x->value.startsWith(QStringLiteral("RA--")) && y->value.startsWith(QStringLiteral("DEC-"));
}

std::optional<HeaderHints::Centre> centreOf(const QList<HeaderCard>& cards)
{
    const std::pair<const char16_t*, const char16_t*> pairs[] = {{u"RA", u"DEC"}, {u"OBJCTRA", u"OBJCTDEC"}};
    for (const auto& [raKey, decKey] : pairs) {
        const auto ra = raDegrees(cards, raKey);
        const auto dec = decDegrees(cards, decKey);
        if (ra && dec && validCentre(*ra, *dec))
            return HeaderHints::Centre{*ra, *dec, QString::fromUtf16(raKey) + u'/' + QString::fromUtf16(decKey)};
    }
    if (celestialWcs(cards)) {
        const auto ra = number(cards, u"CRVAL1");
        const auto dec = number(cards, u"CRVAL2");
        if (ra && dec && validCentre(*ra, *dec))
            return HeaderHints::Centre{*ra, *dec, QStringLiteral("CRVAL1/CRVAL2")};
    }
    return std::nullopt;
}

// Degrees of sky per pixel along the image's x and y axes, from the WCS.
std::optional<std::pair<double, double>> wcsDegreesPerPixel(const QList<HeaderCard>& cards, QString& keywords)
{
    if (!celestialWcs(cards))
        return std::nullopt;
    const auto cd11 = number(cards, u"CD1_1"), cd12 = number(cards, u"CD1_2");
    const auto cd21 = number(cards, u"CD2_1"), cd22 = number(cards, u"CD2_2");
    if (cd11 || cd12 || cd21 || cd22) {
        const double a = cd11.value_or(0.0), b = cd12.value_or(0.0), c = cd21.value_or(0.0),
                     d = cd22.value_or(0.0);
        keywords = QStringLiteral("CD");
        return std::pair{std::hypot(a, c), std::hypot(b, d)};
    }
    const auto dx = number(cards, u"CDELT1"), dy = number(cards, u"CDELT2");
    if (dx && dy) {
        keywords = QStringLiteral("CDELT");
        return std::pair{std::abs(*dx), std::abs(*dy)};
    }
    return std::nullopt;
}

std::optional<HeaderHints::Scale> scaleOf(const QList<HeaderCard>& cards, std::optional<double> decDeg)
{
    if (!decDeg)
        return std::nullopt;
    const double cosDec = std::cos(*decDeg * std::numbers::pi / 180.0);
    const auto focalMm = number(cards, u"FOCALLEN");
    const auto xMicron = number(cards, u"XPIXSZ");
    const auto yMicron = number(cards, u"YPIXSZ");
    if (focalMm && xMicron && *focalMm > 0.0 && *xMicron > 0.0) {
        const double yUm = yMicron && *yMicron > 0.0 ? *yMicron : *xMicron;
        const double perDegX = 60.0 * *focalMm / (kArcminPerRadianClassical * *xMicron / 1000.0);
        const double perDegY = 60.0 * *focalMm / (kArcminPerRadianClassical * yUm / 1000.0);
        return HeaderHints::Scale{perDegX * cosDec, perDegY, QStringLiteral("FOCALLEN/XPIXSZ/YPIXSZ")};
    }
    QString keywords;
    if (const auto perPixel = wcsDegreesPerPixel(cards, keywords);
        perPixel && perPixel->first > 0.0 && perPixel->second > 0.0)
        return HeaderHints::Scale{cosDec / perPixel->first, 1.0 / perPixel->second, keywords};
    return std::nullopt;
}

}  // namespace

std::optional<double> decimalYearFromFitsDate(const QString& date)
{
    const QString text = date.trimmed();
    QDateTime when = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!when.isValid())
        when = QDateTime(QDate::fromString(text.left(10), Qt::ISODate), QTime(0, 0));
    if (!when.isValid())
        return std::nullopt;
    when.setTimeSpec(Qt::UTC);
    const int year = when.date().year();
    const QDateTime start(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime end(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    return year + double(start.msecsTo(when)) / double(start.msecsTo(end));
}

HeaderHints headerHints(const QList<HeaderCard>& cards, std::optional<double> fallbackDecDeg)
{
    HeaderHints hints;
    hints.centre = centreOf(cards);
    if (const HeaderCard* date = findCard(cards, u"DATE-OBS"))
        hints.epochYear = decimalYearFromFitsDate(date->value);
    hints.scale = scaleOf(cards, hints.centre ? std::optional(hints.centre->decDeg) : fallbackDecDeg);
    return hints;
}

}  // namespace ce
