#pragma once
// The solution the reduction uses now, for every position drawn on the
// image or reported from it: the refined TAN model when the accepted
// candidate was refined, else the plate solution on the linear catalogue
// plane (U = ra·corrAsd, V = dec·corrDec).
//
// Pixels: image pixels, x right, y down, pixel centres on whole numbers.
// Sky: right ascension and declination, degrees, J2000.0.

#include "core/plate_solution.h"
#include "core/reduction_state.h"
#include "core/tangent_plane.h"

#include <optional>

namespace ce {

// planeToImage: where a point of the catalogue plane falls on the image.
// Given:  the state (refined, plate solution, corrAsd, corrDec) and (U, V).
// Returns: with a refined model, skyToPixel of (U / corrAsd, V / corrDec);
//          otherwise planeToPixel of the plate solution.
// Notes:
//  1. None when the map has no inverse, a factor is 0 with a refined
//     model, or the point lies behind the tangent plane.
std::optional<PixelPoint> planeToImage(const ReductionState& state, double U, double V);

// imageToSky: the sky position seen at an image point.
// Given:  the state and (x, y), image pixels.
// Returns: right ascension (0..360 with a refined model, as the linear
//          plane gives it otherwise) and declination, degrees, J2000.0.
// Notes:
//  1. None when the linear solution is in force and corrAsd or corrDec is 0.
std::optional<SkyPoint> imageToSky(const ReductionState& state, double x, double y);

}  // namespace ce
