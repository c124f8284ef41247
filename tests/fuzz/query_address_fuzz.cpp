// The catalogue query address: whatever is typed in the epoch, radius and
// magnitude fields and wherever the centre lies, the address keeps its
// twelve keys in their order, carries the typed texts unchanged once
// decoded, and holds no character that could end a value or the address.

#include "catalogue/query_address.h"
#include "tests/core/key_echo.h"
#include "tests/fuzz/fuzz_support.h"

#include <QUrl>
#include <QUrlQuery>

#include <cmath>
#include <cstring>

using namespace ce;
using ce::fuzz::require;

namespace {

const QStringList kKeys = {"catalogue", "epoch", "chart", "ra", "dec", "object",
                           "radmax", "magbright", "magfaint", "format", "sort", "nout"};
const QString kPath = QStringLiteral("/skycat/servers/usnoa_res?");

// Characters allowed in the address: unreserved, the separators of the
// query and "%" of the escapes; "+" only inside the ra and dec values.
bool plainAddressCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
        || u == u'-' || u == u'.' || u == u'_' || u == u'~' || u == u'%' || u == u'&' || u == u'='
        || u == u'/' || u == u'?' || u == u'+';
}

void checkAddress(const QString& address, const QString& epoch, const QString& radius,
                  const QString& magnitude)
{
    require(address.startsWith(kPath), "the address starts with the service path", address);
    for (QChar c : address)
        require(plainAddressCharacter(c), "no character of typed text stands unescaped", address);
    const QString query = address.mid(kPath.size());
    const QStringList pairs = query.split(u'&');
    require(pairs.size() == kKeys.size(), "twelve keys", address);
    for (int i = 0; i < kKeys.size(); ++i) {
        const qsizetype eq = pairs[i].indexOf(u'=');
        require(eq > 0 && pairs[i].left(eq) == kKeys[i], "the keys in their fixed order", address);
        require(!pairs[i].mid(eq + 1).contains(u'='), "one = per key", address);
    }
    const QUrlQuery parsed(query);
    const auto value = [&](const QString& key) {
        return QUrl::fromPercentEncoding(parsed.queryItemValue(key, QUrl::FullyEncoded).toLatin1());
    };
    require(value(QStringLiteral("epoch")) == epoch, "the epoch travels as typed", address);
    require(value(QStringLiteral("radmax")) == radius, "the radius travels as typed", address);
    require(value(QStringLiteral("magfaint")) == magnitude + u'.', "the magnitude travels as typed",
            address);
}

// Well-formed text from a part of the input (invalid UTF-8 becomes U+FFFD,
// as typing cannot produce it).
QString typed(const QByteArray& part) { return QString::fromUtf8(part); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Input: two doubles (centre, degrees), one byte for the caption's sign,
    // then the three typed texts separated by NUL bytes.
    constexpr std::size_t kHead = 2 * sizeof(double) + 1;
    if (size < kHead)
        return 0;
    double ra, dec;
    std::memcpy(&ra, data, sizeof ra);
    std::memcpy(&dec, data + sizeof ra, sizeof dec);
    const int sign = (data[2 * sizeof(double)] & 1) ? -1 : 1;
    const QList<QByteArray> parts = fuzz::bytesOf(data + kHead, size - kHead).split('\0');
    const QString epoch = typed(parts.value(0));
    const QString radius = typed(parts.value(1));
    const QString magnitude = typed(parts.value(2));

    checkAddress(catalogueQueryAddress(epoch, QStringLiteral("1+34+50"), QStringLiteral("-0+30+0"),
                                       radius, magnitude),
                 epoch, radius, magnitude);

    const Result<CatalogueQuery> query = catalogueQueryAround(ra, dec, sign, epoch, radius, magnitude, ce::test::KeyEcho());
    if (!query.ok()) {
        require(!std::isfinite(ra) || !std::isfinite(dec) || query.error().contains(u"Epoch"),
                "only an infinite centre or epoch fails", query.error());
        return 0;
    }
    checkAddress(query->pathAndQuery, epoch, radius, magnitude);
    // The centre texts are numbers joined by "+" with an optional leading "-".
    for (const QString& centre : {query->raText, query->decText}) {
        const QStringList fields = QString(centre).remove(0, centre.startsWith(u'-') ? 1 : 0).split(u'+');
        require(fields.size() == 3, "the centre in three parts", centre);
        for (const QString& f : fields) {
            bool ok = false;
            f.toLongLong(&ok);
            require(ok, "each part a whole number", centre);
        }
    }
    return 0;
}
