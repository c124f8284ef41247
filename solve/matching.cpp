#include "solve/matching.h"

#include "core/numbers.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace ce {

namespace {

// Number of slots usable in 1..wanted when the tables hold `size` elements
// (slot 0 included).
int usableSlots(int wanted, std::size_t size)
{
    const int available = size > 0 ? static_cast<int>(std::min<std::size_t>(size - 1, 1 << 20)) : 0;
    return std::clamp(wanted, 0, available);
}

}  // namespace

MarkDistanceTable markDistances(std::span<const double> markX, std::span<const double> markY)
{
    MarkDistanceTable table{};
    const int n = usableSlots(kMarkDistanceSlots, std::min(markX.size(), markY.size()));
    for (int p = 1; p <= n; ++p) {
        for (int q = 1; q <= n; ++q) {
            const double dy = markY[p] - markY[q];
            const double dx = markX[p] - markX[q];
            table[p][q] = std::sqrt(dy * dy + dx * dx);
        }
    }
    return table;
}

MarkDistanceTable markDistances(const ReductionState& state)
{
    return markDistances(state.markX, state.markY);
}

StarDistanceTable::StarDistanceTable(std::span<const double> starU, std::span<const double> starV,
                                     int count)
{
    count_ = usableSlots(std::min(count, kDistanceTableSize), std::min(starU.size(), starV.size()));
    stride_ = static_cast<std::size_t>(count_) + 1;
    d_.assign(stride_ * stride_, 0.0);
    for (int p = 1; p <= count_; ++p) {
        double* r = d_.data() + static_cast<std::size_t>(p) * stride_;
        for (int q = 1; q <= count_; ++q) {
            const double du = starU[p] - starU[q];
            const double dv = starV[p] - starV[q];
            r[q] = std::sqrt(du * du + dv * dv);
        }
    }
}

StarDistanceTable starDistances(const ReductionState& state)
{
    return StarDistanceTable(state.starU, state.starV, state.starCount);
}

std::optional<PlateSolution> candidatePlateSolution(const Candidate& candidate,
                                                    std::span<const double> markX,
                                                    std::span<const double> markY,
                                                    std::span<const double> starU,
                                                    std::span<const double> starV)
{
    if (usableSlots(3, std::min(markX.size(), markY.size())) < 3)
        return std::nullopt;
    const std::size_t stars = std::min(starU.size(), starV.size());
    for (int k = 0; k < 3; ++k) {
        const int s = candidate.stars[k];
        if (s < 1 || static_cast<std::size_t>(s) >= stars)
            return std::nullopt;
    }
    const int s1 = candidate.stars[0], s2 = candidate.stars[1], s3 = candidate.stars[2];
    return solveFromThreePairs(markX[1], markY[1], starU[s1], starV[s1],
                               markX[2], markY[2], starU[s2], starV[s2],
                               markX[3], markY[3], starU[s3], starV[s3]);
}

std::optional<PlateSolution> candidatePlateSolution(const Candidate& candidate,
                                                    const ReductionState& state)
{
    return candidatePlateSolution(candidate, state.markX, state.markY, state.starU, state.starV);
}

Result<DecisionWindow> decisionWindow(double thresholdPx, const TextLookup& lang)
{
    const double offset = kClickMarkerHalfPx - kStarMarkerHalfPx;
    const std::optional<std::int16_t> lo = toInt16(-offset - thresholdPx);
    const std::optional<std::int16_t> hi = toInt16(thresholdPx - offset);
    if (!lo || !hi)
        return Result<DecisionWindow>::failure(lang.text(QStringLiteral("number.overflow_field"))
                                                   .arg(lang.text(QStringLiteral("field.threshold"))));
    return Result<DecisionWindow>::success(DecisionWindow{*lo, *hi});
}

Result<MatchingSettings> readMatchingSettings(QStringView toleranceText, QStringView thresholdText,
                                              QChar decimalPoint, const TextLookup& lang)
{
    const Result<double> tolerance = fieldNumber(toleranceText, "field.tolerance", decimalPoint, lang);
    if (!tolerance)
        return Result<MatchingSettings>::failure(tolerance.error());
    const Result<double> threshold = fieldNumber(thresholdText, "field.threshold", decimalPoint, lang);
    if (!threshold)
        return Result<MatchingSettings>::failure(threshold.error());
    const Result<DecisionWindow> window = decisionWindow(*threshold, lang);
    if (!window)
        return Result<MatchingSettings>::failure(window.error());
    return Result<MatchingSettings>::success(MatchingSettings{*tolerance, *window});
}

int decisionCount(std::span<const Marker> clickMarkers, std::span<const Marker> starMarkers,
                  int starCount, DecisionWindow window)
{
    const int clicks = usableSlots(kClickMarkers, clickMarkers.size());
    const int stars = usableSlots(starCount, starMarkers.size());
    // The bounds are 16-bit whole numbers added to single-precision corners:
    // the sums are formed in single precision, as the markers hold them.
    const float lo = window.lo;
    const float hi = window.hi;
    int count = 0;
    for (int q = 1; q <= clicks; ++q) {
        const Marker& click = clickMarkers[q];
        for (int n = 1; n <= stars; ++n) {
            const Marker& star = starMarkers[n];
            if (lo + star.left < click.left && click.left < hi + star.left
                && lo + star.top < click.top && click.top < hi + star.top)
                ++count;
        }
    }
    return count;
}

}  // namespace ce
