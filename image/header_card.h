#pragma once
// One card of a FITS header, as plain texts.

#include <QString>

namespace ce {

struct HeaderCard {
    QString keyword;  // upper case, without blanks: "DATE-OBS"
    QString value;    // a string's text without its quotes and trailing blanks;
                      // other values as written ("1200.5", "T", "-3")
    QString comment;
};

}  // namespace ce
