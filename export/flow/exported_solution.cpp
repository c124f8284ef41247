#include "export/flow/exported_solution.h"

#include "core/plate_solution.h"

#include <map>

namespace ce {

std::optional<AcceptedSolution> acceptedSolution(const ReductionState& state, const SkyPoint& tangentPoint)
{
    if (!state.solutionAccepted)
        return std::nullopt;
    if (state.refined)
        return AcceptedSolution{*state.refined, true};
    const std::optional<TanWcs> linear = tanFromLinearSolution(
        plateSolutionOf(state), state.corrAsd, state.corrDec, tangentPoint.raDeg, tangentPoint.decDeg);
    if (!linear)
        return std::nullopt;
    return AcceptedSolution{*linear, false};
}

std::optional<PixelPoint> predictedPosition(const ReductionState& state, double raDeg, double decDeg)
{
    if (state.refined)
        return skyToPixel(*state.refined, raDeg, decDeg);
    return planeToPixel(plateSolutionOf(state), raDeg * state.corrAsd, decDeg * state.corrDec);
}

std::vector<IdentifiedStar> identifiedStars(const ReductionState& state, int width, int height)
{
    std::map<int, const RefinedStarMeasure*> measured;
    if (state.refined)
        for (const RefinedStarMeasure& m : state.refinedMeasures)
            measured[m.slot] = &m;

    std::vector<IdentifiedStar> rows;
    const int last = std::min<int>(kCatalogueSlots, int(state.markers.star.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const auto slot = std::size_t(i);
        if (!state.markers.star[slot].visible)
            continue;
        const std::optional<PixelPoint> p = predictedPosition(state, state.starRaDeg[slot], state.starDecDeg[slot]);
        if (!p || !(p->x >= -0.5 && p->x < width - 0.5 && p->y >= -0.5 && p->y < height - 0.5))
            continue;
        IdentifiedStar row;
        row.id = state.starId[slot];
        row.raDeg = state.starRaDeg[slot];
        row.decDeg = state.starDecDeg[slot];
        row.magRed = state.starMagR[slot];
        row.magBlue = state.starMagB[slot];
        row.predictedX = p->x;
        row.predictedY = p->y;
        if (const auto m = measured.find(i); m != measured.end())
            row.measure = StarMeasure{m->second->measuredX, m->second->measuredY, m->second->residualPx,
                                      m->second->residualArcsec, m->second->used};
        rows.push_back(row);
    }
    return rows;
}

}  // namespace ce
