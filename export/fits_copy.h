#pragma once
// A copy of a FITS image with header cards added, through CFITSIO.
//
// Every HDU of the original is copied unchanged (the pixel data byte for
// byte, a tile-compressed image still compressed); the cards go into the
// HDU of the image the program shows (the first with an image of at least
// two axes, as image/fits_reader.h finds it). World coordinate cards
// already there (CTYPEi, CRVALi, CRPIXi, CDi_j, PCi_j, CDELTi, CROTAi,
// CUNITi, PVi_m, LONPOLE, LATPOLE, RADESYS, RADECSYS, EQUINOX, EPOCH,
// WCSAXES, the distortion terms A_/B_/AP_/BP_ and their orders) are removed
// first, so that no older solution is mixed with the new one; a card with
// a keyword still present (DATE-OBS) replaces it, COMMENT and HISTORY
// cards are appended.
// The original is opened read-only and never written. The copy is written
// under a temporary name beside the target and renamed over it at the
// end, so a failure leaves neither a partial copy nor a changed target.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ce {

// copyFitsWithCards: writes the copy at `target`, replacing a file there.
// Given:  the original's path, the target path (must differ from the
//         original), the cards (80 characters each, export/fits_cards.h).
// Fails with text "fits.write_failed" of `lang` naming the file and
// CFITSIO's reason, "file.save_failed" with the system's reason when the
// copy cannot be put in place, or "export.fitscopy.same" when the target is
// the original.
Status copyFitsWithCards(const QString& original, const QString& target, const QList<QByteArray>& cards,
                         const TextLookup& lang);

// isWorldCoordinateKeyword: whether copyFitsWithCards removes a card of
// this keyword from the copy (primary solution only: a keyword of an
// alternate solution, ending in a letter A..Z, is left alone).
bool isWorldCoordinateKeyword(const QString& keyword);

}  // namespace ce
