#include "tools/demo_field/click_sets.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <set>

namespace ce::demo {

namespace {

constexpr int kDrawsPerSet = 2000;
constexpr int kDrawsPerClick = 100;

// The smallest height of the triangle (a, b, c): twice its area over its
// longest side.
double smallestHeight(const PlacedStar& a, const PlacedStar& b, const PlacedStar& c)
{
    const double twiceArea = std::fabs((b.xPx - a.xPx) * (c.yPx - a.yPx) - (c.xPx - a.xPx) * (b.yPx - a.yPx));
    const double longest = std::max({std::hypot(b.xPx - a.xPx, b.yPx - a.yPx), std::hypot(c.xPx - a.xPx, c.yPx - a.yPx),
                                     std::hypot(c.xPx - b.xPx, c.yPx - b.yPx)});
    return longest > 0 ? twiceArea / longest : 0;
}

}  // namespace

std::vector<FiveStarClicks> offCentreClickSets(const DemoField& field, int setCount, std::uint64_t seed,
                                               const ClickSetOptions& o)
{
    const int width = field.image.width(), height = field.image.height();
    const double side = std::min(width, height);
    std::vector<int> candidates;
    for (std::size_t i = 0; i < field.stars.size(); ++i) {
        const DemoStar& s = field.stars[i];
        if (s.inImage && s.drawn && s.placed.xPx >= o.borderMarginPx && s.placed.yPx >= o.borderMarginPx &&
            s.placed.xPx <= width - 1 - o.borderMarginPx && s.placed.yPx <= height - 1 - o.borderMarginPx)
            candidates.push_back(static_cast<int>(i));
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](int a, int b) { return field.stars[a].placed.magR < field.stars[b].placed.magR; });
    if (candidates.size() > static_cast<std::size_t>(std::max(o.brightestCount, 0)))
        candidates.resize(static_cast<std::size_t>(std::max(o.brightestCount, 0)));

    std::vector<FiveStarClicks> sets;
    if (candidates.size() < 5)
        return sets;
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::set<std::array<int, 5>> seen;
    const auto star = [&](int i) -> const PlacedStar& { return field.stars[i].placed; };
    for (int draw = 0; static_cast<int>(sets.size()) < setCount && draw < kDrawsPerSet * setCount; ++draw) {
        std::shuffle(candidates.begin(), candidates.end(), random);
        std::array<int, 5> chosen;
        std::copy_n(candidates.begin(), 5, chosen.begin());
        bool spread = true;
        for (int a = 0; a < 5 && spread; ++a)
            for (int b = a + 1; b < 5 && spread; ++b) {
                const PlacedStar &sa = star(chosen[a]), &sb = star(chosen[b]);
                spread = std::hypot(sa.xPx - sb.xPx, sa.yPx - sb.yPx) >= o.minSeparationFraction * side;
                for (int c = b + 1; c < 5 && spread; ++c)
                    spread = smallestHeight(star(chosen[a]), star(chosen[b]), star(chosen[c])) >=
                             o.minTriangleHeightFraction * side;
            }
        std::array<int, 5> key = chosen;
        std::sort(key.begin(), key.end());
        if (!spread || !seen.insert(key).second)
            continue;
        FiveStarClicks clicks;
        for (int k = 0; k < 5; ++k) {
            const PlacedStar& s = star(chosen[k]);
            // Rounding to a whole pixel may carry the click past the limit:
            // draw again, and below a pixel's reach take the nearest pixel.
            QPoint click(static_cast<int>(std::lround(s.xPx)), static_cast<int>(std::lround(s.yPx)));
            for (int attempt = 0; attempt < kDrawsPerClick; ++attempt) {
                const double distance = o.maxOffsetPx * unit(random);
                const double angle = 2.0 * std::numbers::pi * unit(random);
                const QPoint drawn(static_cast<int>(std::lround(s.xPx + distance * std::cos(angle))),
                                   static_cast<int>(std::lround(s.yPx + distance * std::sin(angle))));
                if (std::hypot(drawn.x() - s.xPx, drawn.y() - s.yPx) <= o.maxOffsetPx) {
                    click = drawn;
                    break;
                }
            }
            clicks[k] = {chosen[k], click};
        }
        sets.push_back(clicks);
    }
    return sets;
}

}  // namespace ce::demo
