#include "solve/flow/calculation_run.h"

#include "app/builtin_texts.h"
#include "app/flow/field_centre.h"
#include "app/flow/reduction_controller.h"
#include "catalogue/flow/read_command.h"
#include "core/numbers.h"
#include "core/plate_solution.h"
#include "solve/flow/refinement_run.h"
#include "solve/matching.h"

#include <cmath>
#include <numbers>

namespace ce {

namespace {

// No candidate at all often means Corr Asd was taken as pixels per degree of
// sky rather than of right ascension. With square pixels Corr Asd / Corr Dec
// is cos δ of the field centre; when it is more than 3 % away, the journal
// gives the value that square pixels would have.
void suggestScaleRatio(ReductionController& controller)
{
    const ReductionState& state = controller.state();
    const Result<FieldCentre> centre = readFieldCentre(controller.view(), controller.lang());
    if (!centre || state.corrDec == 0.0) return;
    const double cosDec = std::cos(centre->decDeg * std::numbers::pi / 180.0);
    const double ratio = state.corrAsd / state.corrDec;
    if (cosDec <= 0.0 || std::abs(ratio / cosDec - 1.0) <= 0.03) return;
    controller.AddStatus(controller.lang().message(msg::kScaleRatioHint)
                             .arg(formatDouble(roundHalfEven(ratio, 4)),
                                  formatDouble(roundHalfEven(cosDec, 4)),
                                  formatDouble(roundHalfEven(state.corrDec * cosDec, 3))));
}

}  // namespace

bool scaleFactorsUsable(ReductionController& controller)
{
    const ReductionState& state = controller.state();
    if (state.corrAsd != 0.0 && state.corrDec != 0.0)
        return true;
    // Every catalogue star would fall on one point or one line of the
    // plane: no matching can succeed, and later divisions by the factor
    // would mean nothing.
    ReductionView& view = controller.view();
        const QString field = state.corrAsd == 0.0 ? QStringLiteral("Corr Asd")
                                                   : QStringLiteral("Corr Dec");
        const QString message = controller.lang().text(QStringLiteral("calib.noscale")).arg(field);
        controller.AddStatus(message);
        view.showMessage(message, QString(), true);
    // The matching that does not run would have withdrawn the solution: its
    // markers, clicks and full map would stand on factors that are no
    // longer those typed.
    controller.withdrawSolution();
    return false;
}

void runStartCalcul(ReductionController& controller)
{
    ReductionState& state = controller.state();
    ReductionView& view = controller.view();

    controller.Loadimg();
    state.corrAsd = leadingNumber(view.text(QStringLiteral("txt_corrasd")));
    state.corrDec = leadingNumber(view.text(QStringLiteral("txt_corrdec")));
    controller.ensureMarkers();
    state.markers.hideStars();
    view.markersChanged();

    if (!state.starsSelected) {
        controller.SetSugestion(QStringLiteral("calculannuler"), 0, QStringLiteral("0"),
                                QStringLiteral("0"));
        return;
    }
    if (!scaleFactorsUsable(controller))
        return;
    if (!runReadFile(controller))
        return;
    if (state.starCount > kLargeCatalogueQuestionAbove) {
        if (!view.askYesNo(controller.lang().message(15), controller.lang().message(16))) {
            controller.AddStatus(controller.lang().message(17));
            return;
        }
    }
    if (!runAlgo(controller))
        return;
    controller.map();
}

bool runAlgo(ReductionController& controller)
{
    ReductionState& state = controller.state();
    ReductionView& view = controller.view();
    const LanguageTable& lang = controller.lang();

    controller.AddStatus(lang.message(5));
    controller.withdrawSolution();

    const Result<MatchingSettings> settings =
        readMatchingSettings(view.text(QStringLiteral("txt_tolerance")),
                             view.text(QStringLiteral("txt_calcul")), systemDecimalPoint(), lang);
    if (!settings) {
        controller.AddStatus(settings.error());
        view.showMessage(settings.error(), QString(), true);
        return false;
    }
    state.tolerance = settings->tolerance;

    const MarkDistanceTable markDist = markDistances(state);
    const StarDistanceTable starDist = starDistances(state);
    const CandidateSearch search = findCandidates(markDist, starDist, state.tolerance);
    state.solutionCount = std::int16_t(search.candidates.size());
    if (search.tableFull) {
        controller.AddStatus(
            controller.lang().text(QStringLiteral("calc.toomany")).arg(kCandidateCapacity));
    }

    controller.ensureMarkers();
    // Greyed (2) counts as ticked: only a clear box offers every candidate.
    const bool deciderChecked = view.checkState(QStringLiteral("CheckDecideur")) != 0;
    const QString total = formatWhole(state.solutionCount);
    int offered = 0;
    for (std::size_t s = 0; s < search.candidates.size(); ++s) {
        const QString number = formatWhole(static_cast<long long>(s + 1));
        const std::optional<PlateSolution> solution =
            candidatePlateSolution(search.candidates[s], state);
        if (!solution) {
            // R1, R2, R3 on one line or repeated: no plate solution to offer.
            controller.AddStatus(lang.message(msg::kCollinearSkipped).arg(number, total));
            continue;
        }
        storePlateSolution(state, *solution);
        controller.map();
        const int count = decisionCount(state.markers.click, state.markers.star, state.starCount,
                                        settings->window);
        if (!offerCandidate(effectiveDecisionCount(count, deciderChecked), state.mapFailed)) {
            // A failed drawing has its own status line already.
            if (!state.mapFailed)
                controller.AddStatus(
                    lang.message(msg::kDeciderSkipped).arg(number, total, formatWhole(count)));
            continue;
        }
        ++offered;
        const QString question = lang.message(2) + QStringLiteral(" (") + number + u'/' + total + u')';
        if (controller.askAboutCandidate(question, lang.message(3))) {
            controller.AddStatus(lang.message(4));
            state.solutionAccepted = true;
            state.mode = modes::coor();
            runRefinement(controller);
            break;
        }
    }

    controller.AddStatus(lang.message(6));
    const std::int16_t step = state.solutionAccepted ? -1 : (offered == 0 ? 1 : 0);
    controller.SetSugestion(QStringLiteral("calcul"), step, formatWhole(state.solutionCount),
                            formatWhole(state.starCount));
    if (state.solutionCount == 0) suggestScaleRatio(controller);
    return true;
}

}  // namespace ce
