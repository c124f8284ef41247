#include "solve/flow/calculation_run.h"

#include "app/flow/reduction_controller.h"
#include "catalogue/flow/read_command.h"
#include "core/numbers.h"
#include "core/plate_solution.h"
#include "solve/matching.h"

namespace ce {

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
    if (state.corrAsd == 0.0 || state.corrDec == 0.0) {
        // Every catalogue star would fall on one point or one line of the
        // plane: no matching can succeed, and later divisions by the factor
        // would mean nothing.
        const QString field = state.corrAsd == 0.0 ? QStringLiteral("Corr Asd")
                                                   : QStringLiteral("Corr Dec");
        const QString message =
            QStringLiteral("Calcul impossible : le champ %1 est vide, nul ou ne contient pas un "
                           "nombre. Faites un étalonage ou chargez une configuration optique.")
                .arg(field);
        controller.AddStatus(message);
        view.showMessage(message, QString(), true);
        return;
    }
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
    state.solutionAccepted = false;

    const Result<MatchingSettings> settings =
        readMatchingSettings(view.text(QStringLiteral("txt_tolerance")),
                             view.text(QStringLiteral("txt_calcul")), systemDecimalPoint());
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
            QStringLiteral("Trop de solutions : la recherche s'est arrêtée aux %1 premières ; "
                           "réduisez la tolérance.")
                .arg(kCandidateCapacity));
    }

    controller.ensureMarkers();
    // Greyed (2) counts as ticked: only a clear box offers every candidate.
    const bool deciderChecked = view.checkState(QStringLiteral("CheckDecideur")) != 0;
    const QString total = formatWhole(state.solutionCount);
    for (std::size_t s = 0; s < search.candidates.size(); ++s) {
        const std::optional<PlateSolution> solution =
            candidatePlateSolution(search.candidates[s], state);
        if (!solution)
            continue;  // R1, R2, R3 on one line: no plate solution to offer
        storePlateSolution(state, *solution);
        controller.map();
        const int count = decisionCount(state.markers.click, state.markers.star, state.starCount,
                                        settings->window);
        if (!offerCandidate(effectiveDecisionCount(count, deciderChecked), state.mapFailed))
            continue;
        const QString question = lang.message(2) + QStringLiteral(" (")
                                 + formatWhole(static_cast<long long>(s + 1)) + u'/' + total + u')';
        if (view.askYesNo(question, lang.message(3))) {
            controller.AddStatus(lang.message(4));
            state.solutionAccepted = true;
            state.mode = modes::coor();
            break;
        }
    }

    controller.AddStatus(lang.message(6));
    controller.SetSugestion(QStringLiteral("calcul"), state.solutionAccepted ? -1 : 0,
                            formatWhole(state.solutionCount), formatWhole(state.starCount));
    return true;
}

}  // namespace ce
