#pragma once
// Loading an image the user chose ("Load" and "…" beside Img:), then
// offering what its FITS header tells.
//
// When the loaded image's header gives a field centre, an epoch or scale
// factors (image/header_hints.h), one Yes/No question lists them all; on
// Yes they fill the fields (txt_ra_0..2, the sign label and txt_dec_0..2,
// txt_epoch, txt_corrasd and txt_corrdec); on No nothing changes. The
// declination for cos δ of a header without a centre is the one typed.
// Texts: [FORM] 68 opens the question, 69 closes it, 70 is its title.

#include "image/header_hints.h"

#include <QString>

namespace ce {

class ReductionController;
class ReductionView;
struct LanguageTable;

// The question's text: the opening line, one line per hint with the
// keywords it comes from, the closing line.
QString headerHintsQuestion(const HeaderHints& hints, const LanguageTable& lang);

// Writes the hints into the main window's fields.
void applyHeaderHints(ReductionView& view, const HeaderHints& hints);

// Loadimg, then the question when the header has hints.
void loadImageOfferingHints(ReductionController& controller);

}  // namespace ce
