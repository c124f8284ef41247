#include "tools/demo_field/synthetic_catalogue.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <random>

namespace ce::demo {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

// Stars per zone of the catalogue, for identifier numbers of the right size:
// the number grows with right ascension through the zone.
constexpr double kStarsPerZone = 30'000'000.0;

double roundTo(double value, double step)
{
    return std::round(value / step) * step;
}

// The point at `distanceDeg` from the centre in the direction
// `angleDeg` (north through east).
service::CatalogueStar offsetFrom(double ra0Deg, double dec0Deg, double distanceDeg, double angleDeg)
{
    const double d0 = dec0Deg * kRadPerDeg;
    const double c = distanceDeg * kRadPerDeg;
    const double t = angleDeg * kRadPerDeg;
    const double dec = std::asin(std::sin(d0) * std::cos(c) + std::cos(d0) * std::sin(c) * std::cos(t));
    const double dRa = std::atan2(std::sin(t) * std::sin(c) * std::cos(d0), std::cos(c) - std::sin(d0) * std::sin(dec));
    service::CatalogueStar star;
    star.raDeg = std::fmod(ra0Deg + dRa / kRadPerDeg + 360.0, 360.0);
    star.decDeg = dec / kRadPerDeg;
    return star;
}

}  // namespace

QString usnoZone(double decDeg)
{
    const int band = std::clamp(static_cast<int>(std::floor((decDeg + 90.0) / 7.5)), 0, 23);
    return QStringLiteral("%1").arg(band * 75, 4, 10, QLatin1Char('0'));
}

std::vector<service::CatalogueStar> makeSyntheticCatalogue(const SyntheticCatalogueParameters& p)
{
    std::mt19937_64 random(p.seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double cosRadius = std::cos(p.radiusArcmin / 60.0 * kRadPerDeg);
    // Cumulative counts N(<m) proportional to 10^(slope (m - magMin)) - 1.
    const double countRange = std::pow(10.0, p.countSlope * (p.magMax - p.magMin)) - 1.0;

    std::vector<service::CatalogueStar> stars;
    stars.reserve(static_cast<std::size_t>(std::max(p.starCount, 0)));
    for (int i = 0; i < p.starCount; ++i) {
        // Even over the cap: the cosine of the distance is uniform.
        const double distanceDeg = std::acos(1.0 - unit(random) * (1.0 - cosRadius)) / kRadPerDeg;
        const double angleDeg = 360.0 * unit(random);
        service::CatalogueStar star = offsetFrom(p.centreRaDeg, p.centreDecDeg, distanceDeg, angleDeg);
        star.raDeg = roundTo(star.raDeg, 1e-5);
        if (star.raDeg >= 360.0)
            star.raDeg -= 360.0;
        star.decDeg = roundTo(star.decDeg, 1e-5);
        const double magR = p.magMin + std::log10(1.0 + unit(random) * countRange) / p.countSlope;
        star.magR = std::min(roundTo(magR, 0.1), roundTo(p.magMax, 0.1));
        star.magB = roundTo(star.magR + 0.3 + 1.2 * unit(random), 0.1);
        stars.push_back(star);
    }

    // Number the stars of each zone by increasing right ascension.
    std::map<QString, std::vector<service::CatalogueStar*>> zones;
    for (service::CatalogueStar& s : stars)
        zones[usnoZone(s.decDeg)].push_back(&s);
    for (auto& [zone, members] : zones) {
        std::stable_sort(members.begin(), members.end(),
                         [](const auto* a, const auto* b) { return a->raDeg < b->raDeg; });
        long long previous = 0;
        for (service::CatalogueStar* s : members) {
            const auto number = std::max(static_cast<long long>(s->raDeg / 360.0 * kStarsPerZone), previous + 1);
            s->id = QStringLiteral("U%1_%2").arg(zone).arg(number, 8, 10, QLatin1Char('0'));
            previous = number;
        }
    }
    std::sort(stars.begin(), stars.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return stars;
}

}  // namespace ce::demo
