// Matching by mutual distances: distance tables, the agreement test, the
// candidate search with its 300 and 800 limits, the plate solution of a
// candidate, and the decision on drawn markers.
//
// Fields are built from one irregular five-star figure (all ten distances
// at least 3 pixels apart), so that with a tolerance of 1 the only
// agreements are the ones a test plants; expected candidates follow from
// where the stars were put.

#include "solve/matching.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace ce {
namespace {

struct Point {
    double x, y;
};

// The figure R1..R5 in the catalogue plane.
const Point kFigure[5] = {{0, 0}, {137, 12}, {41, 95}, {-88, 60}, {-30, -120}};

// The marked stars: the figure turned by 90° and moved, in whole pixels, so
// their distances equal the catalogue ones to the last bit.
Point turned(Point p)
{
    return {500 - p.y, 300 + p.x};
}
Point mirrored(Point p)
{
    return {700 - p.x, 300 + p.y};
}

struct Field {
    std::vector<double> starU{0.0}, starV{0.0};  // slot 0 unused
    std::vector<double> markX = std::vector<double>(kMarkSlots + 1, 0.0);
    std::vector<double> markY = std::vector<double>(kMarkSlots + 1, 0.0);

    int addStar(Point p)
    {
        starU.push_back(p.x);
        starV.push_back(p.y);
        return count();
    }
    int count() const { return static_cast<int>(starU.size()) - 1; }
    void mark(int slot, Point p)
    {
        markX[slot] = p.x;
        markY[slot] = p.y;
    }
    void markFigure(Point (*transform)(Point))
    {
        for (int k = 0; k < 5; ++k)
            mark(k + 1, transform(kFigure[k]));
    }
    CandidateSearch search(double tol) const
    {
        return findCandidates(markDistances(markX, markY), StarDistanceTable(starU, starV, count()), tol);
    }
    CandidateSearch reference(double tol) const
    {
        return findCandidatesReference(markDistances(markX, markY),
                                       StarDistanceTable(starU, starV, count()), tol);
    }
};

// A field holding copies[k] stars at the place of figure star k + 1, in
// that order, and the turned figure marked. Its candidates are every
// choice of one copy per figure star, anchors first.
Field copiesField(const int (&copies)[5])
{
    Field f;
    for (int k = 0; k < 5; ++k)
        for (int c = 0; c < copies[k]; ++c)
            f.addStar(kFigure[k]);
    f.markFigure(turned);
    return f;
}

// The candidates of copiesField for one anchor slot, in search order.
std::vector<Candidate> expectedCopies(const int (&copies)[5], int anchor)
{
    int first[5];
    first[0] = 1;
    for (int k = 1; k < 5; ++k)
        first[k] = first[k - 1] + copies[k - 1];
    std::vector<Candidate> out;
    for (int j = 0; j < copies[1]; ++j)
        for (int k = 0; k < copies[2]; ++k)
            for (int l = 0; l < copies[3]; ++l)
                for (int n = 0; n < copies[4]; ++n)
                    out.push_back(Candidate{{anchor, first[1] + j, first[2] + k, first[3] + l, first[4] + n}});
    return out;
}

TEST(MatchingTables, DistancesAreEuclideanBothWaysWithZeroDiagonal)
{
    // 3-4-5 and 5-12-13 triangles give whole distances.
    std::vector<double> x(kMarkSlots + 1, 0.0), y(kMarkSlots + 1, 0.0);
    x[1] = 1; y[1] = 1;
    x[2] = 4; y[2] = 5;    // 5 from slot 1
    x[9] = 6; y[9] = -11;  // 13 from slot 1
    const MarkDistanceTable m = markDistances(x, y);
    EXPECT_EQ(m[1][2], 5.0);
    EXPECT_EQ(m[2][1], 5.0);
    EXPECT_EQ(m[1][9], 13.0);
    EXPECT_EQ(m[9][1], 13.0);
    EXPECT_EQ(m[2][9], std::sqrt(4.0 + 256.0));
    EXPECT_EQ(m[5][5], 0.0);
    EXPECT_EQ(m[0][2], 0.0);  // slot 0 takes no part
    EXPECT_EQ(m[2][0], 0.0);

    Field f;
    f.addStar({10, 10});
    f.addStar({13, 14});
    f.addStar({-2, 5});
    const StarDistanceTable c(f.starU, f.starV, f.count());
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c(1, 2), 5.0);
    EXPECT_EQ(c(2, 1), 5.0);
    EXPECT_EQ(c(3, 1), 13.0);
    EXPECT_EQ(c(2, 3), std::sqrt(225.0 + 81.0));
    EXPECT_EQ(c(3, 3), 0.0);
}

TEST(MatchingTables, StarTableStopsAtItsSizeAndAtTheSlotsGiven)
{
    std::vector<double> u(601, 1.0), v(601, 2.0);
    EXPECT_EQ(StarDistanceTable(u, v, 600).count(), kDistanceTableSize);
    EXPECT_EQ(StarDistanceTable(u, v, 497).count(), 497);
    EXPECT_EQ(StarDistanceTable(u, v, -3).count(), 0);
    std::vector<double> shortU(11, 0.0), shortV(11, 0.0);
    EXPECT_EQ(StarDistanceTable(shortU, shortV, 497).count(), 10);

    ReductionState state;
    state.starCount = 2;
    state.starU[1] = 3;
    state.starV[2] = 4;
    state.starU[3] = 1000;  // beyond starCount: ignored
    const StarDistanceTable c = starDistances(state);
    EXPECT_EQ(c.count(), 2);
    EXPECT_EQ(c(1, 2), 5.0);
}

TEST(MatchingAgreement, ADifferenceOfExactlyTheToleranceRejects)
{
    struct Row {
        const char* name;
        double c, m, tol;
        bool agree;
    };
    const Row rows[] = {
        {"equal", 10, 10, 1, true},
        {"above by tol", 10, 12, 2, false},
        {"below by tol", 10, 8, 2, false},
        {"just inside above", 10, std::nextafter(12.0, 0.0), 2, true},
        {"just inside below", 10, std::nextafter(8.0, 20.0), 2, true},
        {"zero tolerance", 10, 10, 0, false},
        {"negative tolerance", 10, 10, -1, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(distancesAgree(r.c, r.m, r.tol), r.agree) << r.name;
}

TEST(MatchingSearch, ExactCopyGivesOneCandidateAndItsSolution)
{
    // The figure's stars in slots 4, 2, 6, 1, 3 among far-away stars whose
    // distances to it and to each other match nothing in the figure.
    Field f;
    f.addStar(kFigure[3]);             // 1 = R4
    f.addStar(kFigure[1]);             // 2 = R2
    f.addStar(kFigure[4]);             // 3 = R5
    f.addStar(kFigure[0]);             // 4 = R1
    f.addStar({5000, 5000});           // 5
    f.addStar(kFigure[2]);             // 6 = R3
    f.addStar({-7000, 12000});         // 7
    f.markFigure(turned);
    const CandidateSearch s = f.search(1.0);
    ASSERT_EQ(s.candidates.size(), 1u);
    EXPECT_FALSE(s.tableFull);
    EXPECT_EQ(s.candidates[0], (Candidate{{4, 2, 6, 1, 3}}));

    // The solution maps R1..R3 onto their stars by construction; R4 and R5,
    // not used to solve, must land on theirs too.
    const auto plate = candidatePlateSolution(s.candidates[0], f.markX, f.markY, f.starU, f.starV);
    ASSERT_TRUE(plate.has_value());
    for (int k = 0; k < 5; ++k) {
        const int star = s.candidates[0].stars[k];
        const PlanePoint p = pixelToPlane(*plate, f.markX[k + 1], f.markY[k + 1]);
        EXPECT_NEAR(p.U, f.starU[star], 1e-9) << "R" << k + 1;
        EXPECT_NEAR(p.V, f.starV[star], 1e-9) << "R" << k + 1;
    }
    EXPECT_GT(determinant(*plate), 0.0);  // a turn keeps the handedness
}

TEST(MatchingSearch, MirroredFieldStillMatchesWithANegativeDeterminant)
{
    Field f;
    for (const Point& p : kFigure)
        f.addStar(p);
    f.markFigure(mirrored);
    const CandidateSearch s = f.search(1.0);
    ASSERT_EQ(s.candidates.size(), 1u);
    EXPECT_EQ(s.candidates[0], (Candidate{{1, 2, 3, 4, 5}}));
    const auto plate = candidatePlateSolution(s.candidates[0], f.markX, f.markY, f.starU, f.starV);
    ASSERT_TRUE(plate.has_value());
    EXPECT_NEAR(determinant(*plate), -1.0, 1e-12);  // x is flipped, scale 1
}

TEST(MatchingSearch, DistanceOffByExactlyTheToleranceDoesNotAgree)
{
    // R5 on the x axis with R1, so moving it 2 pixels further lengthens
    // R1-R5 by exactly 2 and the other distances to R5 by less.
    const Point figure[5] = {{0, 0}, {137, 12}, {41, 95}, {-88, 60}, {-150, 0}};
    for (const double shift : {-2.0, 2.0}) {
        SCOPED_TRACE(shift);
        Field f;
        for (const Point& p : figure)
            f.addStar(p);
        for (int k = 0; k < 4; ++k)
            f.mark(k + 1, {figure[k].x + 1000, figure[k].y + 1000});
        f.mark(5, {figure[4].x - shift + 1000, 1000});
        EXPECT_TRUE(f.search(2.0).candidates.empty());
        EXPECT_TRUE(f.reference(2.0).candidates.empty());
        EXPECT_EQ(f.search(2.0 + 1e-9).candidates.size(), 1u);  // a hair more agrees
    }
}

TEST(MatchingSearch, NoNewAnchorOnceMoreThanThreeHundredAreStored)
{
    struct Row {
        const char* name;
        int copies[5];
        int anchorsSearched;  // anchors (copies of R1) whose candidates are kept
    };
    const Row rows[] = {
        // 2·5·31·1 = 310 for anchor 1: all kept, anchor 2 never starts.
        {"310 for the first anchor", {2, 2, 5, 31, 1}, 1},
        // 300 is not more than 300: anchor 2 adds its 300 too.
        {"exactly 300", {2, 2, 5, 30, 1}, 2},
        {"301", {3, 1, 7, 43, 1}, 1},
        {"150 each", {3, 1, 5, 30, 1}, 3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Field f = copiesField(r.copies);
        std::vector<Candidate> want;
        for (int anchor = 1; anchor <= r.anchorsSearched; ++anchor) {
            const std::vector<Candidate> more = expectedCopies(r.copies, anchor);
            want.insert(want.end(), more.begin(), more.end());
        }
        const CandidateSearch s = f.search(1.0);
        EXPECT_FALSE(s.tableFull);
        EXPECT_EQ(s.candidates, want);
        const CandidateSearch ref = f.reference(1.0);
        EXPECT_EQ(ref.candidates, want);
    }
}

TEST(MatchingSearch, TableOfEightHundredStopsTheSearch)
{
    // 1·2·5·10·9 = 900 candidates for anchor 1: the first 800 are kept.
    const int over[5] = {1, 2, 5, 10, 9};
    const Field f = copiesField(over);
    std::vector<Candidate> want = expectedCopies(over, 1);
    want.resize(kCandidateCapacity);
    for (const CandidateSearch& s : {f.search(1.0), f.reference(1.0)}) {
        EXPECT_TRUE(s.tableFull);
        EXPECT_EQ(s.candidates, want);
    }
    // Exactly 800 fit without loss.
    const int exact[5] = {1, 2, 5, 10, 8};
    const CandidateSearch full = copiesField(exact).search(1.0);
    EXPECT_FALSE(full.tableFull);
    EXPECT_EQ(full.candidates.size(), 800u);
}

TEST(MatchingSearch, CollinearReferenceStarsGiveNoSolution)
{
    // Catalogue: three stars on a line and two off it; marks the same.
    Field f;
    const Point line[5] = {{0, 0}, {100, 0}, {230, 0}, {40, 77}, {-60, 150}};
    for (const Point& p : line)
        f.addStar(p);
    for (int k = 0; k < 5; ++k)
        f.mark(k + 1, {line[k].x + 10, line[k].y + 20});
    const CandidateSearch s = f.search(1.0);
    ASSERT_EQ(s.candidates.size(), 1u);  // the distances still match
    EXPECT_FALSE(candidatePlateSolution(s.candidates[0], f.markX, f.markY, f.starU, f.starV));

    // A candidate naming a slot that does not exist gives none as well.
    EXPECT_FALSE(candidatePlateSolution(Candidate{{1, 2, 9, 4, 5}}, f.markX, f.markY, f.starU, f.starV));
    EXPECT_FALSE(candidatePlateSolution(Candidate{{0, 2, 3, 4, 5}}, f.markX, f.markY, f.starU, f.starV));
}

TEST(MatchingSearch, CandidateSolutionFromTheState)
{
    ReductionState state;
    for (int k = 0; k < 5; ++k) {
        state.starU[k + 1] = kFigure[k].x;
        state.starV[k + 1] = kFigure[k].y;
        const Point m = turned(kFigure[k]);
        state.markX[k + 1] = m.x;
        state.markY[k + 1] = m.y;
    }
    const auto plate = candidatePlateSolution(Candidate{{1, 2, 3, 4, 5}}, state);
    ASSERT_TRUE(plate.has_value());
    // turned(): x = 500 − V, y = 300 + U, so U = y − 300 and V = 500 − x.
    EXPECT_NEAR(plate->A, 0.0, 1e-12);
    EXPECT_NEAR(plate->B, 1.0, 1e-12);
    EXPECT_NEAR(plate->C, -300.0, 1e-9);
    EXPECT_NEAR(plate->D, -1.0, 1e-12);
    EXPECT_NEAR(plate->E, 0.0, 1e-12);
    EXPECT_NEAR(plate->F, 500.0, 1e-9);
}

// Random fields, some with many coincident stars: the fast search must give
// the candidates of the plain loops, in the same order, with the same
// stops.
TEST(MatchingSearch, FastSearchEqualsReferenceOnRandomFields)
{
    std::mt19937 rng(20261206);
    int empty = 0, some = 0, pastAnchorLimit = 0, full = 0;
    for (int field = 0; field < 400; ++field) {
        std::uniform_int_distribution<int> countDist(5, 120);
        const int stars = countDist(rng);
        const double extent = std::array<double, 3>{60, 250, 1200}[field % 3];
        std::uniform_real_distribution<double> coord(0, extent);
        Field f;
        for (int i = 0; i < stars; ++i) {
            // Every fourth field repeats earlier stars to breed candidates.
            if (field % 4 == 0 && f.count() > 0 && rng() % 3 == 0) {
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
        const CandidateSearch fast = f.search(tol);
        const CandidateSearch ref = f.reference(tol);
        ASSERT_EQ(fast.tableFull, ref.tableFull) << "field " << field;
        ASSERT_EQ(fast.candidates, ref.candidates) << "field " << field;
        if (ref.tableFull)
            ++full;
        else if (ref.candidates.size() > 300)
            ++pastAnchorLimit;
        else if (ref.candidates.empty())
            ++empty;
        else
            ++some;
    }
    // The comparison must have met every kind of outcome.
    EXPECT_GT(empty, 0);
    EXPECT_GT(some, 0);
    EXPECT_GT(pastAnchorLimit, 0);
    EXPECT_GT(full, 0);
    std::printf("random fields: %d empty, %d with 1..300, %d past 300, %d full\n", empty, some,
                pastAnchorLimit, full);
}

// Full-size dense fields as the calculation run meets them: 497 stars,
// tolerance 7, marked stars taken from the field.
TEST(MatchingSearch, FastSearchEqualsReferenceOnDenseFullFields)
{
    for (const unsigned seed : {11u, 12u, 13u}) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> coord(0, 450);
        Field f;
        for (int i = 0; i < kMatchingStarLimit; ++i)
            f.addStar({std::round(coord(rng)), std::round(coord(rng))});
        for (int slot = 1; slot <= 5; ++slot) {
            const int src = 1 + static_cast<int>(rng() % f.count());
            f.mark(slot, {f.starV[src] + 0.5, 900 - f.starU[src]});
        }
        const CandidateSearch fast = f.search(7.0);
        const CandidateSearch ref = f.reference(7.0);
        EXPECT_FALSE(ref.candidates.empty()) << seed;
        EXPECT_EQ(fast.tableFull, ref.tableFull) << seed;
        EXPECT_EQ(fast.candidates, ref.candidates) << seed;
    }
}

TEST(MatchingDecision, WindowRoundsExactHalvesToEven)
{
    // lo = round(−4 − T), hi = round(T − 4), halves to the even neighbour.
    struct Row {
        double threshold;
        int lo, hi;
    };
    const Row rows[] = {
        {0.5, -4, -4},    // −4.5 → −4, −3.5 → −4
        {1.5, -6, -2},    // −5.5 → −6, −2.5 → −2
        {2.5, -6, -2},    // −6.5 → −6, −1.5 → −2
        {3.5, -8, 0},     // −7.5 → −8, −0.5 → 0
        {4.5, -8, 0},     // −8.5 → −8, 0.5 → 0
        {10.0, -14, 6},
        {10.4, -14, 6},
        {10.6, -15, 7},
        {0.0, -4, -4},
        {-0.5, -4, -4},   // −3.5 → −4, −4.5 → −4
    };
    for (const Row& r : rows) {
        const Result<DecisionWindow> w = decisionWindow(r.threshold);
        ASSERT_TRUE(w.ok()) << r.threshold;
        EXPECT_EQ(w->lo, r.lo) << r.threshold;
        EXPECT_EQ(w->hi, r.hi) << r.threshold;
    }
    const Result<DecisionWindow> huge = decisionWindow(40000);
    ASSERT_FALSE(huge.ok());
    EXPECT_TRUE(huge.error().contains(QStringLiteral("Seuil décision")));
}

TEST(MatchingDecision, SettingsTextsAreReadBeforeAnySearch)
{
    struct Row {
        const char* name;
        const char16_t* tolerance;
        const char16_t* threshold;
        QChar point;
        const char* field;  // named in the error, or nullptr when accepted
        double tol;
        int lo, hi;
    };
    const Row rows[] = {
        {"plain", u"7", u"10", u'.', nullptr, 7.0, -14, 6},
        {"blanks and comma", u" 7,5 ", u"2,5", u',', nullptr, 7.5, -6, -2},
        {"tolerance not a number", u"sept", u"10", u'.', "Tolérance", 0, 0, 0},
        {"tolerance empty", u"", u"10", u'.', "Tolérance", 0, 0, 0},
        {"point where comma expected", u"7.5", u"10", u',', "Tolérance", 0, 0, 0},
        {"threshold not a number", u"7", u"10px", u'.', "Seuil décision", 0, 0, 0},
        {"both wrong: tolerance first", u"x", u"y", u'.', "Tolérance", 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Result<MatchingSettings> s = readMatchingSettings(
            QStringView(r.tolerance), QStringView(r.threshold), r.point);
        if (r.field) {
            ASSERT_FALSE(s.ok());
            EXPECT_TRUE(s.error().contains(QString::fromUtf8(r.field))) << s.error().toStdString();
        } else {
            ASSERT_TRUE(s.ok()) << s.error().toStdString();
            EXPECT_EQ(s->tolerance, r.tol);
            EXPECT_EQ(s->window.lo, r.lo);
            EXPECT_EQ(s->window.hi, r.hi);
        }
    }
}

// Markers placed as the overlay and the selection place them: a star
// marker centred on (x, y) has its corner at (x − 4, y − 4), a click
// marker at (x − 8, y − 8).
Marker starAt(double x, double y)
{
    return Marker{static_cast<float>(x - 4), static_cast<float>(y - 4), kStarMarkerSize, true};
}
Marker clickAt(double x, double y)
{
    return Marker{static_cast<float>(x - 8), static_cast<float>(y - 8), kClickMarkerSize, true};
}

TEST(MatchingDecision, CountsMarkedStarsLyingOnDrawnStars)
{
    // Threshold 10: a click counts on a star when both centre offsets are
    // strictly within ±10 pixels.
    const DecisionWindow w = *decisionWindow(10);
    const std::vector<Marker> clicks = {Marker{}, clickAt(100, 100), clickAt(200, 100),
                                        clickAt(300, 100), clickAt(400, 400), clickAt(50, 450)};
    struct Row {
        const char* name;
        std::vector<Marker> stars;  // slot 0 first
        int count;
    };
    const Row rows[] = {
        {"three coincide", {Marker{}, starAt(101, 99), starAt(209, 91), starAt(300, 100), starAt(0, 0)}, 3},
        {"four coincide", {Marker{}, starAt(101, 99), starAt(209, 91), starAt(300, 100), starAt(395, 405)}, 4},
        // Each of the four bounds met exactly, one per click.
        {"offset of exactly 10 is out", {Marker{}, starAt(110, 100), starAt(190, 100), starAt(300, 110), starAt(400, 390)}, 0},
        {"offset of 9.5 is in", {Marker{}, starAt(109.5, 100), starAt(190.5, 100), starAt(300, 109.5), starAt(400, 390.5)}, 4},
        {"one click on two stars twice", {Marker{}, starAt(95, 100), starAt(105, 100), starAt(50, 455), starAt(45, 445)}, 4},
        {"star far off", {Marker{}, starAt(1000, 1000)}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const int stars = static_cast<int>(r.stars.size()) - 1;
        EXPECT_EQ(decisionCount(clicks, r.stars, stars, w), r.count);
    }
    // Only stars 1..starCount take part.
    EXPECT_EQ(decisionCount(clicks, rows[1].stars, 3, w), 3);
    EXPECT_EQ(decisionCount(clicks, rows[1].stars, 50, w), 4);  // clipped to the markers given
}

TEST(MatchingDecision, BoundsAreAddedInSinglePrecision)
{
    // At 2^24 single precision steps by 2: hi + left = 2^24 + 1 rounds back
    // to 2^24, so a click at 2^24 is not below it (in double it would be).
    const float big = 16777216.0f;
    const std::vector<Marker> clicks = {Marker{}, Marker{big, 0.0f, 16, true}};
    const std::vector<Marker> stars = {Marker{}, Marker{big, 0.0f, 8, true}};
    EXPECT_EQ(decisionCount(clicks, stars, 1, DecisionWindow{-1, 1}), 0);
    EXPECT_EQ(decisionCount(clicks, stars, 1, DecisionWindow{-4, 4}), 1);
    // lo + left = 2^24 + 3 rounds up to 2^24 + 4 in single precision, which
    // is not below a click at 2^24 + 4 (in double it would be).
    const std::vector<Marker> clicks4 = {Marker{}, Marker{big + 4, 0.0f, 16, true}};
    const std::vector<Marker> stars4 = {Marker{}, Marker{big + 4, 0.0f, 8, true}};
    EXPECT_EQ(decisionCount(clicks4, stars4, 1, DecisionWindow{-1, 4}), 0);
    EXPECT_EQ(decisionCount(clicks4, stars4, 1, DecisionWindow{-5, 4}), 1);
}

TEST(MatchingDecision, OfferNeedsFourUnlessTheDeciderIsUnchecked)
{
    struct Row {
        int count;
        bool decider, mapFailed, offered;
    };
    const Row rows[] = {
        {3, true, false, false}, {4, true, false, true}, {7, true, false, true},
        {0, false, false, true}, {3, false, false, true}, {9, false, true, false},
        {4, true, true, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(offerCandidate(effectiveDecisionCount(r.count, r.decider), r.mapFailed), r.offered)
            << r.count << " decider " << r.decider << " failed " << r.mapFailed;
    }
}

}  // namespace
}  // namespace ce
