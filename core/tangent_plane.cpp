#include "core/tangent_plane.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ce {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr double kBehindPlane = 1e-10;  // cos c at or below this: not projectable

double normalisedRaDeg(double raDeg)
{
    double r = std::fmod(raDeg, 360.0);
    if (r < 0.0) r += 360.0;
    if (r >= 360.0) r -= 360.0;  // −1e-17 + 360 rounds to 360
    return r;
}

}  // namespace

std::optional<StandardCoordinates> gnomonicProject(double raDeg, double decDeg, double ra0Deg,
                                                   double dec0Deg)
{
    const double da = (raDeg - ra0Deg) * kDegToRad;
    const double d = decDeg * kDegToRad, d0 = dec0Deg * kDegToRad;
    const double sd = std::sin(d), cd = std::cos(d), sd0 = std::sin(d0), cd0 = std::cos(d0);
    const double cda = std::cos(da);
    const double cosc = sd0 * sd + cd0 * cd * cda;  // cosine of the distance to the tangent point
    if (!(cosc > kBehindPlane)) return std::nullopt;
    return StandardCoordinates{cd * std::sin(da) / cosc * kRadToDeg,
                               (cd0 * sd - sd0 * cd * cda) / cosc * kRadToDeg};
}

SkyPoint gnomonicDeproject(double xiDeg, double etaDeg, double ra0Deg, double dec0Deg)
{
    const double xi = xiDeg * kDegToRad, eta = etaDeg * kDegToRad;
    const double d0 = dec0Deg * kDegToRad;
    const double sd0 = std::sin(d0), cd0 = std::cos(d0);
    const double den = cd0 - eta * sd0;
    const double ra = ra0Deg + std::atan2(xi, den) * kRadToDeg;
    const double dec = std::atan2(sd0 + eta * cd0, std::hypot(xi, den)) * kRadToDeg;
    return {normalisedRaDeg(ra), dec};
}

double determinant(const TanWcs& wcs)
{
    return wcs.cd11 * wcs.cd22 - wcs.cd12 * wcs.cd21;
}

double arcsecPerPixel(const TanWcs& wcs)
{
    return std::sqrt(std::abs(determinant(wcs))) * 3600.0;
}

SkyPoint pixelToSky(const TanWcs& wcs, double x, double y)
{
    const double dx = x - wcs.crpixX, dy = y - wcs.crpixY;
    return gnomonicDeproject(wcs.cd11 * dx + wcs.cd12 * dy, wcs.cd21 * dx + wcs.cd22 * dy,
                             wcs.crvalRaDeg, wcs.crvalDecDeg);
}

std::optional<PixelPoint> skyToPixel(const TanWcs& wcs, double raDeg, double decDeg)
{
    const double det = determinant(wcs);
    if (det == 0.0) return std::nullopt;
    const auto s = gnomonicProject(raDeg, decDeg, wcs.crvalRaDeg, wcs.crvalDecDeg);
    if (!s) return std::nullopt;
    // Inverse of the CD matrix applied to (ξ, η).
    return PixelPoint{wcs.crpixX + (wcs.cd22 * s->xiDeg - wcs.cd12 * s->etaDeg) / det,
                      wcs.crpixY + (wcs.cd11 * s->etaDeg - wcs.cd21 * s->xiDeg) / det};
}

double angularSeparationArcsec(const SkyPoint& a, const SkyPoint& b)
{
    const double d1 = a.decDeg * kDegToRad, d2 = b.decDeg * kDegToRad;
    const double sdd = std::sin((d2 - d1) / 2.0);
    const double sda = std::sin((b.raDeg - a.raDeg) * kDegToRad / 2.0);
    const double h = sdd * sdd + std::cos(d1) * std::cos(d2) * sda * sda;
    return 2.0 * std::asin(std::sqrt(std::min(h, 1.0))) * kRadToDeg * 3600.0;
}

std::optional<TanWcs> tanFromLinearSolution(const PlateSolution& solution, double corrAsd,
                                            double corrDec, double ra0Deg, double dec0Deg)
{
    if (corrAsd == 0.0 || corrDec == 0.0) return std::nullopt;
    const auto centre = planeToPixel(solution, ra0Deg * corrAsd, dec0Deg * corrDec);
    if (!centre) return std::nullopt;
    const double c0 = std::cos(dec0Deg * kDegToRad);
    TanWcs wcs;
    wcs.crvalRaDeg = normalisedRaDeg(ra0Deg);
    wcs.crvalDecDeg = dec0Deg;
    wcs.crpixX = centre->x;
    wcs.crpixY = centre->y;
    wcs.cd11 = c0 * solution.A / corrAsd;
    wcs.cd12 = c0 * solution.B / corrAsd;
    wcs.cd21 = solution.D / corrDec;
    wcs.cd22 = solution.E / corrDec;
    return wcs;
}

}  // namespace ce
