#include "solve/refined_solution.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace ce {

namespace {

constexpr int kMaxRounds = 20;
constexpr int kMaxRejectionPasses = 20;
constexpr double kReachGrowth = 1.5;
constexpr double kSameCentroidPx = 1.0;
constexpr double kRayleighMedian = 1.1774;  // √(2 ln 2)
constexpr double kFirstReachMinPx = 100.0;
constexpr double kFirstReachPerMarkSpread = 2.0;

// One catalogue star found on the image.
struct Match {
    int index = 0;
    StandardCoordinates s;  // about the field centre, degrees
    Centroid centroid;
    double offsetPx = 0.0;  // centroid to prediction, pixels
};

// x = p[0]·ξ + p[1]·η + p[2], y = p[3]·ξ + p[4]·η + p[5], ξ and η in degrees.
struct PixelModel {
    double p[6] = {};
    PixelPoint at(const StandardCoordinates& s) const
    {
        return {p[0] * s.xiDeg + p[1] * s.etaDeg + p[2], p[3] * s.xiDeg + p[4] * s.etaDeg + p[5]};
    }
};

// Least squares of x and y on (ξ, η) over the used matches, on centred sums
// so that the offsets do not spoil the normal equations.
std::optional<PixelModel> fitPixelModel(const std::vector<Match>& matches, const std::vector<char>& used)
{
    double n = 0, mxi = 0, meta = 0, mx = 0, my = 0;
    for (std::size_t k = 0; k < matches.size(); ++k) {
        if (!used[k]) continue;
        n += 1;
        mxi += matches[k].s.xiDeg;
        meta += matches[k].s.etaDeg;
        mx += matches[k].centroid.x;
        my += matches[k].centroid.y;
    }
    if (n < 3) return std::nullopt;
    mxi /= n, meta /= n, mx /= n, my /= n;
    double sxx = 0, sxy = 0, syy = 0, sxX = 0, syX = 0, sxY = 0, syY = 0;
    for (std::size_t k = 0; k < matches.size(); ++k) {
        if (!used[k]) continue;
        const double a = matches[k].s.xiDeg - mxi, b = matches[k].s.etaDeg - meta;
        const double X = matches[k].centroid.x - mx, Y = matches[k].centroid.y - my;
        sxx += a * a, sxy += a * b, syy += b * b;
        sxX += a * X, syX += b * X, sxY += a * Y, syY += b * Y;
    }
    const double det = sxx * syy - sxy * sxy;
    // Stars on one line (or one point) leave a direction unfixed.
    if (!(det > 1e-12 * sxx * syy) || !(sxx > 0) || !(syy > 0)) return std::nullopt;
    PixelModel m;
    m.p[0] = (syy * sxX - sxy * syX) / det;
    m.p[1] = (sxx * syX - sxy * sxX) / det;
    m.p[2] = mx - m.p[0] * mxi - m.p[1] * meta;
    m.p[3] = (syy * sxY - sxy * syY) / det;
    m.p[4] = (sxx * syY - sxy * sxY) / det;
    m.p[5] = my - m.p[3] * mxi - m.p[4] * meta;
    return m;
}

std::optional<TanWcs> wcsOf(const PixelModel& m, const SkyPoint& centre)
{
    const double det = m.p[0] * m.p[4] - m.p[1] * m.p[3];
    if (det == 0.0 || !std::isfinite(det)) return std::nullopt;
    TanWcs w;
    w.crvalRaDeg = centre.raDeg;
    w.crvalDecDeg = centre.decDeg;
    w.crpixX = m.p[2];
    w.crpixY = m.p[5];
    w.cd11 = m.p[4] / det;
    w.cd12 = -m.p[1] / det;
    w.cd21 = -m.p[3] / det;
    w.cd22 = m.p[0] / det;
    return w;
}

double residualPx(const PixelModel& m, const Match& match)
{
    const PixelPoint p = m.at(match.s);
    return std::hypot(match.centroid.x - p.x, match.centroid.y - p.y);
}

struct Fit {
    bool ok = false;
    PixelModel model;
    std::vector<char> used;
    int usedCount() const { return int(std::count(used.begin(), used.end(), 1)); }
};

// The fit with iterative rejection beyond max(3σ, floor); rejected stars
// come back when a later fit brings them within the limit.
Fit fitWithRejection(const std::vector<Match>& matches)
{
    Fit fit{false, {}, std::vector<char>(matches.size(), 1)};
    for (int pass = 0; pass < kMaxRejectionPasses; ++pass) {
        const auto m = fitPixelModel(matches, fit.used);
        if (!m) return {};
        fit.model = *m;
        // σ per axis from the median residual length (a residual of two
        // normal components of σ each has its median at 1.1774·σ), so that
        // the outliers being sought do not widen the limit.
        std::vector<double> lengths;
        for (std::size_t k = 0; k < matches.size(); ++k)
            if (fit.used[k]) lengths.push_back(residualPx(*m, matches[k]));
        std::nth_element(lengths.begin(), lengths.begin() + lengths.size() / 2, lengths.end());
        const double sigmaPerAxis = lengths[lengths.size() / 2] / kRayleighMedian;
        const double limit = std::max(kRefinedRejectSigma * sigmaPerAxis, kRefinedRejectFloorPx);
        std::vector<char> next(matches.size());
        for (std::size_t k = 0; k < matches.size(); ++k) next[k] = residualPx(*m, matches[k]) <= limit;
        if (next == fit.used) break;
        fit.used = std::move(next);
    }
    // The model of the final kept set.
    const auto m = fitPixelModel(matches, fit.used);
    if (!m) return {};
    fit.model = *m;
    fit.ok = true;
    return fit;
}

// The last centroid of each star, reused while its seed pixel is the same.
struct CachedCentroid {
    bool valid = false;
    long seedX = 0, seedY = 0;
    Centroid centroid;
};

class Refiner {
public:
    Refiner(const IntensitySource& image, const RefinementInput& input)
        : image_(image), in_(input), cache_(input.stars.size())
    {
        options_.searchRadiusPx = std::max(1, int(std::ceil(input.tolerancePx)));
        standard_.resize(input.stars.size());
        for (std::size_t i = 0; i < input.stars.size(); ++i)
            standard_[i] = gnomonicProject(input.stars[i].raDeg, input.stars[i].decDeg,
                                           input.fieldCentre.raDeg, input.fieldCentre.decDeg);
    }

    std::optional<PixelPoint> threeStarPrediction(std::size_t i) const
    {
        return planeToPixel(in_.threeStar, in_.stars[i].raDeg * in_.corrAsd, in_.stars[i].decDeg * in_.corrDec);
    }

    // Catalogue stars found near their predictions within `reach` of a mark.
    std::vector<Match> measure(const std::optional<PixelModel>& model, double reachPx)
    {
        std::vector<Match> found;
        const double w = image_.width(), h = image_.height();
        for (std::size_t i = 0; i < in_.stars.size(); ++i) {
            if (!standard_[i]) continue;
            const std::optional<PixelPoint> p = model ? std::optional(model->at(*standard_[i])) : threeStarPrediction(i);
            if (!p || !std::isfinite(p->x) || !std::isfinite(p->y)) continue;
            if (p->x < -0.5 || p->y < -0.5 || p->x > w - 0.5 || p->y > h - 0.5) continue;
            if (!withinReach(*p, reachPx)) continue;
            const Centroid& c = centroidAt(i, *p);
            if (!c.found) continue;
            const double off = std::hypot(c.x - p->x, c.y - p->y);
            if (std::max(std::abs(c.x - p->x), std::abs(c.y - p->y)) > options_.searchRadiusPx + 0.5) continue;
            found.push_back({int(i), *standard_[i], c, off});
        }
        return withoutSharedCentroids(std::move(found));
    }

private:
    bool withinReach(const PixelPoint& p, double reachPx) const
    {
        if (in_.marks.empty()) return true;
        for (const PixelPoint& m : in_.marks)
            if (std::hypot(p.x - m.x, p.y - m.y) <= reachPx) return true;
        return false;
    }

    const Centroid& centroidAt(std::size_t i, const PixelPoint& p)
    {
        CachedCentroid& c = cache_[i];
        const long sx = std::lround(p.x), sy = std::lround(p.y);
        if (!c.valid || c.seedX != sx || c.seedY != sy) {
            c.centroid = measureCentroid(image_, p.x, p.y, options_);
            c.valid = true;
            c.seedX = sx;
            c.seedY = sy;
        }
        return c.centroid;
    }

    // Where several catalogue stars land on one centroid only the one
    // predicted nearest to it stays (the first in index order on ties).
    static std::vector<Match> withoutSharedCentroids(std::vector<Match> found)
    {
        std::vector<char> keep(found.size(), 1);
        for (std::size_t a = 0; a < found.size(); ++a) {
            for (std::size_t b = a + 1; b < found.size(); ++b) {
                const double d = std::hypot(found[a].centroid.x - found[b].centroid.x,
                                            found[a].centroid.y - found[b].centroid.y);
                if (d > kSameCentroidPx) continue;
                if (found[b].offsetPx < found[a].offsetPx) keep[a] = 0;
                else keep[b] = 0;
            }
        }
        std::vector<Match> out;
        for (std::size_t k = 0; k < found.size(); ++k)
            if (keep[k]) out.push_back(found[k]);
        return out;
    }

    const IntensitySource& image_;
    const RefinementInput& in_;
    CentroidOptions options_;
    std::vector<std::optional<StandardCoordinates>> standard_;
    std::vector<CachedCentroid> cache_;
};

std::vector<int> indicesOf(const std::vector<Match>& matches)
{
    std::vector<int> out;
    out.reserve(matches.size());
    for (const Match& m : matches) out.push_back(m.index);
    return out;
}

}  // namespace

RefinementResult refineSolution(const IntensitySource& image, const RefinementInput& input)
{
    RefinementResult result;
    if (input.corrAsd == 0.0 || input.corrDec == 0.0 || determinant(input.threeStar) == 0.0) {
        result.outcome = RefinementOutcome::NoLinearModel;
        return result;
    }
    Refiner refiner(image, input);
    const double diagonal = std::hypot(double(image.width()), double(image.height()));
    // The 3-star solution holds near the marks, over a few times their spread.
    double spread = 0;
    for (const PixelPoint& a : input.marks)
        for (const PixelPoint& b : input.marks) spread = std::max(spread, std::hypot(a.x - b.x, a.y - b.y));
    double reach = std::max(kFirstReachMinPx, kFirstReachPerMarkSpread * spread);

    std::optional<PixelModel> model;  // none: predict from the 3-star solution
    std::vector<Match> matches;
    Fit fit;
    std::vector<int> previous;
    bool degenerate = false;
    for (int round = 1; round <= kMaxRounds; ++round) {
        result.rounds = round;
        const bool wholeImage = reach >= diagonal;
        std::vector<Match> found = refiner.measure(model, reach);
        std::vector<int> now = indicesOf(found);
        if (int(found.size()) >= kRefinedMinimumStars) {
            Fit f = fitWithRejection(found);
            degenerate = !f.ok;
            if (f.ok && f.usedCount() >= kRefinedMinimumStars) {
                model = f.model;
                fit = std::move(f);
                matches = std::move(found);
            }
        }
        if (wholeImage && now == previous) break;
        previous = std::move(now);
        reach = wholeImage ? reach : reach * kReachGrowth;
    }

    if (!fit.ok) {
        result.outcome = degenerate ? RefinementOutcome::DegenerateFit : RefinementOutcome::TooFewStars;
        return result;
    }
    const auto wcs = wcsOf(fit.model, input.fieldCentre);
    if (!wcs) {
        result.outcome = RefinementOutcome::DegenerateFit;
        return result;
    }
    result.wcs = *wcs;

    double sum2 = 0, sum2Arcsec = 0, sum2Linear = 0;
    for (std::size_t k = 0; k < matches.size(); ++k) {
        const Match& m = matches[k];
        const CatalogueSkyStar& star = input.stars[std::size_t(m.index)];
        RefinedStarFit s;
        s.index = m.index;
        s.raDeg = star.raDeg;
        s.decDeg = star.decDeg;
        s.measuredX = m.centroid.x;
        s.measuredY = m.centroid.y;
        const PixelPoint p = fit.model.at(m.s);
        s.predictedX = p.x;
        s.predictedY = p.y;
        s.residualXPx = s.measuredX - p.x;
        s.residualYPx = s.measuredY - p.y;
        s.residualPx = std::hypot(s.residualXPx, s.residualYPx);
        s.residualArcsec = angularSeparationArcsec({star.raDeg, star.decDeg},
                                                   pixelToSky(*wcs, s.measuredX, s.measuredY));
        s.flux = m.centroid.flux;
        s.flatTop = m.centroid.flatTop;
        s.used = fit.used[k] != 0;
        if (s.used) {
            ++result.starsUsed;
            sum2 += s.residualPx * s.residualPx;
            sum2Arcsec += s.residualArcsec * s.residualArcsec;
            const auto q = refiner.threeStarPrediction(std::size_t(m.index));
            const double d = q ? std::hypot(s.measuredX - q->x, s.measuredY - q->y)
                               : std::numeric_limits<double>::infinity();
            sum2Linear += d * d;
        } else {
            ++result.starsRejected;
        }
        result.stars.push_back(s);
    }
    std::sort(result.stars.begin(), result.stars.end(),
              [](const RefinedStarFit& a, const RefinedStarFit& b) { return a.index < b.index; });
    if (result.starsUsed < kRefinedMinimumStars) {
        result.outcome = RefinementOutcome::TooFewStars;
        return result;
    }
    result.rmsPx = std::sqrt(sum2 / result.starsUsed);
    result.rmsArcsec = std::sqrt(sum2Arcsec / result.starsUsed);
    result.threeStarRmsPx = std::sqrt(sum2Linear / result.starsUsed);
    result.refined = result.rmsPx < result.threeStarRmsPx;
    result.outcome = result.refined ? RefinementOutcome::Refined : RefinementOutcome::NotBetter;
    return result;
}

}  // namespace ce
