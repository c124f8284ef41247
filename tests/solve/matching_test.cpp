// Matching by mutual distances: distance tables, the candidate search with
// its 300 and 800 limits, the plate solution of a candidate, and the
// decision on drawn markers.
//
// Fields are built from one irregular five-star figure (all ten distances
// at least 3 pixels apart), so that with a tolerance of 1 the only
// agreements are the ones a test plants.

#include "solve/matching.h"
#include "solve/repeated_search.h"
#include "tests/core/key_echo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace ce {
namespace {

struct Point { double x, y; };

// The figure R1..R5 in the catalogue plane.
const Point kFigure[5] = {{0, 0}, {137, 12}, {41, 95}, {-88, 60}, {-30, -120}};

// The figure turned by 90° and moved in whole pixels: distances equal to the last bit.
Point turned(Point p) { return {500 - p.y, 300 + p.x}; }
Point mirrored(Point p) { return {700 - p.x, 300 + p.y}; }

struct Field {
    std::vector<double> starU{0.0}, starV{0.0};  // slot 0 unused
    std::vector<double> markX = std::vector<double>(kMarkSlots + 1, 0.0);
    std::vector<double> markY = std::vector<double>(kMarkSlots + 1, 0.0);

    void addStar(Point p) { starU.push_back(p.x), starV.push_back(p.y); }
    int count() const { return static_cast<int>(starU.size()) - 1; }
    void mark(int slot, Point p) { markX[slot] = p.x, markY[slot] = p.y; }
    void markFigure(Point (*move)(Point)) { for (int k = 0; k < 5; ++k) mark(k + 1, move(kFigure[k])); }
    CandidateSearch search(double tol, bool reference = false) const
    {
        const StarDistanceTable stars(starU, starV, count());
        return reference ? findCandidatesReference(markDistances(markX, markY), stars, tol)
                         : findCandidates(markDistances(markX, markY), stars, tol);
    }
    // The search over rows sorted once, as "5-Auto" repeats it.
    CandidateSearch searchSorted(double tol) const
    {
        const SortedStarDistances sorted(StarDistanceTable(starU, starV, count()));
        return findCandidates(markDistances(markX, markY), sorted, tol);
    }
    auto solve(const Candidate& c) const { return candidatePlateSolution(c, markX, markY, starU, starV); }
};

// copies[k] stars at the place of figure star k + 1, in that order, and the
// turned figure marked: the candidates are every choice of one copy each.
Field copiesField(const int (&copies)[5])
{
    Field f;
    for (int k = 0; k < 5; ++k)
        for (int c = 0; c < copies[k]; ++c) f.addStar(kFigure[k]);
    f.markFigure(turned);
    return f;
}

// The candidates of copiesField for one anchor, in search order (j, k, l, n nested).
std::vector<Candidate> expectedCopies(const int (&copies)[5], int anchor)
{
    int first[5] = {1};
    for (int k = 1; k < 5; ++k) first[k] = first[k - 1] + copies[k - 1];
    std::vector<Candidate> out;
    for (int j = 0; j < copies[1]; ++j)
        for (int k = 0; k < copies[2]; ++k)
            for (int l = 0; l < copies[3]; ++l)
                for (int n = 0; n < copies[4]; ++n)
                    out.push_back(Candidate{{anchor, first[1] + j, first[2] + k, first[3] + l, first[4] + n}});
    return out;
}

TEST(MatchingTables, EuclideanDistancesAndTheTableLimits)
{
    const std::vector<double> u(601, 1.0);
    EXPECT_EQ(StarDistanceTable(u, u, 600).count(), kDistanceTableSize);
    EXPECT_EQ(StarDistanceTable(u, u, -3).count(), 0);
    EXPECT_EQ(StarDistanceTable(std::vector<double>(11), std::vector<double>(11), 497).count(), 10);

    ReductionState state;
    state.starCount = 2;
    state.starU[1] = 3;
    state.starV[2] = 4;
    state.starU[3] = 1000;  // beyond starCount: ignored
    EXPECT_EQ(starDistances(state).count(), 2);
    EXPECT_EQ(starDistances(state)(2, 1), 5.0);
}

TEST(MatchingSearch, TurnedAndMirroredCopiesGiveOneCandidateAndItsSolution)
{
    // The figure in slots 4, 2, 6, 1, 3 among far stars that match nothing.
    Field f;
    for (const Point& p : {kFigure[3], kFigure[1], kFigure[4], kFigure[0], Point{5000, 5000}, kFigure[2]})
        f.addStar(p);
    f.markFigure(turned);
    const CandidateSearch s = f.search(1.0);
    ASSERT_EQ(s.candidates, (std::vector<Candidate>{Candidate{{4, 2, 6, 1, 3}}}));
    EXPECT_FALSE(s.tableFull);
    // Solved from R1..R3; R4 and R5 must land on their stars too.
    const auto plate = f.solve(s.candidates[0]);
    ASSERT_TRUE(plate.has_value());
    for (int k = 0; k < 5; ++k) {
        const PlanePoint p = pixelToPlane(*plate, f.markX[k + 1], f.markY[k + 1]);
        EXPECT_LT(std::hypot(p.U - f.starU[s.candidates[0].stars[k]], p.V - f.starV[s.candidates[0].stars[k]]), 1e-9)
            << "R" << k + 1;
    }

    // Slots outside the star table give no solution.
    EXPECT_FALSE(f.solve(Candidate{{4, 2, 9, 1, 3}}) || f.solve(Candidate{{0, 2, 6, 1, 3}}));
    Field m;
    for (const Point& p : kFigure) m.addStar(p);
    m.markFigure(mirrored);
    EXPECT_NEAR(determinant(*m.solve(m.search(1.0).candidates.at(0))), -1.0, 1e-12);  // x flipped, scale 1
}

TEST(MatchingSearch, DistanceOffByExactlyTheToleranceDoesNotAgree)
{
    // R5 on the x axis with R1: moving it 2 pixels lengthens R1-R5 by exactly 2, the others by less.
    const Point figure[5] = {{0, 0}, {137, 12}, {41, 95}, {-88, 60}, {-150, 0}};
    for (const double shift : {-2.0, 2.0}) {
        Field f;
        for (const Point& p : figure) f.addStar(p);
        for (int k = 0; k < 4; ++k) f.mark(k + 1, {figure[k].x + 1000, figure[k].y + 1000});
        f.mark(5, {figure[4].x - shift + 1000, 1000});
        EXPECT_TRUE(f.search(2.0).candidates.empty()) << shift;
        EXPECT_TRUE(f.search(2.0, true).candidates.empty()) << shift;
        EXPECT_TRUE(f.searchSorted(2.0).candidates.empty()) << shift;
        EXPECT_EQ(f.search(2.0 + 1e-9).candidates.size(), 1u) << shift;
        EXPECT_EQ(f.searchSorted(2.0 + 1e-9).candidates.size(), 1u) << shift;
    }
}

TEST(MatchingSearch, NoNewAnchorOnceMoreThanThreeHundredAreStored)
{
    struct Row { const char* name; int copies[5]; int anchorsSearched; };
    const Row rows[] = {
        {"exactly 300 is not more", {2, 2, 5, 30, 1}, 2},  // 2·5·30·1
        {"301", {3, 1, 7, 43, 1}, 1},
    };
    for (const Row& r : rows) {
        const Field f = copiesField(r.copies);
        std::vector<Candidate> want;
        for (int anchor = 1; anchor <= r.anchorsSearched; ++anchor) {
            const std::vector<Candidate> more = expectedCopies(r.copies, anchor);
            want.insert(want.end(), more.begin(), more.end());
        }
        for (const bool reference : {false, true})
            EXPECT_TRUE(!f.search(1.0, reference).tableFull && f.search(1.0, reference).candidates == want)
                << r.name << (reference ? " (reference)" : "");
        EXPECT_TRUE(!f.searchSorted(1.0).tableFull && f.searchSorted(1.0).candidates == want) << r.name << " (sorted)";
    }
}

TEST(MatchingSearch, TableOfEightHundredStopsTheSearch)
{
    const int over[5] = {1, 2, 5, 10, 9};  // 900 for anchor 1: the first 800 kept
    std::vector<Candidate> want = expectedCopies(over, 1);
    want.resize(kCandidateCapacity);
    for (const bool reference : {false, true})
        EXPECT_TRUE(copiesField(over).search(1.0, reference).tableFull &&
                    copiesField(over).search(1.0, reference).candidates == want) << reference;
    EXPECT_TRUE(copiesField(over).searchSorted(1.0).tableFull && copiesField(over).searchSorted(1.0).candidates == want);
    const int exact[5] = {1, 2, 5, 10, 8};
    const CandidateSearch full = copiesField(exact).search(1.0);
    EXPECT_TRUE(!full.tableFull && full.candidates.size() == 800u);
}

// The fast search and the search over sorted rows must give the candidates
// of the plain loops, in the same order, with the same stops: random fields, some with many coincident stars,
// then full dense fields as a calculation run meets them.
TEST(MatchingSearch, FastSearchEqualsReference)
{
    std::mt19937 rng(20261206);
    int empty = 0, some = 0, pastAnchorLimit = 0, full = 0;
    for (int field = 0; field < 400; ++field) {
        const int stars = std::uniform_int_distribution<int>(5, 120)(rng);
        std::uniform_real_distribution<double> coord(0, std::array<double, 3>{60, 250, 1200}[field % 3]);
        Field f;
        for (int i = 0; i < stars; ++i) {
            if (field % 4 == 0 && f.count() > 0 && rng() % 3 == 0) {  // repeats breed candidates
                const int src = 1 + static_cast<int>(rng() % f.count());
                f.addStar({f.starU[src], f.starV[src]});
            } else {
                f.addStar({std::round(coord(rng)), std::round(coord(rng))});
            }
        }
        const double angle = std::uniform_real_distribution<double>(0, 6.283)(rng);
        std::uniform_real_distribution<double> noise(-1.5, 1.5);
        for (int slot = 1; slot <= 9; ++slot) {
            const int src = 1 + static_cast<int>(rng() % f.count());
            const double u = f.starU[src], v = f.starV[src];
            f.mark(slot, {std::cos(angle) * u - std::sin(angle) * v + 40 + noise(rng),
                          std::sin(angle) * u + std::cos(angle) * v - 25 + noise(rng)});
        }
        const double tol = std::uniform_real_distribution<double>(0.5, 8.0)(rng);
        const CandidateSearch fast = f.search(tol), ref = f.search(tol, true), sorted = f.searchSorted(tol);
        ASSERT_EQ(fast.tableFull, ref.tableFull) << "field " << field;
        ASSERT_EQ(fast.candidates, ref.candidates) << "field " << field;
        ASSERT_EQ(sorted.tableFull, ref.tableFull) << "field " << field << " (sorted)";
        ASSERT_EQ(sorted.candidates, ref.candidates) << "field " << field << " (sorted)";
        ++(ref.tableFull                   ? full
           : ref.candidates.size() > 300 ? pastAnchorLimit
           : ref.candidates.empty()      ? empty
                                         : some);
    }
    // The comparison must have met every kind of outcome.
    EXPECT_TRUE(empty && some && pastAnchorLimit && full) << empty << " " << some << " " << pastAnchorLimit << " " << full;

    for (const unsigned seed : {11u, 12u, 13u}) {  // 497 stars, tolerance 7
        std::mt19937 dense(seed);
        std::uniform_real_distribution<double> coord(0, 450);
        Field f;
        for (int i = 0; i < kMatchingStarLimit; ++i) f.addStar({std::round(coord(dense)), std::round(coord(dense))});
        for (int slot = 1; slot <= 5; ++slot) {
            const int src = 1 + static_cast<int>(dense() % f.count());
            f.mark(slot, {f.starV[src] + 0.5, 900 - f.starU[src]});
        }
        const CandidateSearch fast = f.search(7.0), ref = f.search(7.0, true), sorted = f.searchSorted(7.0);
        EXPECT_FALSE(ref.candidates.empty()) << seed;
        EXPECT_TRUE(fast.tableFull == ref.tableFull && fast.candidates == ref.candidates) << seed;
        EXPECT_TRUE(sorted.tableFull == ref.tableFull && sorted.candidates == ref.candidates) << seed;
    }
}

TEST(MatchingDecision, WindowAndSettingsTexts)
{
    using ce::test::spoken;
    const ce::test::KeyEcho lang;
    // lo = round(−4 − T), hi = round(T − 4), halves to the even neighbour.
    struct Row { double threshold; int lo, hi; };
    const Row rows[] = {
        {1.5, -6, -2},  // −5.5 → −6, −2.5 → −2
        {10.6, -15, 7},
    };
    for (const Row& r : rows) {
        const Result<DecisionWindow> w = decisionWindow(r.threshold, lang);
        ASSERT_TRUE(w.ok()) << r.threshold;
        EXPECT_EQ(std::pair(int(w->lo), int(w->hi)), std::pair(r.lo, r.hi)) << r.threshold;
    }
    EXPECT_EQ(spoken(decisionWindow(40000, lang).error()), "number.overflow_field|field.threshold");

    // Either decimal separator, whatever the locale's.
    const Result<MatchingSettings> comma = readMatchingSettings(u" 7,5 ", u"2.5", u',', lang);
    ASSERT_TRUE(comma.ok()) << comma.error().toStdString();
    EXPECT_EQ(std::pair(comma->tolerance, int(comma->window.lo)), std::pair(7.5, -6));
    EXPECT_EQ(spoken(readMatchingSettings(u"7", u"10px", u'.', lang).error()), "number.not_a_number|field.threshold");
    // The tolerance is read first.
    EXPECT_EQ(spoken(readMatchingSettings(u"7;5", u"y", u',', lang).error()), "number.not_a_number|field.tolerance");
}

// A star marker centred on (x, y) has its corner at (x − 4, y − 4), a click marker at (x − 8, y − 8).
Marker starAt(double x, double y) { return Marker{float(x - 4), float(y - 4), kStarMarkerSize, true}; }
Marker clickAt(double x, double y) { return Marker{float(x - 8), float(y - 8), kClickMarkerSize, true}; }

TEST(MatchingDecision, CountsMarkedStarsLyingOnDrawnStars)
{
    // Threshold 10: both centre offsets strictly within ±10 pixels.
    const DecisionWindow w = *decisionWindow(10, ce::test::KeyEcho());
    const std::vector<Marker> clicks = {Marker{},          clickAt(100, 100), clickAt(200, 100),
                                        clickAt(300, 100), clickAt(400, 400), clickAt(50, 450)};
    struct Row { const char* name; std::vector<Marker> stars; int count; };  // stars: slot 0 first
    const Row rows[] = {
        {"four coincide", {Marker{}, starAt(101, 99), starAt(209, 91), starAt(300, 100), starAt(395, 405)}, 4},
        {"offset of exactly 10 is out",
         {Marker{}, starAt(110, 100), starAt(190, 100), starAt(300, 110), starAt(400, 390)}, 0},
        {"offset of 9.5 is in",
         {Marker{}, starAt(109.5, 100), starAt(190.5, 100), starAt(300, 109.5), starAt(400, 390.5)}, 4},
        {"one click on two stars twice",
         {Marker{}, starAt(95, 100), starAt(105, 100), starAt(50, 455), starAt(45, 445)}, 4},
    };
    for (const Row& r : rows) EXPECT_EQ(decisionCount(clicks, r.stars, int(r.stars.size()) - 1, w), r.count) << r.name;
    EXPECT_EQ(decisionCount(clicks, rows[0].stars, 3, w), 3);   // only stars 1..starCount
    EXPECT_EQ(decisionCount(clicks, rows[0].stars, 50, w), 4);  // clipped to the markers given

    // Four are needed unless the decider is unchecked; a failed map never offers.
    struct Offer { int count; bool decider, mapFailed, offered; };
    const Offer offers[] = {{3, true, false, false}, {4, true, false, true},  {0, false, false, true},
                            {9, false, true, false}, {4, true, true, false}};
    for (const Offer& o : offers)
        EXPECT_EQ(offerCandidate(effectiveDecisionCount(o.count, o.decider), o.mapFailed), o.offered)
            << o.count << " decider " << o.decider << " failed " << o.mapFailed;
}

}  // namespace
}  // namespace ce
