#include "export/fits_cards.h"

#include <charconv>
#include <cmath>

namespace ce {

namespace {

constexpr int kValueColumns = 20;   // columns 11-30
constexpr int kCommentaryText = 72; // columns 9-80

QByteArray keywordField(const char* keyword)
{
    return QByteArray(keyword).leftJustified(8, ' ', true);
}

// The keyword, "= ", the value, and the comment as far as it fits.
QByteArray valueCard(const char* keyword, const QByteArray& value, const QString& comment)
{
    QByteArray card = keywordField(keyword) + "= " + value;
    const QByteArray note = printableAscii(comment);
    if (!note.isEmpty() && card.size() + 3 < kFitsCardLength)
        card += " / " + note;
    return card.leftJustified(kFitsCardLength, ' ', true);
}

QByteArray rightJustified(const QByteArray& value)
{
    return value.rightJustified(kValueColumns, ' ');
}

}  // namespace

QByteArray printableAscii(const QString& text)
{
    // Canonical decomposition puts each accent after its letter as a
    // combining mark, which is then dropped.
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QByteArray out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const char16_t u = c.unicode();
        out += (u >= 32 && u <= 126) ? char(u) : '?';
    }
    return out;
}

std::optional<QByteArray> fitsReal(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // CFITSIO reads a subnormal number as an overflow: below the smallest
    // normal double a value is written as 0.
    if (std::fpclassify(value) == FP_SUBNORMAL)
        value = std::copysign(0.0, value);
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc())
        return std::nullopt;
    QByteArray text(buffer, end - buffer);
    text.replace('e', 'E');
    const qsizetype exponent = text.indexOf('E');
    const qsizetype mantissaEnd = exponent < 0 ? text.size() : exponent;
    if (!text.left(mantissaEnd).contains('.'))
        text.insert(mantissaEnd, ".0");
    return text;
}

QByteArray logicalCard(const char* keyword, bool value, const QString& comment)
{
    return valueCard(keyword, rightJustified(value ? "T" : "F"), comment);
}

QByteArray integerCard(const char* keyword, long long value, const QString& comment)
{
    return valueCard(keyword, rightJustified(QByteArray::number(value)), comment);
}

std::optional<QByteArray> realCard(const char* keyword, double value, const QString& comment)
{
    const std::optional<QByteArray> text = fitsReal(value);
    if (!text)
        return std::nullopt;
    return valueCard(keyword, rightJustified(*text), comment);
}

QByteArray stringCard(const char* keyword, const QString& value, const QString& comment)
{
    QByteArray quoted;
    for (const char c : printableAscii(value)) {
        const QByteArray piece = c == '\'' ? QByteArray("''") : QByteArray(1, c);
        if (quoted.size() + piece.size() > kFitsLongestString)
            break;
        quoted += piece;
    }
    while (quoted.endsWith(' '))
        quoted.chop(1);
    return valueCard(keyword, '\'' + quoted.leftJustified(8, ' ') + '\'', comment);
}

QList<QByteArray> commentaryCards(const char* keyword, const QString& text)
{
    QList<QByteArray> cards;
    QByteArray rest = printableAscii(text).trimmed();
    do {
        QByteArray line = rest.left(kCommentaryText);
        if (rest.size() > kCommentaryText) {
            const qsizetype blank = line.lastIndexOf(' ');
            if (blank > 0)
                line.truncate(blank);
        }
        rest = rest.mid(line.size()).trimmed();
        cards.push_back((keywordField(keyword) + line).leftJustified(kFitsCardLength, ' ', true));
    } while (!rest.isEmpty());
    return cards;
}

QByteArray headerBlocks(const QList<QByteArray>& cards)
{
    QByteArray header;
    for (const QByteArray& card : cards)
        header += card;
    header += QByteArray("END").leftJustified(kFitsCardLength, ' ');
    const qsizetype padded = (header.size() + kFitsBlockLength - 1) / kFitsBlockLength * kFitsBlockLength;
    return header.leftJustified(padded, ' ');
}

}  // namespace ce
