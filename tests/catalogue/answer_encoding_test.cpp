// Decoding an answer body: plain, gzip (made here with zlib, as a server
// makes it), damaged or cut gzip, an encoding not asked for, and a gzip
// stream that decodes beyond the size limit.

#include "catalogue/answer_encoding.h"
#include "tests/core/key_echo.h"

#include <zlib.h>

#include <gtest/gtest.h>

namespace ce {
namespace {

QByteArray gzip(const QByteArray& plain)
{
    z_stream s{};
    EXPECT_EQ(deflateInit2(&s, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    QByteArray out(qsizetype(deflateBound(&s, uLong(plain.size()))), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.constData()));
    s.avail_in = uInt(plain.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&s, Z_FINISH), Z_STREAM_END);
    out.resize(qsizetype(s.total_out));
    deflateEnd(&s);
    return out;
}

TEST(AnswerEncoding, PlainGzipAndEveryFailure)
{
    QByteArray page;
    for (int i = 0; i < 3000; ++i) page += "   1 U1050_01234567  23.70884 +22.18361 12.3 13.1\n";
    const QByteArray packed = gzip(page);
    ASSERT_LT(packed.size(), page.size() / 10);

    EXPECT_EQ(*decodeAnswerBody("", page, 1 << 20, test::KeyEcho()), page);
    EXPECT_EQ(*decodeAnswerBody("identity", page, 1 << 20, test::KeyEcho()), page);
    EXPECT_EQ(*decodeAnswerBody(" GZip ", packed, 1 << 20, test::KeyEcho()), page);
    EXPECT_EQ(*decodeAnswerBody("gzip", gzip(QByteArray()), 10, test::KeyEcho()), QByteArray());

    const struct { const char* name; QByteArray encoding, body; qint64 max; const char* reason; } failures[] = {
        {"cut short", "gzip", packed.left(packed.size() / 2), 1 << 20, "catalogue.read.gzipcut"},
        {"damaged", "gzip", QByteArray(packed).replace(12, 4, "\xff\xff\xff\xff"), 1 << 20, "catalogue.read.gzip"},
        {"not gzip", "gzip", page.left(100), 1 << 20, "catalogue.read.gzip"},
        {"too large", "gzip", packed, page.size() - 1, "catalogue.read.toolarge|"},
        {"brotli", "br", packed, 1 << 20, "catalogue.read.encoding|br"},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.name);
        const Result<QByteArray> r = decodeAnswerBody(f.encoding, f.body, f.max, test::KeyEcho());
        ASSERT_FALSE(r);
        EXPECT_TRUE(test::spoken(r.error()).startsWith(QString::fromUtf8(f.reason))) << r.error().toStdString();
    }
}

}  // namespace
}  // namespace ce
