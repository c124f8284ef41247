#include "solve/flow/refinement_run.h"

#include "app/builtin_texts.h"
#include "app/flow/field_centre.h"
#include "app/flow/reduction_controller.h"
#include "core/numbers.h"
#include "core/precession.h"
#include "solve/flow/view_pixels.h"
#include "solve/refined_solution.h"

#include <algorithm>
#include <vector>

namespace ce {

namespace {

QString outcomeReason(RefinementOutcome outcome, const LanguageTable& lang)
{
    switch (outcome) {
    case RefinementOutcome::Refined: break;
    case RefinementOutcome::TooFewStars:
        return lang.text(QStringLiteral("calc.refine.toofew")).arg(kRefinedMinimumStars);
    case RefinementOutcome::NotBetter:
        return lang.text(QStringLiteral("calc.refine.notbetter"));
    case RefinementOutcome::NoLinearModel:
        return lang.text(QStringLiteral("calc.refine.nolinear"));
    case RefinementOutcome::DegenerateFit:
        return lang.text(QStringLiteral("calc.refine.aligned"));
    }
    return QString();
}

}  // namespace

SkyPoint fieldTangentPoint(ReductionController& controller)
{
    ReductionView& view = controller.view();
    const ReductionState& state = controller.state();
    if (const Result<FieldCentre> centre = readFieldCentre(view, controller.lang())) {
        const double epoch = leadingNumber(view.text(QStringLiteral("txt_epoch")));
        const PrecessionCorrection c = PrecessToJ2000(epoch, centre->raDeg, centre->decDeg);
        return {centre->raDeg + c.dRaDeg, centre->decDeg + c.dDecDeg};
    }
    const PlanePoint middle = pixelToPlane(plateSolutionOf(state), view.imageWidth() / 2.0,
                                           view.imageHeight() / 2.0);
    return {middle.U / state.corrAsd, middle.V / state.corrDec};
}

void runRefinement(ReductionController& controller)
{
    ReductionState& state = controller.state();
    state.refined.reset();
    state.refinedMeasures.clear();
    if (!controller.refinementEnabled() || state.corrAsd == 0.0 || state.corrDec == 0.0)
        return;

    std::vector<CatalogueSkyStar> stars;
    stars.reserve(std::size_t(std::max<int>(state.starTotal, 0)));
    for (int i = 1; i <= state.starTotal; ++i)
        stars.push_back({state.starRaDeg[std::size_t(i)], state.starDecDeg[std::size_t(i)]});
    std::vector<PixelPoint> marks;
    for (int i = 1; i <= std::min<int>(state.markCount, kClickMarkers); ++i)
        marks.push_back({state.markX[std::size_t(i)], state.markY[std::size_t(i)]});

    RefinementInput input;
    input.stars = stars;
    input.threeStar = plateSolutionOf(state);
    input.corrAsd = state.corrAsd;
    input.corrDec = state.corrDec;
    input.marks = marks;
    input.tolerancePx = state.tolerance;
    input.fieldCentre = fieldTangentPoint(controller);

    ReductionView& view = controller.view();
    const ViewPixels pixels(view);
    const PackedColourIntensity image(pixels, view.imageWidth(), view.imageHeight());
    const RefinementResult result = refineSolution(image, input);

    const LanguageTable& lang = controller.lang();
    if (!result.refined) {
        controller.AddStatus(lang.message(msg::kNotRefined).arg(outcomeReason(result.outcome, lang)));
        return;
    }
    state.refined = result.wcs;
    state.refinedStars = result.starsUsed;
    state.refinedRmsPx = result.rmsPx;
    state.refinedRmsArcsec = result.rmsArcsec;
    // The input listed slots 1..starTotal in order.
    for (const RefinedStarFit& fit : result.stars)
        state.refinedMeasures.push_back({fit.index + 1, fit.measuredX, fit.measuredY, fit.residualPx,
                                         fit.residualArcsec, fit.used});
    controller.AddStatus(lang.message(msg::kRefined)
                             .arg(formatWhole(result.starsUsed),
                                  formatDouble(roundHalfEven(result.rmsPx, 2)),
                                  formatDouble(roundHalfEven(result.rmsArcsec, 2))));
}

}  // namespace ce
