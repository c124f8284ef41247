#pragma once
// The plate solution: the affine map from image pixels (x, y) to the
// catalogue plane (U, V), one plane unit per image pixel.
//
//     U = A·x + B·y + C
//     V = D·x + E·y + F
//
// The reduction keeps the six coefficients as plateA..plateF of the
// reduction state; the helpers below copy them in and out so that every
// routine here works on plain values.

#include <optional>

namespace ce {

struct ReductionState;

struct PlateSolution {
    double A = 0.0, B = 0.0, C = 0.0;
    double D = 0.0, E = 0.0, F = 0.0;
};

// A point of the catalogue plane (plane units, one per image pixel).
struct PlanePoint {
    double U = 0.0;
    double V = 0.0;
};

// A point of the image (pixels, origin top-left, y downwards).
struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

// The solution held by the reduction state, and back.
PlateSolution plateSolutionOf(const ReductionState& state);
void storePlateSolution(ReductionState& state, const PlateSolution& solution);

// Determinant A·E − B·D of the linear part. Zero means the map squashes the
// image onto a line (or a point) and has no inverse.
double determinant(const PlateSolution& solution);

// pixelToPlane: image position to catalogue plane.
// Given:  solution, x and y in image pixels.
// Returns: (U, V) in plane units.
PlanePoint pixelToPlane(const PlateSolution& solution, double x, double y);

// planeToPixel: catalogue plane to image position, the inverse map.
// Given:  solution, U and V in plane units.
// Returns: (x, y) in image pixels, with det = A·E − B·D,
//            x = (E·(U − C) − B·(V − F)) / det
//            y = (A·(V − F) − D·(U − C)) / det
// Notes:
//  1. When det is exactly 0 there is no inverse: returns none. A det that is
//     merely tiny is used as it is and may give huge or non-finite values;
//     callers that hand positions to the window check them.
std::optional<PixelPoint> planeToPixel(const PlateSolution& solution, double U, double V);

// solveFromThreePairs: the plate solution through three image/plane pairs.
// Given:  (x1, y1)..(x3, y3) image pixels and (U1, V1)..(U3, V3) plane
//         units of the same three stars.
// Returns: the solution mapping each (xk, yk) onto (Uk, Vk), by Cramer's
//          rule with D = x1·(y2 − y3) − y1·(x2 − x3) + (x2·y3 − x3·y2):
//            A = (U1·(y2 − y3) − y1·(U2 − U3) + (U2·y3 − U3·y2)) / D
//            B = (x1·(U2 − U3) − U1·(x2 − x3) + (x2·U3 − x3·U2)) / D
//            C = (x1·(y2·U3 − U2·y3) − y1·(x2·U3 − U2·x3) + U1·(x2·y3 − y2·x3)) / D
//          and D, E, F the same with V in place of U. Double precision.
// Notes:
//  1. When D is exactly 0 (the three image points on one line, or two of
//     them equal) no affine map is fixed by them: returns none.
std::optional<PlateSolution> solveFromThreePairs(double x1, double y1, double U1, double V1,
                                                 double x2, double y2, double U2, double V2,
                                                 double x3, double y3, double U3, double V3);

}  // namespace ce
