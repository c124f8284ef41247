#include "core/plate_solution.h"

#include "core/reduction_state.h"

namespace ce {

PlateSolution plateSolutionOf(const ReductionState& state)
{
    return {state.plateA, state.plateB, state.plateC, state.plateD, state.plateE, state.plateF};
}

void storePlateSolution(ReductionState& state, const PlateSolution& solution)
{
    state.plateA = solution.A;
    state.plateB = solution.B;
    state.plateC = solution.C;
    state.plateD = solution.D;
    state.plateE = solution.E;
    state.plateF = solution.F;
}

double determinant(const PlateSolution& s)
{
    return s.A * s.E - s.B * s.D;
}

PlanePoint pixelToPlane(const PlateSolution& s, double x, double y)
{
    return {s.A * x + s.B * y + s.C, s.D * x + s.E * y + s.F};
}

std::optional<PixelPoint> planeToPixel(const PlateSolution& s, double U, double V)
{
    const double det = determinant(s);
    if (det == 0.0)
        return std::nullopt;
    return PixelPoint{(s.E * (U - s.C) - s.B * (V - s.F)) / det,
                      (s.A * (V - s.F) - s.D * (U - s.C)) / det};
}

namespace {

// The three coefficients of one plane coordinate W = a·x + b·y + c through
// the three pairs (xk, yk) -> Wk, by Cramer's rule over the determinant d.
struct Row {
    double a, b, c;
};

Row cramerRow(double x1, double y1, double W1, double x2, double y2, double W2, double x3,
              double y3, double W3, double d)
{
    return {(W1 * (y2 - y3) - y1 * (W2 - W3) + (W2 * y3 - W3 * y2)) / d,
            (x1 * (W2 - W3) - W1 * (x2 - x3) + (x2 * W3 - x3 * W2)) / d,
            (x1 * (y2 * W3 - W2 * y3) - y1 * (x2 * W3 - W2 * x3) + W1 * (x2 * y3 - y2 * x3)) / d};
}

}  // namespace

std::optional<PlateSolution> solveFromThreePairs(double x1, double y1, double U1, double V1,
                                                 double x2, double y2, double U2, double V2,
                                                 double x3, double y3, double U3, double V3)
{
    const double d = x1 * (y2 - y3) - y1 * (x2 - x3) + (x2 * y3 - x3 * y2);
    if (d == 0.0)
        return std::nullopt;
    const Row u = cramerRow(x1, y1, U1, x2, y2, U2, x3, y3, U3, d);
    const Row v = cramerRow(x1, y1, V1, x2, y2, V2, x3, y3, V3, d);
    return PlateSolution{u.a, u.b, u.c, v.a, v.b, v.c};
}

}  // namespace ce
