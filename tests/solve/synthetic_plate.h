#pragma once
// A generated plate for the refinement: a known TAN model places catalogue
// stars on a synthetic image (some missing from the image, some misplaced in
// the catalogue, some image stars not in it), five saturated stars close
// together are marked, and the 3-star solution is formed from marks 1 to 3
// as the matching forms it.

#include "core/plate_solution.h"
#include "solve/refined_solution.h"
#include "core/tangent_plane.h"
#include "tests/solve/synthetic_sky.h"

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace ce::testing {

inline constexpr double kRadPerDeg = std::numbers::pi / 180.0;

struct Plate {
    const char* name;
    int width, height;
    double arcsecPerPx;
    double rotationDeg;
    bool mirror;
    double raDeg, decDeg;  // true tangent point, at the image centre
    int stars;
    double grain;          // 0: noise-free
    int misplaced;         // catalogue positions 6 px off the image star
    int missing;           // catalogue stars absent from the image
    int extra;             // image stars absent from the catalogue
    double markSpreadPx;   // size of the pattern of the five marks, pixels
    std::uint64_t seed;
};

inline TanWcs trueModel(const Plate& p)
{
    const double s = p.arcsecPerPx / 3600.0;
    const double c = std::cos(p.rotationDeg * kRadPerDeg), n = std::sin(p.rotationDeg * kRadPerDeg);
    // North up, east left, turned; the mirror flips east to the right.
    const double m = p.mirror ? -1.0 : 1.0;
    return {p.raDeg, p.decDeg, (p.width - 1) / 2.0, (p.height - 1) / 2.0, -s * c * m, s * n, -s * n * m, -s * c};
}

struct Scene {
    std::vector<CatalogueSkyStar> catalogue;
    std::vector<PixelPoint> truth;   // true image position of each catalogue star
    std::vector<char> misplaced;
    std::vector<PixelPoint> marks;
    PlateSolution threeStar;
    double corrAsd = 0, corrDec = 0;
};

inline Scene makeScene(const Plate& p, SyntheticSky& image)
{
    const TanWcs w = trueModel(p);
    std::mt19937_64 random(p.seed);
    std::uniform_real_distribution<double> ux(5.0, p.width - 6.0), uy(5.0, p.height - 6.0), upeak(40.0, 180.0);
    Scene s;
    s.corrAsd = 3600.0 / p.arcsecPerPx * std::cos(p.decDeg * kRadPerDeg);
    s.corrDec = 3600.0 / p.arcsecPerPx;
    // Five bright stars close together first, the marks, in a pattern the
    // matching would accept (no three in line), jittered.
    const double spotX = p.width * 0.3, spotY = p.height * 0.6;
    const double pattern[5][2] = {{0, 0}, {1, 0.2}, {0.3, 1}, {-0.6, 0.5}, {-0.2, -0.8}};
    std::uniform_real_distribution<double> jitter(-0.1 * p.markSpreadPx, 0.1 * p.markSpreadPx);
    for (int k = 0; k < p.stars; ++k) {
        const bool marked = k < 5;
        PixelPoint at = marked ? PixelPoint{spotX + pattern[k][0] * p.markSpreadPx + jitter(random),
                                            spotY + pattern[k][1] * p.markSpreadPx + jitter(random)}
                               : PixelPoint{ux(random), uy(random)};
        const SkyPoint sky = pixelToSky(w, at.x, at.y);
        const bool missing = !marked && k < 5 + p.missing;
        const bool wrong = !marked && !missing && k < 5 + p.missing + p.misplaced;
        if (!missing) {
            if (marked) image.addSaturatedStar(at.x, at.y, 12.0, 30.0);
            else image.addStar(at.x, at.y, upeak(random));
        }
        SkyPoint listed = sky;
        if (wrong) listed = pixelToSky(w, at.x + 6.0, at.y - 1.0);
        s.catalogue.push_back({listed.raDeg, listed.decDeg});
        s.truth.push_back(at);
        s.misplaced.push_back(wrong);
        if (marked) s.marks.push_back({std::round(at.x), std::round(at.y)});  // marks are whole pixels
    }
    for (int k = 0; k < p.extra; ++k) image.addStar(ux(random), uy(random), upeak(random));
    image.finish(p.seed, p.grain, p.grain > 0);
    // The matching's solution: marks 1 to 3 onto the plane positions U, V.
    const auto uv = [&](int k) { return PlanePoint{s.catalogue[k].raDeg * s.corrAsd, s.catalogue[k].decDeg * s.corrDec}; };
    s.threeStar = *solveFromThreePairs(s.marks[0].x, s.marks[0].y, uv(0).U, uv(0).V, s.marks[1].x, s.marks[1].y,
                                       uv(1).U, uv(1).V, s.marks[2].x, s.marks[2].y, uv(2).U, uv(2).V);
    return s;
}

}  // namespace ce::testing
