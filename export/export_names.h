#pragma once
// The file names the exports propose, beside the image.

#include <QString>

namespace ce {

// exportFileName: the image's path with its last suffix replaced by
// `suffix` (".wcs", ".csv"): "/d/m31.fits" → "/d/m31.wcs". A compressed
// FITS image loses ".fz" too ("/d/m31.fits.fz" → "/d/m31.wcs"); a name
// without suffix gets it appended.
QString exportFileName(const QString& imagePath, const QString& suffix);

// fitsCopyName: the name of the copy of a FITS image with the solution
// added: "-wcs" before the suffix ("/d/m31.fits" → "/d/m31-wcs.fits",
// "/d/m31.fits.fz" → "/d/m31-wcs.fits.fz", "/d/m31" → "/d/m31-wcs").
// Never the image's own path.
QString fitsCopyName(const QString& imagePath);

// withSuffix: `chosen` as typed in a save dialog, with `suffix` appended
// when the name has no suffix of its own ("etoiles" → "etoiles.csv";
// "etoiles.txt" stays).
QString withSuffix(const QString& chosen, const QString& suffix);

}  // namespace ce
