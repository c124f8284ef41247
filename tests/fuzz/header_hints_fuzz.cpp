// Header hints from any cards: each line of the input is one card, its
// first byte choosing the keyword among those the hints read (so that the
// fuzzer spends its time on the values), the rest its value; the hints hold
// finite numbers in range whatever the values.

#include "tests/fuzz/fuzz_hints.h"

using namespace ce;

namespace {

const QStringList kKeywords = {"RA",     "DEC",    "OBJCTRA", "OBJCTDEC", "CRVAL1", "CRVAL2", "CTYPE1",
                               "CTYPE2", "DATE-OBS", "FOCALLEN", "XPIXSZ", "YPIXSZ", "CD1_1",  "CD1_2",
                               "CD2_1",  "CD2_2",  "CDELT1",  "CDELT2",   "EQUINOX", "OBJECT"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QList<HeaderCard> cards;
    for (const QByteArray& line : fuzz::bytesOf(data, size).split('\n')) {
        if (line.isEmpty())
            continue;
        HeaderCard card;
        card.keyword = kKeywords[std::uint8_t(line[0]) % kKeywords.size()];
        card.value = QString::fromLatin1(line.mid(1));
        cards.append(card);
    }
    fuzz::checkHints(cards, std::nullopt);
    fuzz::checkHints(cards, 45.0);
    fuzz::checkHints(cards, -90.0);
    return 0;
}
