// The help reader: any bytes that start like RTF read into paragraphs whose
// adjacent runs differ in format, with bookmarks in order inside them; the
// document written out again as RTF reads back as the same paragraphs, runs,
// formats, links and bookmarks. A field made of the input shows its result
// byte for byte and nothing of its instruction.

#include "app/rtf_reader.h"
#include "core/textfile.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/core/key_echo.h"

using namespace ce;
using ce::fuzz::require;

namespace {

const ce::test::KeyEcho kKeys;

// One character as RTF: printable ASCII as it is (braces and backslash
// escaped), anything else as \uN with a "?" fallback.
QByteArray rtfOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\\' || u == u'{' || u == u'}')
        return '\\' + QByteArray(1, char(u));
    if (u >= 0x20 && u < 0x7F)
        return QByteArray(1, char(u));
    return "\\u" + QByteArray::number(qint16(u)) + '?';
}

QByteArray rtfOf(const QString& text)
{
    QByteArray out;
    for (QChar c : text)
        out += rtfOf(c);
    return out;
}

// The document as RTF: every run opens with its whole format after \plain,
// a linked run inside a HYPERLINK field whose address is the link, every
// bookmark where it stands, every paragraph ended with \par.
QByteArray rtfOf(const RtfDocument& document)
{
    QByteArray out = "{\\rtf1\\ansi ";
    for (const RtfParagraph& paragraph : document.paragraphs) {
        qsizetype offset = 0;
        qsizetype next = 0;
        const auto bookmarksHere = [&] {
            for (; next < paragraph.bookmarks.size() && paragraph.bookmarks[next].offset <= offset; ++next)
                out += "{\\*\\bkmkstart " + rtfOf(paragraph.bookmarks[next].name) + '}';
        };
        for (const RtfRun& run : paragraph.runs) {
            bookmarksHere();
            if (!run.link.isEmpty())
                out += "{\\field{\\*\\fldinst HYPERLINK \"" + rtfOf(run.link) + "\"}{\\fldrslt ";
            out += "\\plain\\fs" + QByteArray::number(run.halfPoints);
            if (run.bold) out += "\\b";
            if (run.italic) out += "\\i";
            if (run.underline) out += "\\ul";
            out += ' ';
            for (qsizetype i = 0; i < run.text.size(); ++i, ++offset) {
                if (i > 0)
                    bookmarksHere();
                out += rtfOf(run.text.at(i));
            }
            if (!run.link.isEmpty())
                out += "}}";
        }
        bookmarksHere();
        out += "\\par\n";
    }
    out += '}';
    return out;
}

// Every byte as a Windows-1252 escape, so that none can end the group it
// stands in.
QByteArray escapedBytes(const QByteArray& bytes)
{
    QByteArray out;
    for (const char byte : bytes)
        out += "\\'" + QByteArray::number(static_cast<unsigned char>(byte), 16).rightJustified(2, '0');
    return out;
}

QString describe(const RtfDocument& document)
{
    QString text;
    for (const RtfParagraph& p : document.paragraphs) {
        for (const RtfRun& r : p.runs)
            text += QStringLiteral("[%1%2%3 %4 %5]").arg(r.bold).arg(r.italic).arg(r.underline).arg(r.halfPoints).arg(r.link)
                    + r.text;
        for (const RtfBookmark& b : p.bookmarks)
            text += QStringLiteral(" <%1@%2>").arg(b.name).arg(b.offset);
        text += u'\n';
    }
    return text;
}

bool sameDocument(const RtfDocument& a, const RtfDocument& b)
{
    if (a.paragraphs.size() != b.paragraphs.size())
        return false;
    for (qsizetype p = 0; p < a.paragraphs.size(); ++p) {
        const QList<RtfRun>& ra = a.paragraphs[p].runs;
        const QList<RtfRun>& rb = b.paragraphs[p].runs;
        if (ra.size() != rb.size())
            return false;
        const QList<RtfBookmark>& ba = a.paragraphs[p].bookmarks;
        const QList<RtfBookmark>& bb = b.paragraphs[p].bookmarks;
        if (ba.size() != bb.size())
            return false;
        for (qsizetype k = 0; k < ba.size(); ++k)
            if (ba[k].name != bb[k].name || ba[k].offset != bb[k].offset)
                return false;
        for (qsizetype r = 0; r < ra.size(); ++r)
            if (ra[r].text != rb[r].text || !ra[r].sameFormat(rb[r]))
                return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const Result<RtfDocument> read = readRtf(bytes, kKeys);
    require(read.ok() == bytes.startsWith("{\\rtf"), "RTF is recognised by its opening");
    if (!read.ok())
        return 0;
    QStringList paragraphs;
    for (const RtfParagraph& paragraph : read->paragraphs) {
        for (qsizetype r = 0; r < paragraph.runs.size(); ++r) {
            require(!paragraph.runs[r].text.isEmpty(), "no empty run");
            require(paragraph.runs[r].halfPoints > 0, "font sizes are positive");
            if (r > 0)
                require(!paragraph.runs[r].sameFormat(paragraph.runs[r - 1]), "adjacent runs differ in format");
            require(!paragraph.runs[r].link.contains(u'"'), "a link holds no quote");
        }
        qsizetype previous = 0;
        for (const RtfBookmark& bookmark : paragraph.bookmarks) {
            require(!bookmark.name.isEmpty() && bookmark.name == bookmark.name.trimmed(),
                    "bookmark names are trimmed and never empty");
            require(bookmark.offset >= previous && bookmark.offset <= paragraph.plainText().size(),
                    "bookmarks stand in order inside their paragraph");
            previous = bookmark.offset;
        }
        paragraphs << paragraph.plainText();
    }
    require(read->plainText() == paragraphs.join(u'\n'), "the plain text is the paragraphs joined");

    // The input cut in two: the first half a field's instruction, the rest
    // its result.
    const QByteArray instruction = bytes.left(bytes.size() / 2);
    const QByteArray result = bytes.mid(bytes.size() / 2);
    const Result<RtfDocument> field = readRtf("{\\rtf1{\\field{\\*\\fldinst " + escapedBytes(instruction)
                                              + "}{\\fldrslt " + escapedBytes(result) + "}}}", kKeys);
    require(field.ok() && field->plainText() == decodeWindows1252(result),
            "a field shows its result and nothing of its instruction");

    const QByteArray written = rtfOf(*read);
    const Result<RtfDocument> again = readRtf(written, kKeys);
    if (!again.ok() || !sameDocument(*again, *read))
        fuzz::broken("the document written out reads back the same",
                     describe(*read) + QStringLiteral("\n---\n") + (again.ok() ? describe(*again) : again.error()));
    return 0;
}
