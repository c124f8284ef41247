// FITS cards as other programs read them: every card 80 printable ASCII
// characters, values read back by CFITSIO (the reference reader) equal to
// the values written, texts that FITS cannot hold made printable.

#include "export/fits_cards.h"

#include <fitsio.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ce {
namespace {

bool printable(const QByteArray& card)
{
    for (const char c : card)
        if (c < 32 || c > 126) return false;
    return true;
}

// The value and comment of a card as CFITSIO parses them.
struct Parsed {
    int status = 0;
    QByteArray value, comment;
};
Parsed parse(const QByteArray& card)
{
    Parsed p;
    char value[FLEN_VALUE] = {}, comment[FLEN_COMMENT] = {};
    QByteArray copy = card;
    fits_parse_value(copy.data(), value, comment, &p.status);
    p.value = value, p.comment = comment;
    return p;
}

// The card put in a header in memory and its value read by keyword, as
// `type` (TDOUBLE or TSTRING).
struct ReadBack {
    int status = 0;
    double number = NAN;
    QByteArray text;
};
ReadBack readBack(const QByteArray& card, int type)
{
    ReadBack r;
    fitsfile* f = nullptr;
    fits_create_file(&f, "mem://", &r.status);
    fits_create_img(f, BYTE_IMG, 0, nullptr, &r.status);
    fits_write_record(f, card.constData(), &r.status);
    const QByteArray key = card.left(8).trimmed();
    char text[FLEN_VALUE] = {};
    if (type == TDOUBLE)
        fits_read_key(f, TDOUBLE, key.constData(), &r.number, nullptr, &r.status);
    else
        fits_read_key(f, TSTRING, key.constData(), text, nullptr, &r.status);
    r.text = text;
    int closing = 0;
    fits_close_file(f, &closing);
    return r;
}

TEST(FitsCards, RealsReadBackExactlyThroughCfitsio)
{
    const double values[] = {0.0, 2000.0, -1.0, 23.708333333333332, -0.00027777777777777778, 1e-300,
                             -2.2250738585072014e-308, 1.7976931348623157e308, 359.99999999999994,
                             123456789012345678.0, 0.1};
    for (const double v : values) {
        const std::optional<QByteArray> card = realCard("CD1_1", v, QStringLiteral("degrees per pixel"));
        ASSERT_TRUE(card) << v;
        EXPECT_EQ(card->size(), kFitsCardLength) << card->constData();
        EXPECT_TRUE(printable(*card)) << card->constData();
        const Parsed p = parse(*card);
        ASSERT_EQ(p.status, 0) << card->constData();
        // A real always carries a point, so that readers take it as real.
        EXPECT_TRUE(p.value.contains('.')) << p.value.constData();
        const ReadBack back = readBack(*card, TDOUBLE);
        ASSERT_EQ(back.status, 0) << card->constData();
        EXPECT_EQ(back.number, v) << p.value.constData();
        EXPECT_EQ(p.comment, "degrees per pixel");
    }
    // Subnormal values become 0: CFITSIO would take them for an overflow.
    for (const double tiny : {4.9406564584124654e-324, -1e-310}) {
        const ReadBack back = readBack(*realCard("CD1_1", tiny), TDOUBLE);
        EXPECT_EQ(back.status, 0) << tiny;
        EXPECT_EQ(back.number, 0.0) << tiny;
    }
    EXPECT_FALSE(realCard("CRVAL1", NAN));
    EXPECT_FALSE(realCard("CRVAL1", std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(fitsReal(-std::numeric_limits<double>::infinity()));
}

TEST(FitsCards, StringsAreQuotedPrintableAndCutWithoutBreakingAQuote)
{
    struct Row {
        const char* name;
        QString given;
        QByteArray expected;  // as CFITSIO returns the string
    };
    const Row rows[] = {
        {"short, padded", QStringLiteral("deg"), "deg"},
        {"date", QStringLiteral("2024-10-05T22:14:00"), "2024-10-05T22:14:00"},
        {"inner quote", QStringLiteral("O'Brien"), "O'Brien"},
        {"accents lost", QStringLiteral("Étoile à l'ouest"), "Etoile a l'ouest"},
        {"control characters", QStringLiteral("a\tb\nc"), "a?b?c"},
        {"outside Latin", QStringLiteral("星"), "?"},
        {"trailing blanks", QStringLiteral("ICRS    "), "ICRS"},
    };
    for (const Row& r : rows) {
        const QByteArray card = stringCard("OBJECT", r.given, QStringLiteral("note"));
        EXPECT_EQ(card.size(), kFitsCardLength) << r.name;
        EXPECT_TRUE(printable(card)) << r.name;
        EXPECT_EQ(card.mid(8, 3), "= '") << r.name;
        const ReadBack back = readBack(card, TSTRING);
        ASSERT_EQ(back.status, 0) << r.name;
        EXPECT_EQ(back.text, r.expected) << r.name;
    }
    // 80 quotes double to 160 characters: cut at 68, never in the middle
    // of a pair, and the card still parses.
    const QByteArray quotes = stringCard("OBJECT", QString(80, u'\''));
    EXPECT_EQ(quotes.size(), kFitsCardLength);
    const ReadBack back = readBack(quotes, TSTRING);
    ASSERT_EQ(back.status, 0);
    EXPECT_EQ(back.text, QByteArray(34, '\''));
}

TEST(FitsCards, CommentaryWrapsAtBlanksAndHeaderFillsWholeBlocks)
{
    const QString words = QStringLiteral("Stars used: ") +
                          QStringList(40, QStringLiteral("U1050_01234567")).join(u' ');
    const QList<QByteArray> cards = commentaryCards("COMMENT", words);
    ASSERT_GT(cards.size(), 1);
    QByteArray joined;
    for (const QByteArray& c : cards) {
        EXPECT_EQ(c.size(), kFitsCardLength);
        EXPECT_TRUE(c.startsWith("COMMENT "));
        const QByteArray text = c.mid(8).trimmed();
        EXPECT_FALSE(text.endsWith("U1050_0")) << "a word cut: " << c.constData();
        joined += (joined.isEmpty() ? "" : " ") + text;
    }
    EXPECT_EQ(joined, words.toLatin1());
    EXPECT_EQ(commentaryCards("COMMENT", QString()).size(), 1);

    for (int count : {0, 35, 36, 71, 100}) {
        QList<QByteArray> many;
        for (int i = 0; i < count; ++i) many << integerCard("NAXIS", i);
        const QByteArray header = headerBlocks(many);
        EXPECT_EQ(header.size() % kFitsBlockLength, 0) << count;
        EXPECT_EQ(header.size(), ((count + 1) * 80 + 2879) / 2880 * 2880) << count;
        EXPECT_EQ(header.mid(count * 80, 80), QByteArray("END").leftJustified(80, ' ')) << count;
        EXPECT_TRUE(printable(header)) << count;
    }
}

}  // namespace
}  // namespace ce
