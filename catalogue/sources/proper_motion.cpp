#include "catalogue/sources/proper_motion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ce {

SkyPosition propagateLinear(double raDeg, double decDeg, double pmRaMasPerYear,
                            double pmDecMasPerYear, double fromYear, double toYear)
{
    constexpr double kMasPerDegree = 3'600'000.0;
    const double years = toYear - fromYear;
    const double cosDec = std::cos(decDeg * std::numbers::pi / 180.0);
    SkyPosition p;
    p.decDeg = std::clamp(decDeg + pmDecMasPerYear * years / kMasPerDegree, -90.0, 90.0);
    const double dRa = std::abs(90.0 - std::abs(decDeg)) < 1e-9
                           ? 0.0
                           : pmRaMasPerYear * years / kMasPerDegree / cosDec;
    p.raDeg = std::fmod(raDeg + dRa, 360.0);
    if (p.raDeg < 0)
        p.raDeg += 360.0;
    return p;
}

}  // namespace ce
