#include "solve/flow/auto_run.h"


#include "app/builtin_texts.h"
#include "app/flow/reduction_controller.h"
#include "catalogue/flow/read_command.h"
#include "core/numbers.h"
#include "core/plate_solution.h"
#include "image/linear_plane.h"
#include "solve/centroid.h"
#include "solve/flow/calculation_run.h"
#include "solve/flow/refinement_run.h"
#include "solve/flow/view_pixels.h"
#include "solve/matching.h"
#include "solve/repeated_search.h"
#include "solve/star_detection.h"

#include <QElapsedTimer>
#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace ce {

namespace {

class LinearIntensity final : public IntensitySource {
public:
    explicit LinearIntensity(const LinearPlane& plane) : plane_(plane) {}
    int width() const override { return plane_.width; }
    int height() const override { return plane_.height; }
    double intensity(int x, int y) const override { return plane_.at(x, y); }

private:
    const LinearPlane& plane_;
};

using FiveStars = std::array<int, kReferenceStars>;

// No three of the five nearly on one line: each triangle's smallest height
// is at least a twentieth of its longest side. The plate solution rests on
// marks 1 to 3, and a flat set gives little hold on the other two either.
bool spreadOut(const FiveStars& set, const std::vector<DetectedStar>& stars, double minDistance)
{
    for (std::size_t a = 0; a < set.size(); ++a)
        for (std::size_t b = a + 1; b < set.size(); ++b) {
            const DetectedStar& p = stars[std::size_t(set[a])];
            const DetectedStar& q = stars[std::size_t(set[b])];
            if (std::hypot(p.x - q.x, p.y - q.y) < minDistance) return false;
        }
    for (std::size_t a = 0; a < set.size(); ++a)
        for (std::size_t b = a + 1; b < set.size(); ++b)
            for (std::size_t c = b + 1; c < set.size(); ++c) {
                const DetectedStar& p = stars[std::size_t(set[a])];
                const DetectedStar& q = stars[std::size_t(set[b])];
                const DetectedStar& r = stars[std::size_t(set[c])];
                const double cross = std::abs((q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x));
                const double longest = std::max({std::hypot(q.x - p.x, q.y - p.y),
                                                 std::hypot(r.x - p.x, r.y - p.y),
                                                 std::hypot(r.x - q.x, r.y - q.y)});
                // cross / longest is the height on the longest side.
                if (cross / longest < longest / 20.0) return false;
            }
    return true;
}

// The five-star sets in trial order: by their faintest member first, so
// that every set of the n brightest comes before any set that needs the
// (n + 1)th; among sets with the same faintest member, by ascending ranks.
// One bright detection that is not a catalogue star (a halo, a defect, a
// star the catalogue lacks) then holds back only the sets it is in, not
// the whole start of the search.
std::vector<FiveStars> fiveStarSets(const std::vector<DetectedStar>& stars, int pool, int maxSets,
                                    double minDistance)
{
    std::vector<FiveStars> sets;
    const int n = std::min(pool, int(stars.size()));
    FiveStars s{};
    for (s[4] = 4; s[4] < n; ++s[4])
        for (s[0] = 0; s[0] < s[4]; ++s[0])
            for (s[1] = s[0] + 1; s[1] < s[4]; ++s[1])
                for (s[2] = s[1] + 1; s[2] < s[4]; ++s[2])
                    for (s[3] = s[2] + 1; s[3] < s[4]; ++s[3]) {
                        if (!spreadOut(s, stars, minDistance)) continue;
                        sets.push_back(s);
                        if (int(sets.size()) >= maxSets) return sets;
                    }
    return sets;
}

// The catalogue stars on a grid of the catalogue plane, for the nearest
// star to a point.
class CatalogueGrid {
public:
    CatalogueGrid(const ReductionState& state, double cell) : state_(state), cell_(cell)
    {
        for (int p = 1; p <= state.starCount; ++p)
            cells_[key(state.starU[std::size_t(p)], state.starV[std::size_t(p)])].push_back(p);
    }
    // The catalogue slot nearest (u, v) within `radius` (plane units, at
    // most one cell), 0 when none.
    int nearest(double u, double v, double radius) const
    {
        const qint64 cu = qint64(std::floor(u / cell_));
        const qint64 cv = qint64(std::floor(v / cell_));
        int best = 0;
        double bestDistance = radius;
        for (qint64 du = -1; du <= 1; ++du)
            for (qint64 dv = -1; dv <= 1; ++dv) {
                const auto it = cells_.constFind(((cu + du) << 32) ^ ((cv + dv) & 0xffffffff));
                if (it == cells_.constEnd()) continue;
                for (int p : *it) {
                    const double d = std::hypot(state_.starU[std::size_t(p)] - u, state_.starV[std::size_t(p)] - v);
                    if (d <= bestDistance) bestDistance = d, best = p;
                }
            }
        return best;
    }

private:
    qint64 key(double u, double v) const
    {
        return (qint64(std::floor(u / cell_)) << 32) ^ (qint64(std::floor(v / cell_)) & 0xffffffff);
    }
    const ReductionState& state_;
    double cell_;
    QHash<qint64, std::vector<int>> cells_;
};

struct Verification {
    int onCatalogue = 0;  // brightest detections within the threshold of a catalogue star
    int expected = 0;     // how many of them the catalogue can show
    double byChance = 0;  // how many would fall near a catalogue star by chance
    bool verified = false;
    PlateSolution solution;  // refitted on the detections that agree
};

// Least squares U = A x + B y + C, V = D x + E y + F over the pairs; none
// when they do not fix an affine map.
std::optional<PlateSolution> fitAffine(const std::vector<std::pair<const DetectedStar*, int>>& pairs,
                                       const ReductionState& state)
{
    if (pairs.size() < 3) return std::nullopt;
    // Centred on the detections' mean for a well-conditioned system.
    double mx = 0, my = 0;
    for (const auto& [d, p] : pairs) mx += d->x, my += d->y;
    mx /= double(pairs.size()), my /= double(pairs.size());
    double sxx = 0, sxy = 0, syy = 0, su = 0, sv = 0, sxu = 0, syu = 0, sxv = 0, syv = 0;
    for (const auto& [d, p] : pairs) {
        const double x = d->x - mx, y = d->y - my;
        const double u = state.starU[std::size_t(p)], v = state.starV[std::size_t(p)];
        sxx += x * x, sxy += x * y, syy += y * y;
        su += u, sv += v;
        sxu += x * u, syu += y * u, sxv += x * v, syv += y * v;
    }
    const double det = sxx * syy - sxy * sxy;
    if (!(std::abs(det) > 1e-9 * (sxx + syy) * (sxx + syy))) return std::nullopt;
    const double n = double(pairs.size());
    PlateSolution s;
    s.A = (sxu * syy - syu * sxy) / det;
    s.B = (syu * sxx - sxu * sxy) / det;
    s.D = (sxv * syy - syv * sxy) / det;
    s.E = (syv * sxx - sxv * sxy) / det;
    s.C = su / n - s.A * mx - s.B * my;
    s.F = sv / n - s.D * mx - s.E * my;
    return s;
}

// Whether the solution keeps one plane unit per pixel in every direction:
// both singular values of its linear part within maxError of 1. The typed
// factors give that scale, and squeezing or shearing the image would let a
// refit chase chance coincidences.
bool nearTypedScale(const PlateSolution& s, double maxError)
{
    const double q = s.A * s.A + s.B * s.B + s.D * s.D + s.E * s.E;
    const double det = s.A * s.E - s.B * s.D;
    const double root = std::sqrt(std::max(q * q - 4.0 * det * det, 0.0));
    const double high = std::sqrt((q + root) / 2.0);
    const double low = std::sqrt(std::max((q - root) / 2.0, 0.0));
    return std::isfinite(q) && std::abs(high - 1.0) <= maxError && std::abs(low - 1.0) <= maxError;
}

// A candidate is verified when the brightest detections, carried onto the
// catalogue plane, land on catalogue stars: at least minVerified of them,
// at least a third of what the catalogue can show there, and far more than
// chance would put near a catalogue star (the Seuil décision is wide on a
// dense field). The three-star solution is refitted twice on the pairs it
// finds, so that a true candidate from slightly offset marks recovers the
// stars far from its triangle while a chance one gains nothing.
Verification verify(const PlateSolution& start, const std::vector<DetectedStar>& stars,
                    const CatalogueGrid& grid, const ReductionState& state, int width, int height,
                    double thresholdPx, const AutoSearchLimits& limits)
{
    Verification v;
    v.solution = start;
    const int count = std::min(limits.verifyStars, int(stars.size()));
    for (int pass = 0; pass < 3; ++pass) {
        const PlateSolution& s = v.solution;
        const double det = s.A * s.E - s.B * s.D;
        if (det == 0.0 || !std::isfinite(det)) return v;
        if (!nearTypedScale(s, limits.maxScaleError)) return v;
        // The threshold is in image pixels; the plane's unit is near a
        // pixel, but the candidate's scale says by how much.
        const double radius = thresholdPx * std::sqrt(std::abs(det));
        std::vector<std::pair<const DetectedStar*, int>> pairs;
        for (int i = 0; i < count; ++i) {
            const DetectedStar& d = stars[std::size_t(i)];
            const int p = grid.nearest(s.A * d.x + s.B * d.y + s.C, s.D * d.x + s.E * d.y + s.F, radius);
            if (p > 0) pairs.emplace_back(&d, p);
        }
        v.onCatalogue = int(pairs.size());
        if (v.onCatalogue < limits.minVerified) return v;
        if (pass == 2) break;
        const std::optional<PlateSolution> refit = fitAffine(pairs, state);
        if (!refit) return v;
        v.solution = *refit;
    }
    const PlateSolution& s = v.solution;
    const double det = s.A * s.E - s.B * s.D;
    int onImage = 0;
    for (int p = 1; p <= state.starCount; ++p) {
        const double du = state.starU[std::size_t(p)] - s.C;
        const double dv = state.starV[std::size_t(p)] - s.F;
        const double x = (s.E * du - s.B * dv) / det;
        const double y = (-s.D * du + s.A * dv) / det;
        if (x >= 0 && y >= 0 && x < width && y < height) ++onImage;
    }
    v.expected = std::min(count, onImage);
    // The chance that a point of the image lies within the threshold of one
    // of the catalogue stars on it.
    const double pi = 3.14159265358979323846;
    const double p = std::min(1.0, onImage * pi * thresholdPx * thresholdPx / (double(width) * height));
    v.byChance = count * p;
    // The refits pull chance coincidences in: on generated fields a wrong
    // field or scale reaches 2.5 times the chance count, a true solution
    // nearly every detection.
    v.verified = 3 * v.onCatalogue >= v.expected && v.onCatalogue >= 3.0 * v.byChance + 8.0;
    return v;
}

// The five stars as marks 1..5, as five clicks would leave them.
void placeMarks(ReductionController& controller, const std::vector<DetectedStar>& stars,
                const FiveStars& set, bool drawn)
{
    ReductionState& state = controller.state();
    for (std::size_t m = 0; m < set.size(); ++m) {
        const DetectedStar& d = stars[std::size_t(set[m])];
        state.markX[m + 1] = std::round(d.x);
        state.markY[m + 1] = std::round(d.y);
        if (!drawn) continue;
        Marker& marker = state.markers.click[m + 1];
        const float half = float(state.markers.click[0].size) / 2.0f;
        marker.left = float(state.markX[m + 1]) - half;
        marker.top = float(state.markY[m + 1]) - half;
        marker.visible = true;
    }
    if (!drawn) return;
    state.markCount = kReferenceStars;
    state.starsSelected = true;
    state.mode = modes::marked();
    controller.view().markersChanged();
}

}  // namespace

void runAutoCalcul(ReductionController& controller, const AutoSearchLimits& limits)
{
    ReductionState& state = controller.state();
    ReductionView& view = controller.view();
    const LanguageTable& lang = controller.lang();
    QElapsedTimer clock;
    clock.start();

    controller.Loadimg();
    state.corrAsd = leadingNumber(view.text(QStringLiteral("txt_corrasd")));
    state.corrDec = leadingNumber(view.text(QStringLiteral("txt_corrdec")));
    controller.ensureMarkers();
    state.markers.hideStars();
    view.markersChanged();
    if (!scaleFactorsUsable(controller)) return;
    if (!runReadFile(controller)) return;
    const Result<MatchingSettings> settings =
        readMatchingSettings(view.text(QStringLiteral("txt_tolerance")),
                             view.text(QStringLiteral("txt_calcul")), systemDecimalPoint(), lang);
    if (!settings) {
        controller.AddStatus(settings.error());
        view.showMessage(settings.error(), QString(), true);
        return;
    }
    controller.AddStatus(lang.message(5));
    controller.withdrawSolution();
    state.tolerance = settings->tolerance;
    const double thresholdPx = settings->window.hi + 4.0;

    const int width = view.imageWidth();
    const int height = view.imageHeight();
    const LinearPlane* linear = view.linearImage();
    const ViewPixels pixels(view);
    std::unique_ptr<IntensitySource> source;
    if (linear && !linear->empty())
        source = std::make_unique<LinearIntensity>(*linear);
    else
        source = std::make_unique<PackedColourIntensity>(pixels, width, height);
    DetectionOptions detection;
    // The search and its verification use the brightest few only.
    detection.maxStars = std::max({limits.poolStars, limits.verifyStars, 100});
    const std::vector<DetectedStar> stars = detectStars(*source, detection);

    const std::vector<FiveStars> sets =
        fiveStarSets(stars, limits.poolStars, limits.maxSets, std::min(width, height) / 10.0);
    // Hundreds of sets are matched against the same catalogue.
    const SortedStarDistances starDist(starDistances(state));
    const CatalogueGrid grid(state, std::max(thresholdPx * 2.0, 1.0));
    int tried = 0, best = 0;
    std::optional<std::pair<FiveStars, PlateSolution>> found;
    int foundCount = 0;
    const int total = int(sets.size());
    for (const FiveStars& set : sets) {
        if (!view.searchProgress(lang.message(msg::kAutoProgress)
                                     .arg(formatWhole(tried), formatWhole(total), formatWhole(best)),
                                 tried, total))
            break;
        ++tried;
        placeMarks(controller, stars, set, false);
        const CandidateSearch search = findCandidates(markDistances(state), starDist, state.tolerance);
        for (const Candidate& candidate : search.candidates) {
            const std::optional<PlateSolution> solution = candidatePlateSolution(candidate, state);
            if (!solution) continue;
            const Verification v = verify(*solution, stars, grid, state, width, height, thresholdPx, limits);
            best = std::max(best, v.onCatalogue);
            if (v.verified) {
                found = std::make_pair(set, v.solution);
                foundCount = v.onCatalogue;
                break;
            }
        }
        if (found) break;
    }
    view.searchFinished();
    controller.AddStatus(lang.message(msg::kAutoJournal)
                             .arg(formatWhole(qint64(stars.size())), formatWhole(tried),
                                  formatWhole(found ? foundCount : best),
                                  formatWhole(clock.elapsed())));

    if (!found) {
        for (int m = 1; m <= kReferenceStars; ++m) state.markX[std::size_t(m)] = state.markY[std::size_t(m)] = 0;
        const QString message = lang.message(msg::kAutoNothingVerified).arg(formatWhole(tried));
        controller.AddStatus(message);
        view.showMessage(message, QString(), true);
        controller.SetSugestion(QStringLiteral("calcul"), 1, QStringLiteral("0"),
                                formatWhole(state.starCount));
        return;
    }
    placeMarks(controller, stars, found->first, true);
    state.solutionCount = 1;
    storePlateSolution(state, found->second);
    controller.map();
    if (controller.askAboutCandidate(lang.message(2) + QStringLiteral(" (1/1)"), lang.message(3))) {
        controller.AddStatus(lang.message(4));
        state.solutionAccepted = true;
        state.mode = modes::coor();
        runRefinement(controller);
    }
    controller.AddStatus(lang.message(6));
    controller.SetSugestion(QStringLiteral("calcul"), state.solutionAccepted ? -1 : 0,
                            formatWhole(state.solutionCount), formatWhole(state.starCount));
    controller.map();
}

}  // namespace ce
