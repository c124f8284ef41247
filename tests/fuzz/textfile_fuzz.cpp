// Text decoding: any bytes decode to a text that the writer encodes so that
// it decodes back to the same text, and splitting at line ends is stable.

#include "core/textfile.h"
#include "tests/core/key_echo.h"
#include "tests/fuzz/fuzz_support.h"

using namespace ce;
using ce::fuzz::require;

namespace {

void checkRoundTrip(const QString& text, const char* what)
{
    const QByteArray encoded = encodeText(text);
    require(decodeText(encoded) == text, what, text);
}

void checkLines(const QString& text)
{
    const QStringList lines = splitLines(text);
    for (const QString& line : lines)
        require(!line.contains(u'\r') && !line.contains(u'\n'), "no line holds a line end", line);
    // Written with CR LF and split again: the same lines.
    require(fuzz::writtenAndReadBack(lines) == lines,
            "lines written and read back are the same lines", text);
    // Splitting joined lines gives them back, whatever the line end.
    for (const QString& eol : {QStringLiteral("\n"), QStringLiteral("\r"), QStringLiteral("\r\n")}) {
        QString joined;
        for (const QString& line : lines)
            joined += line + eol;
        require(splitLines(joined) == lines, "split(join(lines)) == lines", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);

    // What a file reads as, written back, reads as the same text.
    const QString text = decodeText(bytes);
    checkRoundTrip(text, "decode(encode(decode(bytes))) == decode(bytes)");
    checkLines(text);

    // Windows-1252: every byte is one character and comes back as itself.
    const QString cp1252 = decodeWindows1252(bytes);
    require(cp1252.size() == bytes.size(), "one character per Windows-1252 byte");
    const Result<QByteArray> back = encodeWindows1252(cp1252, test::KeyEcho());
    require(back.ok() && *back == bytes, "Windows-1252 bytes come back unchanged", cp1252);
    checkRoundTrip(cp1252, "decode(encode(text)) == text for Windows-1252 text");

    // Any text typed (well-formed UTF-16) survives the writer.
    const QString typed = QString::fromUtf8(bytes);
    checkRoundTrip(typed, "decode(encode(text)) == text for typed text");
    return 0;
}
