#pragma once
// The field centre typed in the main window's "Catalogue d'étoile" frame:
// txt_ra_0..2 (hours, minutes, seconds), txt_dec_0..2 (degrees,
// arcminutes, arcseconds, unsigned as typed) and the caption of the sign
// label txt_dec_sign_show_0. The download and the centre cross read it here.

#include "core/result.h"

namespace ce {

class ReductionView;

// A field centre for the epoch typed beside it.
struct FieldCentre {
    double raDeg = 0.0;
    double decDeg = 0.0;
    // The sign label's factor, -1 or +1. Kept apart from decDeg because a
    // centre of -0°0'0'' still asks for the southern side.
    int sign = 1;
};

// Reads the six fields by the locale rule with systemDecimalPoint(), right
// ascension first. Returns the centre in degrees (raFromTexts,
// decFromTexts), or the type-mismatch message naming the first field that is
// not a number: « Incompatibilité de type : le champ RA (heures) ne contient
// pas un nombre » and alike. A finite but huge entry may give an infinite
// centre; the callers check what they need.
Result<FieldCentre> readFieldCentre(const ReductionView& view);

}  // namespace ce
