#pragma once
// A demonstration field: a synthetic catalogue around a centre, the star
// field image that a camera with a known scale and orientation would take
// of it, and the true pixel position of every star.
//
// Usage:
//  1. Fill DemoFieldParameters (centre, scale, rotation, mirror, size, star
//     count, magnitude range, rendering).
//  2. generateDemoField() returns the catalogue, the placed stars and the
//     image.
//  3. extractText() of the catalogue feeds the local catalogue service;
//     answerText() gives the service's page for a query without a server;
//     linearScaleFactors() gives the scale factors the program's linear
//     catalogue plane needs for this field.
// Ready-made parameters (a photographic plate, a wide colour picture, the
// committed demonstration field, real-image flaws) are in field_presets.h;
// hand-placed five-star click sets on a generated field in click_sets.h.

#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/usnoa_query.h"
#include "tools/demo_field/field_projection.h"
#include "tools/demo_field/star_field_renderer.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

namespace ce::demo {

struct DemoFieldParameters {
    std::uint64_t seed = 1;
    FieldGeometry geometry;
    double catalogueRadiusArcmin = 30;
    int starCount = 2500;
    double magMin = 8;
    double magMax = 18;
    RenderParameters render;

    // Where the image and the catalogue disagree, as on real plates. Of the
    // stars whose position lies on the image, the fraction
    // uncataloguedFraction is drawn but left out of the catalogue, and of
    // the remaining ones undrawnFraction stays in the catalogue but is not
    // drawn. Each fraction is taken exactly (rounded) among the stars
    // brighter than mismatchBrightMag and separately among the fainter
    // ones, so the bright stars always get their share.
    double uncataloguedFraction = 0;
    double undrawnFraction = 0;
    double mismatchBrightMag = 13;
    // false: an empty sky (background, noise and defects, no star), with
    // the catalogue unchanged.
    bool drawStars = true;
};

struct DemoStar {
    PlacedStar placed;     // id, true pixel position, magnitudes
    bool inImage = false;  // the true position lies on the image
    bool drawn = true;     // false: in the catalogue but not on the image
};

struct DemoField {
    std::vector<service::CatalogueStar> catalogue;  // sorted by identifier
    std::vector<DemoStar> stars;                    // the catalogue's stars, same order
    std::vector<DemoStar> uncatalogued;             // drawn on the image, absent from the catalogue
    QImage image;
};

// generateDemoField
// Given: the parameters.
// Returns: the field. The image is rendered from the rounded catalogue
//          positions, so the catalogue and the image agree to well below
//          a pixel. The render seed is derived from `seed`.
DemoField generateDemoField(const DemoFieldParameters& parameters);

// The program's catalogue plane is linear: U = RA * corrAsd and
// V = Dec * corrDec (degrees), one unit per image pixel, with an affine
// plate solution on top.
struct LinearScaleFactors {
    double corrAsd = 0;  // pixels per degree of right ascension
    double corrDec = 0;  // pixels per degree of declination
};

// linearScaleFactors
// Given: the declination of the field centre, degrees, and the image scale
//        at the centre, pixels per degree.
// Returns: corrAsd = pixelsPerDegree * cos(dec), corrDec = pixelsPerDegree:
//          near the centre one degree of right ascension spans cos(dec)
//          degrees on the sky.
LinearScaleFactors linearScaleFactors(double centreDecDeg, double pixelsPerDegree);

// The service's answer page for `query` over the field's catalogue, the
// same bytes the local service would send.
QByteArray answerText(const DemoField& field, const service::UsnoaQuery& query);

// One line per catalogue star on the image, "id x y magR magB", pixel
// positions with 3 decimals, for tests that need the truth (undrawn stars
// included: their position is where the catalogue puts them).
QByteArray truthText(const DemoField& field);

// The stars where the image and the catalogue disagree, one line each,
// "uncatalogued id x y magR magB" (drawn, not in the catalogue) or
// "undrawn id x y magR magB" (in the catalogue, not drawn).
QByteArray mismatchText(const DemoField& field);

}  // namespace ce::demo
