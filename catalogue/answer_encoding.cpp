#include "catalogue/answer_encoding.h"

#include <zlib.h>

namespace ce {

Result<QByteArray> decodeAnswerBody(const QByteArray& contentEncoding, const QByteArray& body,
                                    qint64 maxBytes, const TextLookup& lang)
{
    using R = Result<QByteArray>;
    const QByteArray encoding = contentEncoding.trimmed().toLower();
    if (encoding.isEmpty() || encoding == "identity")
        return R::success(body);
    if (encoding != "gzip" && encoding != "x-gzip")
        return R::failure(lang.text(QStringLiteral("catalogue.read.encoding")).arg(QString::fromLatin1(contentEncoding)));

    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return R::failure(lang.text(QStringLiteral("catalogue.read.gzip")));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.constData()));
    stream.avail_in = static_cast<uInt>(body.size());
    QByteArray out;
    char chunk[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        if (out.size() > maxBytes) {
            inflateEnd(&stream);
            return R::failure(lang.text(QStringLiteral("catalogue.read.toolarge")).arg(QString::number(maxBytes)));
        }
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            break;  // the stream ends before its end mark
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return R::failure(lang.text(QStringLiteral("catalogue.read.gzipcut")));
    return R::success(out);
}

}  // namespace ce
