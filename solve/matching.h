#pragma once
// Matching the five marked stars against the catalogue by their mutual
// distances.
//
// Usage, as the calculation run does it:
//  1. readMatchingSettings(): tolerance and decision window from the entry
//     texts; a text that is not a number stops the run before any search.
//  2. markDistances() and starDistances(): the two distance tables.
//  3. findCandidates(): every set of five catalogue stars whose ten mutual
//     distances agree with those of the marked stars, in search order.
//  4. For each candidate s: candidatePlateSolution() (skip it when none),
//     draw the overlay, decisionCount() on the drawn markers,
//     effectiveDecisionCount() for the "Décideur" box, offerCandidate() to decide
//     whether the user is asked.
//
// Slot numbering follows the reduction: marked stars 1..9, catalogue stars
// 1..starCount, slot 0 unused.

#include "core/plate_solution.h"
#include "core/reduction_state.h"
#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ce {

inline constexpr int kReferenceStars = 5;          // R1..R5 take part in the search
inline constexpr int kMarkDistanceSlots = 9;       // markDist covers marks 1..9
inline constexpr int kCandidateCapacity = 800;     // rows of the candidate table
inline constexpr int kAnchorStopCount = 300;       // no new anchor once more are stored
inline constexpr int kDecisionQuorum = 4;          // coincidences needed to offer
inline constexpr double kStarMarkerHalfPx = kStarMarkerSize / 2.0;
inline constexpr double kClickMarkerHalfPx = kClickMarkerSize / 2.0;

// Distances in pixels between marked stars p and q, indices 1..9 (row and
// column 0 stay 0). Both triangles and the zero diagonal are filled.
using MarkDistanceTable = std::array<std::array<double, kMarkDistanceSlots + 1>, kMarkDistanceSlots + 1>;

// Given markX, markY indexed by slot (at least 10 elements, slot 0 unused).
// Returns markDist(p, q) = sqrt((markY(p) − markY(q))² + (markX(p) − markX(q))²).
MarkDistanceTable markDistances(std::span<const double> markX, std::span<const double> markY);
MarkDistanceTable markDistances(const ReductionState& state);

// Distances in plane units between catalogue stars 1..count, full square
// table in double precision.
class StarDistanceTable {
public:
    StarDistanceTable() = default;
    // Given starU, starV indexed by slot (slot 0 unused) and the number of
    // stars; count is clipped to 0..kDistanceTableSize and to the slots given.
    StarDistanceTable(std::span<const double> starU, std::span<const double> starV, int count);

    int count() const { return count_; }
    // Distance between stars p and q, both in 1..count().
    double operator()(int p, int q) const { return d_[static_cast<std::size_t>(p) * stride_ + q]; }
    // Row p as a contiguous block, element q for star q (element 0 unused).
    const double* row(int p) const { return d_.data() + static_cast<std::size_t>(p) * stride_; }

private:
    int count_ = 0;
    std::size_t stride_ = 1;
    std::vector<double> d_ = std::vector<double>(1, 0.0);
};

StarDistanceTable starDistances(const ReductionState& state);  // stars 1..starCount

// The agreement of a catalogue distance with an image distance: strictly
// less than the tolerance apart, tested as c + tol > m and c − tol < m
// (equality on either side rejects).
inline bool distancesAgree(double catalogueDist, double imageDist, double tolerance)
{
    return catalogueDist + tolerance > imageDist && catalogueDist - tolerance < imageDist;
}

// One candidate: the catalogue slot matched to each reference star,
// stars[k − 1] for Rk. The five slots need not differ.
struct Candidate {
    std::array<int, kReferenceStars> stars{};
    bool operator==(const Candidate&) const = default;
};

struct CandidateSearch {
    std::vector<Candidate> candidates;  // in the order found, at most 800
    bool tableFull = false;             // an 801st candidate was found: the search stopped there
};

// findCandidates: every candidate, in search order.
// Given:  the two distance tables and the tolerance in pixels.
// Returns: candidates (i, j, k, l, n) by ascending i, then j, k, l, n, such
//          that c(i,j)~m(1,2), c(j,k)~m(2,3), c(i,k)~m(1,3), c(i,l)~m(1,4),
//          c(i,n)~m(1,5), c(l,n)~m(4,5), c(l,k)~m(4,3), c(l,j)~m(4,2),
//          c(n,j)~m(5,2), c(n,k)~m(5,3), with ~ the agreement above.
// Notes:
//  1. No new anchor i is taken once more than 300 candidates are stored;
//     all the candidates of the anchor in progress are kept, so the count
//     may end above 300.
//  2. The table holds 800: when one more is found the search stops with
//     tableFull set and the first 800 kept.
//  3. Same result as findCandidatesReference(), much faster on dense
//     fields: each anchor's agreeing partners are listed once.
CandidateSearch findCandidates(const MarkDistanceTable& markDist, const StarDistanceTable& starDist,
                               double tolerance);

// The plain nested loops i, j, k, l, n with the tests in the order above;
// kept as the yardstick for findCandidates().
CandidateSearch findCandidatesReference(const MarkDistanceTable& markDist,
                                        const StarDistanceTable& starDist, double tolerance);

// candidatePlateSolution: the plate solution of a candidate.
// Given:  the candidate, markX/markY by slot (R1..R3 in slots 1..3) and
//         starU/starV by slot.
// Returns: the solution mapping R1, R2, R3 exactly onto the catalogue stars
//          of columns 1, 2, 3 (solveFromThreePairs), or none when R1, R2, R3
//          lie on one line: such a candidate is skipped, never offered.
// Notes:
//  1. D depends on the marked stars only, so with R1, R2, R3 on one line
//     every candidate of the run is skipped.
//  2. A candidate naming a catalogue slot outside the tables gives none.
std::optional<PlateSolution> candidatePlateSolution(const Candidate& candidate,
                                                    std::span<const double> markX,
                                                    std::span<const double> markY,
                                                    std::span<const double> starU,
                                                    std::span<const double> starV);
std::optional<PlateSolution> candidatePlateSolution(const Candidate& candidate,
                                                    const ReductionState& state);

// The decision window: offsets between star-marker and click-marker
// top-left corners that count as a coincidence.
struct DecisionWindow {
    std::int16_t lo = 0;  // round(−4 − T), halves to even
    std::int16_t hi = 0;  // round(T − 4), halves to even
};

// decisionWindow: from the decision threshold T in pixels. The 4 is the
// difference of the half sizes of the click marker (8) and the star
// marker (4). Fails with `lang`'s number.overflow_field naming the decision
// threshold field when either bound does not fit a 16-bit integer.
Result<DecisionWindow> decisionWindow(double thresholdPx, const TextLookup& lang);

struct MatchingSettings {
    double tolerance = 0.0;   // pixels
    DecisionWindow window;
};

// readMatchingSettings: the tolerance text (field.tolerance) and the
// decision threshold text (field.threshold), each read by the locale rule
// with the given decimal separator. The first text that is not a number
// gives the type-mismatch message naming its field.
Result<MatchingSettings> readMatchingSettings(QStringView toleranceText, QStringView thresholdText,
                                              QChar decimalPoint, const TextLookup& lang);

// decisionCount: coincidences between click markers and drawn star markers.
// Given:  click markers by slot (1..5 used), star markers by slot
//         (1..starCount used), starCount and the decision window.
// Returns: the number of pairs (q, n), q in 1..5, n in 1..starCount, with,
//          in single precision on the top-left corners,
//            lo + left(star n) < left(click q) < hi + left(star n)  and
//            lo + top(star n)  < top(click q)  < hi + top(star n).
// Notes:
//  1. A click marker near two drawn stars counts twice; the count may
//     exceed 5. Visibility is not looked at: the markers are where the last
//     drawing put them.
//  2. starCount is clipped to the star markers given.
int decisionCount(std::span<const Marker> clickMarkers, std::span<const Marker> starMarkers,
                  int starCount, DecisionWindow window);

// With the "Décideur" box unchecked every drawn candidate counts as 4.
inline int effectiveDecisionCount(int count, bool deciderChecked)
{
    return deciderChecked ? count : kDecisionQuorum;
}

// Whether a candidate is put to the user: drawn without failure and with
// at least 4 coincidences.
inline bool offerCandidate(int effectiveCount, bool mapFailed)
{
    return !mapFailed && effectiveCount >= kDecisionQuorum;
}

}  // namespace ce
