#include "tools/demo_field/field_projection.h"

#include <cmath>
#include <numbers>

namespace ce::demo {

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

}  // namespace

FieldProjection::FieldProjection(const FieldGeometry& geometry)
    : geometry_(geometry),
      pixelsPerRadian_(geometry.pixelsPerDegree / kRadPerDeg),
      cosRotation_(std::cos(geometry.rotationDeg * kRadPerDeg)),
      sinRotation_(std::sin(geometry.rotationDeg * kRadPerDeg))
{
}

std::optional<QPointF> FieldProjection::skyToPixel(double raDeg, double decDeg) const
{
    const double dRa = (raDeg - geometry_.centreRaDeg) * kRadPerDeg;
    const double d0 = geometry_.centreDecDeg * kRadPerDeg;
    const double d = decDeg * kRadPerDeg;
    const double cosDistance = std::sin(d0) * std::sin(d) + std::cos(d0) * std::cos(d) * std::cos(dRa);
    if (cosDistance <= 0)
        return std::nullopt;
    const double xi = std::cos(d) * std::sin(dRa) / cosDistance;
    const double eta = (std::cos(d0) * std::sin(d) - std::sin(d0) * std::cos(d) * std::cos(dRa)) / cosDistance;
    // Screen offsets before the turn: east left (right when mirrored), north up.
    const double sx = (geometry_.mirror ? xi : -xi) * pixelsPerRadian_;
    const double sy = -eta * pixelsPerRadian_;
    const double x = sx * cosRotation_ - sy * sinRotation_;
    const double y = sx * sinRotation_ + sy * cosRotation_;
    return QPointF((geometry_.widthPx - 1) / 2.0 + x, (geometry_.heightPx - 1) / 2.0 + y);
}

SkyPosition FieldProjection::pixelToSky(double x, double y) const
{
    const double dx = x - (geometry_.widthPx - 1) / 2.0;
    const double dy = y - (geometry_.heightPx - 1) / 2.0;
    // Undo the turn, then the screen orientation.
    const double sx = dx * cosRotation_ + dy * sinRotation_;
    const double sy = -dx * sinRotation_ + dy * cosRotation_;
    const double xi = (geometry_.mirror ? sx : -sx) / pixelsPerRadian_;
    const double eta = -sy / pixelsPerRadian_;

    const double a0 = geometry_.centreRaDeg * kRadPerDeg;
    const double d0 = geometry_.centreDecDeg * kRadPerDeg;
    // Inverse gnomonic projection: the point (xi, eta, 1) of the tangent
    // plane, turned from the centre's frame into equatorial axes.
    const double denominator = std::cos(d0) - eta * std::sin(d0);
    const double ra = a0 + std::atan2(xi, denominator);
    const double dec = std::atan2(std::sin(d0) + eta * std::cos(d0), std::hypot(xi, denominator));
    double raDeg = std::fmod(ra / kRadPerDeg, 360.0);
    if (raDeg < 0)
        raDeg += 360.0;
    return {raDeg, dec / kRadPerDeg};
}

}  // namespace ce::demo
