#include "image/flow/header_hints_flow.h"

#include "app/flow/reduction_controller.h"
#include "core/numbers.h"
#include "core/sexagesimal.h"

#include <cmath>

namespace ce {

namespace {

constexpr int kOpeningText = 79;
constexpr int kClosingText = 80;
constexpr int kTitleText = 81;

// [FORM] lines from 66 on are the later language messages, with their
// French fallback.
QString languageText(const LanguageTable& lang, int line) { return lang.message(line - 45); }

// Hours or degrees as the three fields take them: whole, minutes, and
// seconds to two decimals in the user's decimal separator.
std::array<QString, 3> sexagesimalFields(double value)
{
    const SexagesimalParts parts = SplitSexagesimal(std::abs(value));
    return {formatWhole(parts.whole), formatWhole(parts.minutes),
            formatDouble(roundHalfEven(parts.seconds, 2), systemDecimalPoint())};
}

QString corrText(double pixelsPerDegree) { return formatDouble(roundHalfEven(pixelsPerDegree, 2)); }
QString epochText(double year) { return formatDouble(roundHalfEven(year, 3)); }

std::optional<double> typedDeclination(const ReductionView& view, const TextLookup& lang)
{
    const int sign = signFactorFromCaption(view.text(QStringLiteral("txt_dec_sign_show_0")));
    const Result<double> dec =
        decFromTexts(view.text(QStringLiteral("txt_dec_0")), view.text(QStringLiteral("txt_dec_1")),
                     view.text(QStringLiteral("txt_dec_2")), sign, systemDecimalPoint(), lang);
    if (!dec || !std::isfinite(*dec))
        return std::nullopt;
    return *dec;
}

}  // namespace

QString headerHintsQuestion(const HeaderHints& hints, const LanguageTable& lang)
{
    QStringList lines{languageText(lang, kOpeningText)};
    if (hints.centre) {
        lines << lang.text(QStringLiteral("image.hints.centre"))
                     .arg(FormatSexagesimal(hints.centre->raDeg / 15.0, QStringLiteral("h")),
                          FormatSexagesimal(hints.centre->decDeg, QStringLiteral("°")), hints.centre->keywords);
    }
    if (hints.epochYear)
        lines << lang.text(QStringLiteral("image.hints.epoch")).arg(epochText(*hints.epochYear));
    if (hints.scale) {
        lines << lang.text(QStringLiteral("image.hints.scale"))
                     .arg(corrText(hints.scale->corrAsd), corrText(hints.scale->corrDec), hints.scale->keywords);
    }
    lines << languageText(lang, kClosingText);
    return lines.join(u'\n');
}

void applyHeaderHints(ReductionView& view, const HeaderHints& hints)
{
    if (hints.centre) {
        const auto ra = sexagesimalFields(hints.centre->raDeg / 15.0);
        const auto dec = sexagesimalFields(hints.centre->decDeg);
        for (int k = 0; k < 3; ++k) {
            view.setText(QStringLiteral("txt_ra_") + QString::number(k), ra[std::size_t(k)]);
            view.setText(QStringLiteral("txt_dec_") + QString::number(k), dec[std::size_t(k)]);
        }
        view.setText(QStringLiteral("txt_dec_sign_show_0"),
                     hints.centre->decDeg < 0.0 ? QStringLiteral("-") : QStringLiteral("+"));
    }
    if (hints.epochYear)
        view.setText(QStringLiteral("txt_epoch"), epochText(*hints.epochYear));
    if (hints.scale) {
        view.setText(QStringLiteral("txt_corrasd"), corrText(hints.scale->corrAsd));
        view.setText(QStringLiteral("txt_corrdec"), corrText(hints.scale->corrDec));
    }
}

void loadImageOfferingHints(ReductionController& controller)
{
    controller.Loadimg();
    ReductionView& view = controller.view();
    if (!controller.state().imageLoaded)
        return;
    const QList<HeaderCard> header = view.imageHeader();
    if (header.isEmpty())
        return;
    const HeaderHints hints = headerHints(header, typedDeclination(view, controller.lang()));
    if (hints.empty())
        return;
    const LanguageTable& lang = controller.lang();
    if (view.askYesNo(headerHintsQuestion(hints, lang), languageText(lang, kTitleText)))
        applyHeaderHints(view, hints);
}

}  // namespace ce
