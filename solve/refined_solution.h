#pragma once
// The refined solution: once a candidate from three stars is accepted, the
// catalogue stars that fall on the image are measured where they really are
// and a TAN model (tangent point at the field centre, six-parameter linear
// map) is fitted to all of them by least squares.
//
// Frame and pixels as in tangent_plane.h: right ascension and declination in
// degrees, J2000.0; image pixels, x right, y down, pixel centres on whole
// numbers, origin top-left.
//
// Usage, once the user has answered "Oui":
//  1. Fill RefinementInput: the catalogue stars (raDeg = starU / corrAsd,
//     decDeg = starV / corrDec), the accepted plate solution, corrAsd,
//     corrDec, the five marks, the Tolérance and the field centre (J2000.0).
//  2. refineSolution(image, input) with the image as an IntensitySource
//     (PackedColourIntensity of the window's picture).
//  3. result.refined: use result.wcs for every position from now on;
//     otherwise keep the plate solution and tell result.outcome.
//     result.stars holds every star measured, used or rejected, for the
//     journal and an export.

#include "core/plate_solution.h"
#include "solve/centroid.h"
#include "core/tangent_plane.h"

#include <span>
#include <vector>

namespace ce {

inline constexpr int kRefinedMinimumStars = 6;      // fewer: the 3-star solution stays
inline constexpr double kRefinedRejectSigma = 3.0;  // outliers beyond 3σ are rejected
inline constexpr double kRefinedRejectFloorPx = 0.5;  // never reject a star closer than this

struct CatalogueSkyStar {
    double raDeg = 0.0;   // J2000.0
    double decDeg = 0.0;  // J2000.0
};

struct RefinementInput {
    std::span<const CatalogueSkyStar> stars;  // the catalogue stars, any order
    PlateSolution threeStar;                  // the accepted plate solution
    double corrAsd = 0.0;                     // plane units per degree of right ascension
    double corrDec = 0.0;                     // plane units per degree of declination
    std::span<const PixelPoint> marks;        // the marked stars, image pixels
    double tolerancePx = 7.0;                 // the Tolérance, pixels
    SkyPoint fieldCentre;                     // tangent point, degrees, J2000.0
};

enum class RefinementOutcome {
    Refined,          // result.wcs is better than the 3-star solution
    TooFewStars,      // fewer than kRefinedMinimumStars stars measured and kept
    NotBetter,        // the fit's rms is not below that of the 3-star solution
    NoLinearModel,    // corrAsd or corrDec is 0, or the plate solution has no inverse
    DegenerateFit,    // the stars lie on a line: no fit
};

struct RefinedStarFit {
    int index = 0;             // position of the star in RefinementInput::stars
    double raDeg = 0.0;        // catalogue position, J2000.0
    double decDeg = 0.0;
    double measuredX = 0.0;    // centroid on the image, pixels (sub-pixel)
    double measuredY = 0.0;
    double predictedX = 0.0;   // where the final model puts the star, pixels
    double predictedY = 0.0;
    double residualXPx = 0.0;  // measured − predicted, pixels
    double residualYPx = 0.0;
    double residualPx = 0.0;   // length of the residual, pixels
    double residualArcsec = 0.0;  // catalogue position to the sky position of the centroid
    double flux = 0.0;         // background-subtracted flux of the centroid
    bool flatTop = false;      // saturated star
    bool used = false;         // in the final fit; false: rejected as an outlier
};

struct RefinementResult {
    RefinementOutcome outcome = RefinementOutcome::TooFewStars;
    bool refined = false;        // outcome == Refined
    TanWcs wcs;                  // the fitted model (also filled on NotBetter, for reports)
    std::vector<RefinedStarFit> stars;  // every star matched at the end, by index
    int starsUsed = 0;
    int starsRejected = 0;
    double rmsPx = 0.0;          // of the used stars, pixels: √(Σ residualPx² / n)
    double rmsArcsec = 0.0;      // of the used stars, arcseconds
    double threeStarRmsPx = 0.0; // the 3-star solution's rms on the same stars, pixels
    int rounds = 0;              // predict-measure-fit rounds run
};

// refineSolution: the least-squares TAN model from the catalogue stars seen
// on the image.
// Given:  the image and the input above.
// Returns: the result; `refined` only when at least kRefinedMinimumStars
//          stars are used and the fit's rms in pixels is below that of the
//          3-star solution on the same stars.
// Method:
//  1. Prediction: at first from the 3-star solution (U = ra·corrAsd,
//     V = dec·corrDec, planeToPixel), later from the last fitted model.
//  2. Measure: every star predicted on the image within the current reach
//     of the marks (distance to the nearest mark) gets a centroid
//     (measureCentroid, peak searched within the Tolérance of the
//     prediction, rounded up to a whole pixel); it is matched when a star is
//     found there and its centroid lies within the search box. Where
//     several catalogue stars land on one centroid (within 1 px) only the
//     one predicted nearest to it stays.
//  3. Fit: standard coordinates (ξ, η) about the field centre of the matched
//     stars, then x = p1·ξ + p2·η + p3 and y = p4·ξ + p5·η + p6 by least
//     squares (residuals measured in pixels); CRPIX = (p3, p6), CD the
//     inverse of [[p1, p2], [p4, p5]]. Stars whose residual exceeds
//     max(3σ, 0.5 px) are rejected and the fit repeated on the others
//     (rejected stars come back when the new fit brings them within the
//     limit) until the kept set stops changing; σ per axis is estimated
//     from the median residual length (median / 1.1774), so that the
//     outliers sought do not widen the limit.
//  4. Grow outward: the reach starts at the larger of 100 px and twice the
//     largest distance between two marks (where the 3-star solution holds)
//     and grows by half each round, with predictions from the latest fit,
//     until it covers the image; rounds then go on until the matched set
//     stops changing (at most 20 rounds in all).
// Notes:
//  1. Deterministic: stars are visited in index order, no randomness.
//  2. Rounds in which fewer than kRefinedMinimumStars stars are matched keep
//     the previous prediction and only widen the reach.
//  3. The marks only steer where the growth starts: their positions are
//     not data of the fit (the marked stars enter, like every other star,
//     through their measured centroids).
//  4. Cost: one centroid per star and round, reused while the prediction
//     stays on the same pixel; about 25 ms of CPU for 500 stars over a
//     3000 × 3000 plate (bench/refinement_bench.cpp).
RefinementResult refineSolution(const IntensitySource& image, const RefinementInput& input);

}  // namespace ce
