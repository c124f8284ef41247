#pragma once
// Reading the catalogue service's answer into the catalogue star table.
//
// The answer is an HTML page whose star table is preformatted text. The data
// start at the first "</b>   1 U" (the bold column header closed right before
// record 1); from the character after "</b>" on, every line is one star:
//
//   columns  1-4   running number        (not read)
//           6-19   USNO-A2.0 identifier, column 6 is "U"   -> starId
//          21-29   right ascension J2000.0, degrees  x corrAsd, rounded -> starU
//          31-39   declination J2000.0, degrees      x corrDec, rounded -> starV
//          41-44   red magnitude, kept as text (blanks included)  -> starMagR
//          46-49   blue magnitude, kept as text                   -> starMagB
//          50-     further columns of the service (not read)
//
// One line is one record whatever its line end (LF, CR LF or CR), so the
// answer reads alike however it was saved. Reading ends at the first line
// whose sixth character is not "U" (or that is shorter than six characters)
// or after 4000 records. Gaia DR3 stars (catalogue/sources) carry "DR3 " in
// columns 6-9 instead of the "U": their data start at "</b>   1 DR3 " and a
// record that opens with "DR3 " there is read like a USNO-A2.0 one. A last record cut short is kept if its column 6 is
// "U"; its missing columns read as empty text and as the number 0.

#include "core/reduction_state.h"
#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace ce {

// The marker that opens the data: the end of the column header and the
// first record's running number and identifier initial.
inline constexpr char kCatalogueDataMarker[] = "</b>   1 U";
inline constexpr char kGaiaDataMarker[] = "</b>   1 DR3 ";

struct CatalogueCounts {
    std::int16_t starTotal = 0;  // records read, 0..4000
    std::int16_t starCount = 0;  // offered to the matching: min(starTotal, 497)
};

// READFILE on bytes already in memory.
// Given: the answer bytes (decoded as Windows-1252; the service answers in
// ASCII), the scale factors corrAsd and corrDec, pixels per degree.
// Fills: state.starId/starU/starV/starMagR/starMagB slots 1..n and
// state.starTotal, state.starCount, and starRaDeg/starDecDeg with the
// positions as read; slot 0 and slots above n are left as they were. Numbers are read by the leading-number rule and the products
// rounded half to even. A factor of 0 gives 0 for every star.
// Returns: the two counts. No marker gives 0 and 0.
CatalogueCounts readCatalogueAnswer(const QByteArray& answer, double corrAsd, double corrDec,
                                    ReductionState& state);

// The same from a file (the downloaded data.txt). A file that cannot be
// read fails with its reason worded by `lang` (text "file.not_found" when
// it is missing) and leaves the state untouched.
Result<CatalogueCounts> readCatalogueFile(const QString& path, double corrAsd, double corrDec,
                                          ReductionState& state, const TextLookup& lang);

// The text a record carries after column 65, trimmed ("Gaia DR3
// 2788812345678901234" for a Gaia star, whose columns 6-19 keep only the
// last digits), for the record of the data whose columns 6-19 are
// `identifier`; empty when there is none.
QString catalogueRecordNote(const QByteArray& answer, const QString& identifier);

// The status line after a read: starCount, "/", starTotal and language
// message 19, joined without blanks ("497/1234" + message).
QString catalogueReadStatus(const CatalogueCounts& counts, const QString& message19);

}  // namespace ce
