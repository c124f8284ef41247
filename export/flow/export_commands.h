#pragma once
// The two exports of the Fichier menu:
//  - "Exporter la solution WCS...": the accepted solution as a ".wcs"
//    FITS header beside the image (export/wcs_header.h) and, for a FITS
//    image, on request a copy of the image with the same cards
//    (export/fits_copy.h);
//  - "Exporter les étoiles identifiées (CSV)...": the catalogue stars drawn
//    on the image with where the refined fit measured them
//    (export/star_list_csv.h).
// Both refuse, with a box, when no solution is accepted. Every failure is
// one warning box naming the file with the system's reason; files are
// written whole or not at all (QSaveFile, temporary name and rename).
// Texts are the "export." keys of the language file.

#include <QString>

namespace ce {

class ReductionController;

// Asks the user for the name to save under. An empty answer means
// cancelled. The dialog itself asks before replacing the file it shows.
class ExportFileChooser {
public:
    virtual ~ExportFileChooser() = default;
    virtual QString saveFileName(const QString& title, const QString& proposedPath, const QString& filter) = 0;
};

// exportWcsCommand
//  1. No accepted solution, or a solution without inverse: the
//     "export.nosolution" box, nothing else; no image: "export.noimage".
//  2. The save dialog, titled "export.wcs.title", proposes the image's
//     name with ".wcs" beside it; ".wcs" is added to a name typed without
//     suffix, and replacing a file that only this addition names is asked.
//  3. The header is written: the refined solution, or the three-star
//     solution as its tangent-plane equivalent at the field centre (said
//     in the header and in the status line); DATE-OBS from the image's
//     FITS header when it has one; pixels counted as the image file stores
//     its rows (FITS: row 1 at the bottom).
//  4. For a FITS image, the question "export.fitscopy.question": Yes
//     writes the copy under fitsCopyName(image), asking first before
//     replacing an existing file; the image itself is never written.
void exportWcsCommand(ReductionController& controller, ExportFileChooser& chooser);

// exportStarsCommand: the same refusal; the save dialog titled
// "export.csv.title" proposes the image's name with ".csv"; then the list
// of identifiedStars (export/flow/exported_solution.h) and a status line
// with its count.
void exportStarsCommand(ReductionController& controller, ExportFileChooser& chooser);

}  // namespace ce
