#pragma once
// Shared by the FITS header targets: the hints of any header hold numbers
// a reduction can use.

#include "image/header_hints.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>

namespace ce::fuzz {

inline void checkHints(const QList<HeaderCard>& cards, std::optional<double> fallbackDecDeg)
{
    const HeaderHints hints = headerHints(cards, fallbackDecDeg);
    if (hints.centre) {
        const double ra = hints.centre->raDeg, dec = hints.centre->decDeg;
        require(std::isfinite(ra) && ra >= 0.0 && ra <= 360.0, "the centre's RA in 0..360",
                QString::number(ra, 'g', 17));
        require(std::isfinite(dec) && dec >= -90.0 && dec <= 90.0, "the centre's Dec in -90..90",
                QString::number(dec, 'g', 17));
    }
    if (hints.epochYear)
        require(std::isfinite(*hints.epochYear) && *hints.epochYear >= 0.0 && *hints.epochYear < 10000.0,
                "the epoch a year of four digits", QString::number(*hints.epochYear, 'g', 17));
    if (hints.scale)
        require(std::isfinite(hints.scale->corrAsd) && std::isfinite(hints.scale->corrDec),
                "the scale factors finite",
                QString::number(hints.scale->corrAsd, 'g', 17) + u' '
                    + QString::number(hints.scale->corrDec, 'g', 17));
}

}  // namespace ce::fuzz
