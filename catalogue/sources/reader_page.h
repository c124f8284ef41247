#pragma once
// The page that the catalogue reader reads (catalogue/catalogue_reader.h),
// written from star records of any source.

#include <QByteArray>
#include <QString>

#include <vector>

namespace ce {

struct ReaderStar {
    QString id;          // at most 14 characters, written left-aligned in columns 6-19
    double raDeg = 0;    // J2000.0, degrees; written in 0 <= ra < 360
    double decDeg = 0;   // J2000.0, degrees, -90..+90
    double magR = 0;     // red magnitude
    double magB = 0;     // blue magnitude
    bool hasMagR = true; // false: columns 41-44 blank
    bool hasMagB = true; // false: columns 46-49 blank
    QString note;        // written after column 65 (the reader does not read
                         // it; catalogueRecordNote finds it again)
};

// readerPage
// Given: the stars in the order they are to be read (brightest first), at
//        most 9999.
// Returns: an HTML page in the present service's layout: "<pre>", a bold
//          header, the first record opened by "</b>", one 65-column record
//          per star (running number %4d, identifier, RA %9.5f, Dec %+09.5f,
//          magnitudes %4.1f clamped to -9.9..99.9, blanks to column 65),
//          LF line ends, "</pre>". Stars beyond 9999 are left out (the
//          running number has four columns).
QByteArray readerPage(const std::vector<ReaderStar>& stars);

}  // namespace ce
