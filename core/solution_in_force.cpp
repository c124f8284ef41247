#include "core/solution_in_force.h"

namespace ce {

std::optional<PixelPoint> planeToImage(const ReductionState& state, double U, double V)
{
    if (!state.refined)
        return planeToPixel(plateSolutionOf(state), U, V);
    if (state.corrAsd == 0.0 || state.corrDec == 0.0)
        return std::nullopt;
    return skyToPixel(*state.refined, U / state.corrAsd, V / state.corrDec);
}

std::optional<SkyPoint> imageToSky(const ReductionState& state, double x, double y)
{
    if (state.refined)
        return pixelToSky(*state.refined, x, y);
    if (state.corrAsd == 0.0 || state.corrDec == 0.0)
        return std::nullopt;
    const PlanePoint plane = pixelToPlane(plateSolutionOf(state), x, y);
    return SkyPoint{plane.U / state.corrAsd, plane.V / state.corrDec};
}

}  // namespace ce
