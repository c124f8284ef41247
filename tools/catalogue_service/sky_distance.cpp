#include "tools/catalogue_service/sky_distance.h"

#include <cmath>
#include <numbers>

namespace ce::service {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

}  // namespace

double angularDistanceDeg(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg)
{
    const double dRa = (ra2Deg - ra1Deg) * kRadPerDeg;
    const double d1 = dec1Deg * kRadPerDeg;
    const double d2 = dec2Deg * kRadPerDeg;
    // Components of the cross and dot products of the two unit vectors.
    const double across = std::cos(d2) * std::sin(dRa);
    const double along = std::cos(d1) * std::sin(d2) - std::sin(d1) * std::cos(d2) * std::cos(dRa);
    const double dot = std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos(dRa);
    return std::atan2(std::hypot(across, along), dot) / kRadPerDeg;
}

double positionAngleDeg(double raCentreDeg, double decCentreDeg, double raDeg, double decDeg)
{
    const double dRa = (raDeg - raCentreDeg) * kRadPerDeg;
    const double d0 = decCentreDeg * kRadPerDeg;
    const double d = decDeg * kRadPerDeg;
    const double east = std::cos(d) * std::sin(dRa);
    const double north = std::cos(d0) * std::sin(d) - std::sin(d0) * std::cos(d) * std::cos(dRa);
    double angle = std::atan2(east, north) / kRadPerDeg;
    if (angle < 0)
        angle += 360.0;
    return angle >= 360.0 ? 0.0 : angle;
}

}  // namespace ce::service
