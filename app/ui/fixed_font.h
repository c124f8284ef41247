#pragma once
// A font whose characters all have the same width, for reports laid out in
// columns (the object details).

#include <QFont>

namespace ce {

// True when "i", "M", "." and "W" advance by the same width in `font`: the
// columns of a report line up. (Qt's fixed-pitch flag is not enough: some
// monospaced families, Noto Sans Mono among them, are reported as
// proportional.)
bool hasFixedAdvances(const QFont& font);

// The system's fixed font when its glyphs really are of one width, else the
// first of the usual monospaced families that is, DejaVu Sans Mono (which
// the installer brings) first; the same point size as the system's.
QFont fixedWidthFont();

}  // namespace ce
