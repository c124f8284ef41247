#pragma once
// Five-star sets clicked as a hand clicks them, for tests of the star
// marking and the matching: well-spread bright stars of a generated field,
// each click a whole pixel a little off the star's true centre.
//
// Pixels as in field_projection.h: x right, y down, pixel (i, j) centred on
// the whole numbers (i, j).

#include "tools/demo_field/demo_field.h"

#include <QPoint>

#include <array>
#include <cstdint>
#include <vector>

namespace ce::demo {

struct ClickSetOptions {
    int brightestCount = 20;               // sets are drawn from this many brightest candidates
    double maxOffsetPx = 3;                // a click's centre lies 0..maxOffsetPx from the star
    double minSeparationFraction = 0.1;    // of the image's smaller side, between any two stars
    double minTriangleHeightFraction = 0.05;  // of the smaller side: no three stars nearly on a line
    int borderMarginPx = 25;               // candidates keep this far from every edge
};

struct ClickedStar {
    int starIndex = -1;  // into DemoField::stars
    QPoint clickPx;      // the clicked pixel
};

using FiveStarClicks = std::array<ClickedStar, 5>;

// offCentreClickSets
// Given: a field, the number of sets wanted, a seed and the options.
// Returns: up to `setCount` sets (fewer only when the candidates cannot
//          give more after many draws). Candidates are the catalogue stars
//          drawn on the image, at least borderMarginPx inside it, the
//          brightestCount brightest by red magnitude. In each set:
//          1. every two stars are at least minSeparationFraction times the
//             image's smaller side apart;
//          2. every triangle of three stars has all three heights at least
//             minTriangleHeightFraction times the smaller side;
//          3. each click is a whole pixel whose centre lies within
//             maxOffsetPx of the star's true position, the offset drawn
//             evenly in distance (0..maxOffsetPx) and direction (the
//             nearest pixel when no pixel centre lies that close).
// Notes:
//  1. The same field, count, seed and options give the same sets.
//  2. Sets may repeat stars; two sets are never the same five stars.
std::vector<FiveStarClicks> offCentreClickSets(const DemoField& field, int setCount, std::uint64_t seed,
                                               const ClickSetOptions& options = {});

}  // namespace ce::demo
