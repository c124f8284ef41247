#pragma once
// The field centre typed in the main window's "Catalogue d'étoile" frame:
// txt_ra_0..2 (hours, minutes, seconds), txt_dec_0..2 (degrees,
// arcminutes, arcseconds, unsigned as typed) and the caption of the sign
// label txt_dec_sign_show_0. The download and the centre cross read it here.

#include "core/result.h"
#include "core/sexagesimal.h"
#include "core/text_lookup.h"

namespace ce {

class ReductionView;

// Reads the six fields by the locale rule with systemDecimalPoint(), right
// ascension first (fieldCentreFromTexts): the centre in degrees, or the
// type-mismatch message, worded by `lang`, naming the first field that is
// not a number.
Result<FieldCentre> readFieldCentre(const ReductionView& view, const TextLookup& lang);

}  // namespace ce
