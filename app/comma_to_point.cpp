#include "app/comma_to_point.h"

namespace ce {

EditedText CommaToPoint(const QString& text, int caret)
{
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) return {text, caret, false};
    QString repaired = text;
    repaired[comma] = u'.';
    return {repaired, static_cast<int>(comma) + 1, true};
}

}  // namespace ce
