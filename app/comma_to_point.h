#pragma once
// Decimal-comma repair of the number fields that take a "." separator
// (Corr Asd, Corr Dec, epoch, the calibration boxes).
//
// The field replaces its first comma through its selection, which is itself
// a change of its text, so the repair runs again until no comma is left.

#include <QString>

namespace ce {

struct EditedText {
    QString text;
    int caret = 0;        // caret position, characters from the start
    bool changed = false; // a comma was replaced
};

// One repair. Given the field's text and caret; returns the text with its
// first comma replaced by "." and the caret just after that point. A text
// without comma comes back unchanged with its caret, `changed` false.
EditedText CommaToPoint(const QString& text, int caret);

}  // namespace ce
