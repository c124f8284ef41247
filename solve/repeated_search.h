#pragma once
// The matching's candidate search repeated over one catalogue: "5-Auto"
// asks findCandidates() for hundreds of five-star sets against the same
// catalogue distance table. Each row of that table is sorted once, so that
// the partners of an anchor at a given distance are found by a binary
// search instead of a scan of the whole row.
//
// Usage:
//  1. SortedStarDistances sorted(starDistances(state));  (once per catalogue)
//  2. findCandidates(markDistances(state), sorted, tolerance) per set: the
//     same candidates, in the same order, as findCandidates() over the table.

#include "solve/matching.h"

#include <vector>

namespace ce {

class SortedStarDistances {
public:
    // Given the distance table (kept by value). Distances that are not
    // numbers are left out of the sorted rows: they agree with nothing.
    explicit SortedStarDistances(StarDistanceTable table);

    const StarDistanceTable& table() const { return table_; }

    // Into `out` (cleared first): the stars q of 1..count, ascending, whose
    // distance to p agrees with imageDist within the tolerance
    // (distancesAgree, the same test on the same numbers).
    void partners(int p, double imageDist, double tolerance, std::vector<int>& out) const;

private:
    StarDistanceTable table_;
    std::vector<int> offsets_;     // row p starts at offsets_[p] in the arrays below
    std::vector<double> sorted_;   // each row's distances, ascending
    std::vector<int> stars_;       // the star of each sorted distance
};

// findCandidates over the sorted table: the result of
// findCandidates(markDist, sorted.table(), tolerance).
CandidateSearch findCandidates(const MarkDistanceTable& markDist, const SortedStarDistances& sorted,
                               double tolerance);

}  // namespace ce
