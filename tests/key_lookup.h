#pragma once
// A language for tests of code that words its texts through a TextLookup:
// each text is its key followed by four value slots, "key|%1|%2|%3|%4", so
// a test sees which text was chosen and which values went into it without
// depending on the words of any language. Slots a text does not fill stay
// as "%3", "%4".

#include "core/text_lookup.h"

#include <QStringList>

namespace ce::testing {

class KeyLookup final : public TextLookup {
public:
    QString text(const QString& key) const override { return key + QStringLiteral("|%1|%2|%3|%4"); }
};

// What KeyLookup words for `key` with the given values.
inline QString keyed(const QString& key, const QStringList& values)
{
    QString out = key;
    for (int i = 0; i < 4; ++i)
        out += u'|' + (i < values.size() ? values[i] : QStringLiteral("%") + QString::number(i + 1));
    return out;
}

}  // namespace ce::testing
