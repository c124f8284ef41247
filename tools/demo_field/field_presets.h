#pragma once
// Ready-made fields for tests and the generator program: the committed
// demonstration field, a photographic plate and a wide colour picture, and
// the flaws that real images bring (halos, defects, stars missing on either
// side). Sky positions are degrees, J2000.0; pixels as in field_projection.h.

#include "tools/demo_field/demo_field.h"

#include <cstdint>

namespace ce::demo {

struct DemoFieldPreset {
    DemoFieldParameters field;
    double queryRadiusArcmin = 20;  // the program's first query for the field
    double queryMagFaint = 13;      // its "Mag max"
};

// The field of data/demo, as tools/demo_field/make-demo-data.sh makes it:
// 1100 x 800 px at 2250 px/degree (1.6"/px) about 1h34m50s +22 11 01,
// turned 8 degrees, 2500 stars of magnitude 8 to 17 within 30'.
DemoFieldPreset demonstrationPreset();

// A scanned photographic plate: 3000 x 3000 px at 1.08"/px (54' square)
// about 10h30m +35 00, turned 0.7 degree, gnomonic. 8000 stars of
// magnitude 7 to 18 within 40' (about 290 brighter than 14 on the plate,
// 140 brighter than 13 within the query's 30'). Stars saturate from about
// magnitude 12.3 on; their flat tops widen 8 px per magnitude up to 40 px
// (magnitude 7 to 7.5). Moffat profile (fwhm 3.5 px, beta 3), sky 40 with a
// gradient of about 12 grey levels across, correlated grain (3 grey levels,
// 3 x 3 clumps) over photon and read noise. Query: 30', magnitude 14.
DemoFieldPreset platePreset(std::uint64_t seed);

// A wide colour picture: 800 x 600 px at 20"/px (4.44 x 3.33 degrees)
// about 6h20m -2 30, turned 90 degrees (north to the right, east up),
// RGB tinted by B - R. 4000 stars of magnitude 4.5 to 13.5 within 170'
// (about 200 brighter than 10 on the picture); small saturated tops up to
// 12 px. Query: 120', magnitude 10.
DemoFieldPreset wideColourPreset(std::uint64_t seed);

// addRealFlaws
// Given: field parameters.
// Does: turns on what makes a real image harder to read than its
//       catalogue: halation rings around stars with tops of 16 px or more
//       (30 grey levels at the widest), 40 hot pixels, one scratch, 5 % of
//       the image's stars left out of the catalogue and 5 % of the
//       catalogue's stars left off the image (each among the stars brighter
//       than magnitude 13 and among the fainter ones).
void addRealFlaws(DemoFieldParameters& parameters);

}  // namespace ce::demo
