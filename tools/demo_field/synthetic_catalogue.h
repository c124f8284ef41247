#pragma once
// A made-up star catalogue that looks like a USNO-A2.0 extract around a
// field centre: identifiers in the catalogue's zone scheme, positions to
// 1e-5 degree, red and blue magnitudes to 0.1.

#include "tools/catalogue_service/catalogue_extract.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace ce::demo {

// usnoZone
// Given: a declination, degrees, -90..+90.
// Returns: the 4-digit zone of the USNO-A2.0 identifier: ten times the
//          south polar distance (dec + 90) of the lower edge of the 7.5
//          degree band that holds it, "0000" to "1725".
// Notes:
//  1. A band holds its lower edge: +22.5 is in "1125", +22.49 in "1050".
//  2. +90 exactly belongs to the last band, "1725".
QString usnoZone(double decDeg);

struct SyntheticCatalogueParameters {
    std::uint64_t seed = 1;
    double centreRaDeg = 0;       // degrees, J2000.0
    double centreDecDeg = 0;      // degrees, J2000.0
    double radiusArcmin = 30;     // stars lie within this distance of the centre
    int starCount = 1000;
    double magMin = 8;            // brightest red magnitude
    double magMax = 18;           // faintest red magnitude
    // Star counts grow by a factor 10^countSlope per magnitude, as in the
    // real sky at these magnitudes (about 0.3).
    double countSlope = 0.3;
};

// makeSyntheticCatalogue
// Given: the parameters above.
// Returns: `starCount` stars spread evenly over the spherical cap of the
//          radius about the centre, red magnitudes in magMin..magMax drawn
//          with the count slope, blue = red + 0.3..1.5; identifiers "U" +
//          zone + "_" + 8 digits numbered by increasing right ascension
//          within each zone, as in the catalogue; sorted by identifier.
// Notes:
//  1. The same parameters give the same catalogue on the same platform.
//  2. Positions and magnitudes are rounded to the catalogue's precision
//     before they are returned, so every consumer sees the same values.
std::vector<service::CatalogueStar> makeSyntheticCatalogue(const SyntheticCatalogueParameters& parameters);

}  // namespace ce::demo
