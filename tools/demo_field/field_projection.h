#pragma once
// Where a sky position falls on a synthetic image: a gnomonic (tangent-plane)
// projection about the field centre, scaled, turned and optionally mirrored.
//
// Pixel coordinates: x to the right, y downwards, pixel (i, j) centred on
// the whole numbers (i, j). The tangent point lies at the middle of the
// image, ((width - 1) / 2, (height - 1) / 2). With no rotation and no mirror
// north is up and east is left, as the sky looks from below.

#include <QPointF>

#include <optional>

namespace ce::demo {

struct FieldGeometry {
    double centreRaDeg = 0;        // tangent point, degrees, J2000.0
    double centreDecDeg = 0;       // tangent point, degrees, J2000.0
    double pixelsPerDegree = 2250; // scale at the tangent point
    double rotationDeg = 0;        // turns the field clockwise on the screen
    bool mirror = false;           // east to the right instead of the left
    int widthPx = 1100;
    int heightPx = 800;
};

struct SkyPosition {
    double raDeg = 0;   // 0 <= ra < 360
    double decDeg = 0;
};

class FieldProjection {
public:
    explicit FieldProjection(const FieldGeometry& geometry);

    // skyToPixel
    // Given: a position (raDeg, decDeg), degrees, J2000.0.
    // Returns: its pixel position, or nothing for a position 90 degrees or
    //          more from the centre (the tangent plane does not reach it).
    // Notes:
    //  1. Standard coordinates xi = cos d sin(a - a0) / cos c and
    //     eta = (cos d0 sin d - sin d0 cos d cos(a - a0)) / cos c, where c is
    //     the distance from the centre (Calabretta & Greisen 2002, "TAN").
    //  2. One radian of the tangent plane is pixelsPerDegree * 180 / pi px.
    std::optional<QPointF> skyToPixel(double raDeg, double decDeg) const;

    // pixelToSky
    // Given: a pixel position (x, y), pixels.
    // Returns: the sky position projecting onto it, degrees, J2000.0; the
    //          exact inverse of skyToPixel.
    SkyPosition pixelToSky(double x, double y) const;

    const FieldGeometry& geometry() const { return geometry_; }

private:
    FieldGeometry geometry_;
    double pixelsPerRadian_;
    double cosRotation_;
    double sinRotation_;
};

}  // namespace ce::demo
