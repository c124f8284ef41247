// The candidate search of the matching: the reference nested loops and the
// faster search that gives the same candidates in the same order.

#include "solve/matching.h"
#include "solve/repeated_search.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace ce {

namespace {

// Collects candidates under the two limits of the table: no new anchor once
// more than 300 are stored, and at most 800 in all.
class CandidateSink {
public:
    // False when the table was already full: the search must stop.
    bool add(int i, int j, int k, int l, int n)
    {
        if (result_.candidates.size() >= static_cast<std::size_t>(kCandidateCapacity)) {
            result_.tableFull = true;
            return false;
        }
        result_.candidates.push_back(Candidate{{i, j, k, l, n}});
        return true;
    }
    bool anchorAllowed() const
    {
        return result_.candidates.size() <= static_cast<std::size_t>(kAnchorStopCount);
    }
    bool stopped() const { return result_.tableFull; }
    CandidateSearch take() { return std::move(result_); }

private:
    CandidateSearch result_;
};

// The ten image distances the search compares against, by name.
struct ImageDistances {
    double m12, m13, m14, m15, m23, m43, m42, m45, m52, m53;
    explicit ImageDistances(const MarkDistanceTable& m)
        : m12(m[1][2]), m13(m[1][3]), m14(m[1][4]), m15(m[1][5]), m23(m[2][3]), m43(m[4][3]),
          m42(m[4][2]), m45(m[4][5]), m52(m[5][2]), m53(m[5][3])
    {
    }
};

}  // namespace

CandidateSearch findCandidatesReference(const MarkDistanceTable& markDist,
                                        const StarDistanceTable& c, double tol)
{
    const ImageDistances m(markDist);
    const int count = c.count();
    CandidateSink sink;
    for (int i = 1; i <= count && sink.anchorAllowed(); ++i) {
        for (int j = 1; j <= count; ++j) {
            if (!distancesAgree(c(i, j), m.m12, tol))
                continue;
            for (int k = 1; k <= count; ++k) {
                if (!distancesAgree(c(j, k), m.m23, tol) || !distancesAgree(c(i, k), m.m13, tol))
                    continue;
                for (int l = 1; l <= count; ++l) {
                    if (!distancesAgree(c(i, l), m.m14, tol))
                        continue;
                    for (int n = 1; n <= count; ++n) {
                        if (distancesAgree(c(i, n), m.m15, tol) && distancesAgree(c(l, n), m.m45, tol)
                            && distancesAgree(c(l, k), m.m43, tol) && distancesAgree(c(l, j), m.m42, tol)
                            && distancesAgree(c(n, j), m.m52, tol) && distancesAgree(c(n, k), m.m53, tol)) {
                            if (!sink.add(i, j, k, l, n))
                                return sink.take();
                        }
                    }
                }
            }
        }
    }
    return sink.take();
}

namespace {

// The loops of the search over each anchor's partner lists. `list(i)` fills
// the partners of anchor i that agree with m(1,2), m(1,3), m(1,4), m(1,5),
// each list ascending.
template <typename ListPartners>
CandidateSearch searchOverPartners(const MarkDistanceTable& markDist, const StarDistanceTable& c,
                                   double tol, ListPartners list)
{
    const ImageDistances m(markDist);
    const int count = c.count();
    CandidateSink sink;
    std::vector<int> partnersJ, partnersK, partnersL, partnersN;
    for (int i = 1; i <= count && sink.anchorAllowed(); ++i) {
        if (!list(i, m, partnersJ, partnersK, partnersL, partnersN))
            continue;
        for (const int j : partnersJ) {
            const double* cj = c.row(j);
            for (const int k : partnersK) {
                if (!distancesAgree(cj[k], m.m23, tol))
                    continue;
                const double* ck = c.row(k);
                for (const int l : partnersL) {
                    const double* cl = c.row(l);
                    if (!distancesAgree(cl[k], m.m43, tol) || !distancesAgree(cl[j], m.m42, tol))
                        continue;
                    for (const int n : partnersN) {
                        if (distancesAgree(cl[n], m.m45, tol) && distancesAgree(cj[n], m.m52, tol)
                            && distancesAgree(ck[n], m.m53, tol)) {
                            if (!sink.add(i, j, k, l, n))
                                return sink.take();
                        }
                    }
                }
            }
        }
    }
    return sink.take();
}

}  // namespace

CandidateSearch findCandidates(const MarkDistanceTable& markDist, const StarDistanceTable& c,
                               double tol)
{
    // Every test of the search but three pairs the anchor i with one other
    // star, so the partners of i that agree with m(1,2), m(1,3), m(1,4) and
    // m(1,5) are listed once per anchor, in ascending order; the loops then
    // run over these short lists only. The tests on (l, k) and (l, j) do not
    // depend on n and are made before the n loop. The tests are the same
    // comparisons on the same numbers and the lists keep ascending order,
    // so the candidates and their order are those of the plain loops.
    const int count = c.count();
    return searchOverPartners(markDist, c, tol,
                              [&](int i, const ImageDistances& m, std::vector<int>& partnersJ,
                                  std::vector<int>& partnersK, std::vector<int>& partnersL,
                                  std::vector<int>& partnersN) {
                                  const double* ci = c.row(i);
                                  partnersJ.clear();
                                  partnersK.clear();
                                  partnersL.clear();
                                  partnersN.clear();
                                  for (int q = 1; q <= count; ++q) {
                                      const double d = ci[q];
                                      if (distancesAgree(d, m.m12, tol)) partnersJ.push_back(q);
                                      if (distancesAgree(d, m.m13, tol)) partnersK.push_back(q);
                                      if (distancesAgree(d, m.m14, tol)) partnersL.push_back(q);
                                      if (distancesAgree(d, m.m15, tol)) partnersN.push_back(q);
                                  }
                                  return !partnersK.empty() && !partnersL.empty() && !partnersN.empty();
                              });
}

SortedStarDistances::SortedStarDistances(StarDistanceTable table) : table_(std::move(table))
{
    const int count = table_.count();
    offsets_.assign(std::size_t(count) + 2, 0);
    std::vector<std::pair<double, int>> row;
    for (int p = 1; p <= count; ++p) {
        offsets_[std::size_t(p)] = int(sorted_.size());
        row.clear();
        const double* cp = table_.row(p);
        for (int q = 1; q <= count; ++q)
            if (!std::isnan(cp[q])) row.emplace_back(cp[q], q);
        std::sort(row.begin(), row.end());
        for (const auto& [d, q] : row) {
            sorted_.push_back(d);
            stars_.push_back(q);
        }
    }
    offsets_[std::size_t(count) + 1] = int(sorted_.size());
}

void SortedStarDistances::partners(int p, double imageDist, double tolerance, std::vector<int>& out) const
{
    out.clear();
    const auto first = sorted_.begin() + offsets_[std::size_t(p)];
    const auto last = sorted_.begin() + offsets_[std::size_t(p) + 1];
    // A range a little wider than the tolerance, then the exact test: the
    // sum c + tol may round across the boundary that c > m − tol draws.
    const double margin = 1e-9 * (std::abs(imageDist) + std::abs(tolerance) + 1.0);
    auto it = std::lower_bound(first, last, imageDist - tolerance - margin);
    const auto end = std::upper_bound(it, last, imageDist + tolerance + margin);
    for (; it != end; ++it)
        if (distancesAgree(*it, imageDist, tolerance)) out.push_back(stars_[std::size_t(it - sorted_.begin())]);
    std::sort(out.begin(), out.end());
}

CandidateSearch findCandidates(const MarkDistanceTable& markDist, const SortedStarDistances& sorted,
                               double tol)
{
    return searchOverPartners(markDist, sorted.table(), tol,
                              [&](int i, const ImageDistances& m, std::vector<int>& partnersJ,
                                  std::vector<int>& partnersK, std::vector<int>& partnersL,
                                  std::vector<int>& partnersN) {
                                  sorted.partners(i, m.m13, tol, partnersK);
                                  if (partnersK.empty()) return false;
                                  sorted.partners(i, m.m14, tol, partnersL);
                                  if (partnersL.empty()) return false;
                                  sorted.partners(i, m.m15, tol, partnersN);
                                  if (partnersN.empty()) return false;
                                  sorted.partners(i, m.m12, tol, partnersJ);
                                  return true;
                              });
}

}  // namespace ce
