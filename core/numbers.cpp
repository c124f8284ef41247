#include "core/numbers.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace ce {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Whether the plain number `text` ("-12.5e3") is at least 1 in magnitude,
// i.e. the decimal order of its first non-zero digit plus its exponent is
// >= 0. A number out of range is then too large, otherwise too small.
bool atLeastOne(const std::string& text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    long long intDigits = 0;   // digits before the point
    long long fracDigits = 0;  // digits after the point
    bool fraction = false;
    bool found = false;
    bool foundInInteger = false;
    long long foundAt = 0;  // 1-based count of the first non-zero digit in its part
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            fraction = true;
            continue;
        }
        const long long count = fraction ? ++fracDigits : ++intDigits;
        if (!found && text[i] != '0') {
            found = true;
            foundInInteger = !fraction;
            foundAt = count;
        }
    }
    if (!found) return false;
    // Integer digit k of n (1-based) stands for 10^(n-k); fraction digit k for 10^-k.
    const long long order = foundInInteger ? intDigits - foundAt : -foundAt;
    long long exponent = 0;  // saturated far beyond any double's range
    bool negative = false;
    if (i < text.size()) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        for (; i < text.size(); ++i)
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
    }
    return order + (negative ? -exponent : exponent) >= 0;
}

// Parses ASCII decimal text already checked to be a plain number. Beyond
// the range of a double it gives the signed infinity; below the smallest
// double it gives the signed zero.
double parseAscii(const std::string& text)
{
    double value = 0.0;
    // from_chars reads no "+" sign; the catalogue's declinations carry one.
    const char* begin = text.data();
    if (!text.empty() && text[0] == '+') ++begin;
    const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const double magnitude = atLeastOne(text) ? std::numeric_limits<double>::infinity() : 0.0;
        return text.find('-') == 0 ? -magnitude : magnitude;
    }
    return end == begin ? 0.0 : value;
}

// The longest prefix of `chars` (no blanks) that spells a decimal number with
// `point` as separator, rewritten with "." as separator. Sets `whole` when
// nothing follows it.
std::string numberPrefix(const QString& chars, QChar point, bool* whole)
{
    std::string out;
    qsizetype i = 0;
    const qsizetype n = chars.size();
    if (i < n && (chars[i] == u'+' || chars[i] == u'-'))
        out += char(chars[i++].unicode());
    int digits = 0;
    while (i < n && isDigit(chars[i])) { out += char(chars[i++].unicode()); ++digits; }
    if (i < n && chars[i] == point) {
        ++i;
        out += '.';
        while (i < n && isDigit(chars[i])) { out += char(chars[i++].unicode()); ++digits; }
    }
    if (digits == 0) {
        if (whole) *whole = false;
        return {};
    }
    // Exponent only when complete: "1e" and "1e+" stop before the "e".
    if (i < n && (chars[i] == u'e' || chars[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (chars[j] == u'+' || chars[j] == u'-'))
            exponent += char(chars[j++].unicode());
        const qsizetype firstDigit = j;
        while (j < n && isDigit(chars[j])) exponent += char(chars[j++].unicode());
        if (j > firstDigit) {
            out += exponent;
            i = j;
        }
    }
    if (whole) *whole = (i == n);
    return out;
}

// Shortest text of `value` with at most `significant` digits; fixed notation
// for decimal exponents -5..14, scientific ("1.5E-07") outside.
QString formatShortest(double value, int significant, QChar decimalPoint)
{
    if (std::isnan(value)) return QStringLiteral("NaN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (value == 0.0) return QStringLiteral("0");

    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                   significant - 1);
    const std::string sci(buf, res.ptr);
    const auto ePos = sci.find('e');
    const bool negative = sci[0] == '-';
    std::string mantissa = sci.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    const int exponent = std::stoi(sci.substr(ePos + 1));
    std::string digits;
    for (char c : mantissa)
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out;
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out = "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
        } else if (std::size_t(exponent) + 1 >= digits.size()) {
            out = digits + std::string(std::size_t(exponent) + 1 - digits.size(), '0');
        } else {
            out = digits.substr(0, std::size_t(exponent) + 1) + "." + digits.substr(std::size_t(exponent) + 1);
        }
    } else {
        out = digits.substr(0, 1);
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const std::string e = std::to_string(std::abs(exponent));
        if (e.size() < 2) out += '0';
        out += e;
    }
    QString text = QString::fromLatin1(out);
    if (decimalPoint != u'.') text.replace(u'.', decimalPoint);
    return negative ? u'-' + text : text;
}

enum class LocaleReading { number, notANumber, overflow };

LocaleReading readLocale(QStringView text, QChar decimalPoint, double& value)
{
    const QString trimmed = text.toString().trimmed();
    // People type "7.5" and "7,5" alike whatever their locale, so both
    // separators (and the locale's own) are taken; a group separator never
    // is, so "1,234.5" still fails.
    std::string ascii;
    for (const QChar separator : {decimalPoint, QChar(u'.'), QChar(u',')}) {
        bool whole = false;
        ascii = numberPrefix(trimmed, separator, &whole);
        if (!ascii.empty() && whole) break;
        ascii.clear();
    }
    if (ascii.empty()) return LocaleReading::notANumber;
    value = parseAscii(ascii);
    return std::isfinite(value) ? LocaleReading::number : LocaleReading::overflow;
}

}  // namespace

double leadingNumber(QStringView text)
{
    QString chars;
    chars.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c)) chars += c;
    return parseAscii(numberPrefix(chars, u'.', nullptr));
}

std::optional<double> localeValue(QStringView text, QChar decimalPoint)
{
    double value = 0.0;
    if (readLocale(text, decimalPoint, value) != LocaleReading::number) return std::nullopt;
    return value;
}

Result<double> localeNumber(QStringView text, QChar decimalPoint, const QString& fieldName,
                            const TextLookup& lang)
{
    double value = 0.0;
    switch (readLocale(text, decimalPoint, value)) {
    case LocaleReading::number: return Result<double>::success(value);
    case LocaleReading::notANumber:
        return Result<double>::failure(lang.text(QStringLiteral("number.not_a_number")).arg(fieldName));
    case LocaleReading::overflow: break;
    }
    return Result<double>::failure(lang.text(QStringLiteral("number.overflow_field")).arg(fieldName));
}

Result<double> fieldNumber(QStringView text, const char* fieldKey, QChar decimalPoint,
                           const TextLookup& lang)
{
    return localeNumber(text, decimalPoint, lang.text(QLatin1String(fieldKey)), lang);
}

QChar systemDecimalPoint()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.at(0);
}

double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value) || decimals < 0) return value;
    if (decimals > 15) decimals = 15;
    // Exact decimal rounding of the binary value; exact ties go to even.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return value;
    double rounded = 0.0;
    std::from_chars(buf, res.ptr, rounded);
    return rounded == 0.0 ? 0.0 : rounded;
}

std::optional<std::int16_t> toInt16(double value)
{
    const double r = std::nearbyint(value);
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

QString formatWhole(long long value)
{
    return QString::number(value);
}

QString formatDouble(double value, QChar decimalPoint)
{
    return formatShortest(value, 15, decimalPoint);
}

QString formatSingle(float value, QChar decimalPoint)
{
    // The float is widened exactly; 7 significant digits recover its decimal form.
    return formatShortest(static_cast<double>(value), 7, decimalPoint);
}

}  // namespace ce
