#pragma once
// The Gaia DR3 stars that the local catalogue service answers from.
//
// A Gaia extract is a plain text file, one star a line:
//
//     2788812345678901234 23.708853210 +22.183592100 12.345 -8.210 12.31 12.95 11.81
//
// source_id (digits), RA and Dec (ICRS, epoch 2016.0, degrees), pmRA
// (mu_alpha* = dRA/dt cos Dec) and pmDE (mas/yr), G, BP and RP magnitudes;
// fields separated by blanks or tabs; "#" lines and blank lines ignored. A
// line that does not fit refuses the whole file, naming the line.

#include "core/result.h"
#include "tools/catalogue_service/catalogue_extract.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace ce::service {

struct GaiaStar {
    QString sourceId;       // digits, 1 to 19
    double raDeg = 0;       // ICRS, epoch 2016.0, 0 <= ra < 360
    double decDeg = 0;      // -90..+90
    double pmRaMasPerYear = 0;   // mu_alpha*
    double pmDecMasPerYear = 0;
    double gMag = 0, bpMag = 0, rpMag = 0;
};

Result<std::vector<GaiaStar>> parseGaiaExtract(const QByteArray& text, const QString& sourceName);
Result<std::vector<GaiaStar>> readGaiaExtract(const QString& path);

// Positions with 9 decimals, proper motions with 3, magnitudes with 3; LF
// line ends. parseGaiaExtract reads it back to those decimals.
QByteArray gaiaExtractText(const std::vector<GaiaStar>& stars);

// gaiaLikeCatalogue: a Gaia-like catalogue of the same stars as a USNO-A2.0
// one, for a demonstration field whose image shows the USNO-A2.0 positions
// at `observationYear`.
// Given: the stars (J2000.0 positions as seen at observationYear), the year
//        and a seed.
// Returns: one Gaia star per star, in the same order: a 19-digit source_id
//          made from the identifier, proper motions drawn from the seed
//          (typical field stars: a few mas/yr, one star in ten some tens),
//          the 2016.0 position from which linear motion over
//          observationYear - 2016.0 (catalogue/sources/proper_motion.h)
//          brings the star back to its given position (for stars further
//          than the motion from the poles), G = R, BP = B, RP = R - 0.5.
std::vector<GaiaStar> gaiaLikeCatalogue(const std::vector<CatalogueStar>& stars, double observationYear,
                                        std::uint64_t seed);

}  // namespace ce::service
