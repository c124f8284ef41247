#include "skymap/overlay_geometry.h"

#include "core/numbers.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace ce {

namespace {

bool placeable(double value)
{
    return std::isfinite(value) && std::fabs(value) <= kMarkerCoordinateLimitPx;
}

QString unplaceableStarMessage(double U, double V, const TextLookup& lang)
{
    return lang.text(QStringLiteral("overlay.star_outside")).arg(formatDouble(U), formatDouble(V));
}

}  // namespace

PlaneToImage inverseOf(const PlateSolution& solution)
{
    return [solution](double U, double V) { return planeToPixel(solution, U, V); };
}

Result<MarkerCorner> starMarkerCorner(const PlateSolution& solution, double U, double V,
                                      double halfSizePx, const TextLookup& lang)
{
    return starMarkerCorner(inverseOf(solution), U, V, halfSizePx, lang);
}

Result<MarkerCorner> starMarkerCorner(const PlaneToImage& toImage, double U, double V,
                                      double halfSizePx, const TextLookup& lang)
{
    const std::optional<PixelPoint> p = toImage(U, V);
    if (!p)
        return Result<MarkerCorner>::success(MarkerCorner{});
    const double left = p->x - halfSizePx;
    const double top = p->y - halfSizePx;
    if (!placeable(left) || !placeable(top))
        return Result<MarkerCorner>::failure(unplaceableStarMessage(U, V, lang));
    return Result<MarkerCorner>::success(
        MarkerCorner{static_cast<float>(left), static_cast<float>(top)});
}

StarMarkerLayout layoutStarMarkers(const PlateSolution& solution, std::span<const double> starU,
                                   std::span<const double> starV, int count, double halfSizePx, const TextLookup& lang)
{
    return layoutStarMarkers(inverseOf(solution), starU, starV, count, halfSizePx, lang);
}

StarMarkerLayout layoutStarMarkers(const PlaneToImage& toImage, std::span<const double> starU,
                                   std::span<const double> starV, int count, double halfSizePx, const TextLookup& lang)
{
    StarMarkerLayout layout;
    const std::size_t slotCount = std::min(starU.size(), starV.size());
    const int n = slotCount > 0 ? std::clamp(count, 0, static_cast<int>(std::min<std::size_t>(slotCount - 1, 1 << 20)))
                            : 0;
    layout.corners.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const Result<MarkerCorner> corner = starMarkerCorner(toImage, starU[i], starV[i], halfSizePx, lang);
        if (!corner) {
            layout.failed = true;
            layout.error = corner.error();
            break;
        }
        layout.corners.push_back(*corner);
    }
    return layout;
}

PlanePoint fieldCentrePlane(double raDeg, double decDeg, double dRaDeg, double dDecDeg,
                            double corrAsd, double corrDec)
{
    return {(raDeg + dRaDeg) * corrAsd, (decDeg + dDecDeg) * corrDec};
}

bool insideImage(double x, double y, double widthPx, double heightPx)
{
    return 0.0 < x && x < widthPx && 0.0 < y && y < heightPx;
}

CrossBars centreCrossBars(double x, double y)
{
    return {Segment{x, y - kCentreBarHalfPx, x, y + kCentreBarHalfPx},
            Segment{x - kCentreBarHalfPx, y, x + kCentreBarHalfPx, y}};
}

Result<CentrePlacement> placeFieldCentre(const PlateSolution& solution, double raDeg,
                                         double decDeg, double dRaDeg, double dDecDeg,
                                         double corrAsd, double corrDec, double widthPx,
                                         double heightPx, const TextLookup& lang)
{
    return placeFieldCentre(inverseOf(solution), raDeg, decDeg, dRaDeg, dDecDeg, corrAsd, corrDec,
                            widthPx, heightPx, lang);
}

Result<CentrePlacement> placeFieldCentre(const PlaneToImage& toImage, double raDeg,
                                         double decDeg, double dRaDeg, double dDecDeg,
                                         double corrAsd, double corrDec, double widthPx,
                                         double heightPx, const TextLookup& lang)
{
    const PlanePoint centre = fieldCentrePlane(raDeg, decDeg, dRaDeg, dDecDeg, corrAsd, corrDec);
    const std::optional<PixelPoint> p = toImage(centre.U, centre.V);
    if (!p)
        return Result<CentrePlacement>::success(CentrePlacement{});
    // The bars reach 8 pixels beyond the centre; they must still be drawable.
    if (!placeable(p->x) || !placeable(p->y)
        || !placeable(std::fabs(p->x) + kCentreBarHalfPx) || !placeable(std::fabs(p->y) + kCentreBarHalfPx))
        return Result<CentrePlacement>::failure(
            lang.text(QStringLiteral("overlay.centre_outside")));
    return Result<CentrePlacement>::success(
        CentrePlacement{true, p->x, p->y, insideImage(p->x, p->y, widthPx, heightPx)});
}

}  // namespace ce
