#pragma once
// The hint shown in the main window's suggestion label.
//
// The label's next text depends on a key naming the command that just ran,
// a step, two whole numbers and the text it showed before; the texts come
// from the suggestions of the language table.

#include "app/language_table.h"

#include <QString>

#include <cstdint>

namespace ce {

// Given
//   key      name of the command ("calcul", "superetalonage", "etalonage",
//            "selectstar", "open", "fullmapannuler", "calculannuler"),
//            compared exactly;
//   step     the command's step;
//   valueA,  whole numbers as decimal text, read by the leading-number rule
//   valueB   (for "calcul": candidate solutions found, catalogue stars used);
//   current  the text the label shows now;
//   table    the language table.
// Returns the label's new text.
// Notes:
//  1. "calcul" step 0 applies four rules in turn: value A below 100 sets
//     suggestion 1 + CR; value A above 100 sets suggestion 2 + CR (exactly
//     100 keeps the current text); then value B above 300 appends
//     suggestion 3 + CR and value B below 100 appends suggestion 4 + CR.
//     CR is the single character 13.
//  2. "calcul" step 1 (candidates were found or not, but none was offered
//     to the user) starts from suggestion 15 + CR instead of suggestion 1,
//     appends suggestion 2 + CR when A is above 100, then the B rules.
//  3. Any key/step pair without a rule returns `current` unchanged.
QString SetSugestion(const QString& key, std::int16_t step, const QString& valueA,
                     const QString& valueB, const QString& current, const LanguageTable& table);

}  // namespace ce
