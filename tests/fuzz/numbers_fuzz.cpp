// Numbers: what the leading-number and locale rules read from any text,
// written in its text form, reads back as the same number; rounding keeps
// its rules on any double.

#include "core/numbers.h"
#include "tests/core/key_echo.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>
#include <cstring>
#include <optional>

using namespace ce;
using ce::fuzz::require;

namespace {

QString show(double v) { return QString::number(v, 'g', 17); }

void checkTextForms(double v)
{
    if (!std::isfinite(v))
        return;
    // Fifteen significant digits: the text reads back as a number that
    // writes as the same text, and lies within the rounding of the 15th digit.
    const QString text = formatDouble(v);
    const double back = leadingNumber(text);
    // The 15-digit form of a number within 5e292 of the largest double
    // rounds past it: it reads back as infinity, the one number that does not.
    if (std::isinf(back)) {
        require(std::fabs(v) > 1.79769313486231e308, "only the top of the range reads back as infinity", text);
        return;
    }
    require(formatDouble(back) == text, "formatDouble(leadingNumber(t)) == t", text);
    require(std::fabs(back - v) <= std::fabs(v) * 1e-14 || std::fabs(v) < 1e-300,
            "the text form is the number to 15 digits", show(v) + u' ' + text);
    for (QChar point : {QChar(u'.'), QChar(u',')}) {
        const std::optional<double> local = localeValue(formatDouble(v, point), point);
        require(local && *local == back, "the locale rule reads the text form back", text);
    }
    const float f = static_cast<float>(v);
    if (std::isfinite(f)) {
        // Seven digits are the float's value to half a unit of the seventh
        // digit; they do not always name the same float again (1.000000062e28
        // shows as 1E+28, whose nearest float shows as 9.999999E+27).
        const QString single = formatSingle(f);
        const double shown = leadingNumber(single);
        require(std::fabs(shown - static_cast<double>(f)) <= std::fabs(static_cast<double>(f)) * 5.0000001e-7,
                "formatSingle is the float to 7 significant digits", single);
    }
}

void checkRounding(double v)
{
    const double r = roundHalfEven(v);
    if (std::isnan(v)) {
        require(std::isnan(r), "a NaN rounds to NaN");
        return;
    }
    require(r == std::floor(r) || std::isinf(r), "a rounded number is whole", show(v));
    if (std::isfinite(v)) {
        const double gap = std::fabs(r - v);
        require(gap <= 0.5, "rounding moves by half at most", show(v));
        if (gap == 0.5)
            require(std::fmod(r, 2.0) == 0.0, "an exact half goes to the even neighbour", show(v));
    }
    for (int decimals : {0, 2, 7, 15}) {
        const double d = roundHalfEven(v, decimals);
        if (std::isfinite(v) && std::fabs(v) < 1e15)
            require(std::fabs(d - v) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(v) * 1e-15,
                    "rounding to decimals moves by half a unit of the last decimal at most", show(v));
    }
    const std::optional<std::int16_t> small = toInt16(v);
    const bool fits = std::isfinite(r) && r >= -32768.0 && r <= 32767.0;
    require(small.has_value() == fits, "toInt16 succeeds exactly inside the 16-bit range", show(v));
    if (fits)
        require(*small == r, "toInt16 gives the rounded value", show(v));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));

    // Leading-number rule: never fails, reads its own text form back.
    const double lead = leadingNumber(text);
    require(!std::isnan(lead), "the leading-number rule never gives NaN", text);
    checkTextForms(lead);
    checkRounding(lead);

    // Locale rule: a whole text that reads as a number reads the same by
    // the leading-number rule once the white space around it is gone (the
    // locale rule takes any white space there, the other spaces and tabs
    // only) and its decimal comma, which the locale rule takes as well, is a
    // point; whichever separator the locale has.
    const std::optional<double> local = localeValue(text, u'.');
    const Result<double> worded = localeNumber(text, u'.', QStringLiteral("X"), ce::test::KeyEcho());
    require(worded.ok() == local.has_value() && (!local || *worded == *local),
            "the worded locale rule reads what the value rule reads", text);
    if (local) {
        require(!std::isnan(*local), "the locale rule never gives NaN", text);
        const double pointed = leadingNumber(text.trimmed().replace(u',', u'.'));
        require(*local == pointed, "the locale and leading-number rules agree on a number", text);
        const std::optional<double> comma = localeValue(text, u',');
        require(comma && *comma == *local, "both locales read the same number", text);
        checkTextForms(*local);
    } else {
        const QString why = ce::test::spoken(worded.error());
        require(why == u"number.not_a_number|X" || why == u"number.overflow_field|X",
                "a failure names the field and says why", text);
    }

    // Any double, bit by bit.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkTextForms(raw);
        checkRounding(raw);
    }
    return 0;
}
