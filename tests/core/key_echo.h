#pragma once
// A language for tests of code that words its messages through a
// TextLookup: every text is its own key followed by placeholders, so a
// test reads back which text was chosen and which values went in, in order,
// without depending on the words of any language.
//   text("fits.no_image")           -> "fits.no_image|%1|%2|...|%9"
//   spoken(lookup.text(k).arg(a, b)) -> "k|a|b"
//   keyed(k, {a, b})                 -> lookup.text(k).arg(a, b)

#include "core/text_lookup.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace ce::test {

class KeyEcho final : public TextLookup {
public:
    QString text(const QString& key) const override
    {
        return key + QStringLiteral("|%1|%2|%3|%4|%5|%6|%7|%8|%9");
    }
};

// What KeyEcho words for `key` with the given values filled in order, the
// slots no value reached left as they are: the text a test expects.
inline QString keyed(const QString& key, const QStringList& values)
{
    QString out = key;
    for (int i = 0; i < 9; ++i)
        out += u'|' + (i < values.size() ? values[i] : QStringLiteral("%") + QString::number(i + 1));
    return out;
}

// The message with the placeholders nobody filled removed.
inline QString spoken(QString message)
{
    static const QRegularExpression unfilled(QStringLiteral("\\|%[1-9]"));
    return message.remove(unfilled);
}

}  // namespace ce::test
