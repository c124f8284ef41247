// The help reader: any bytes that start like RTF read into paragraphs whose
// adjacent runs differ in format; the document written out again as RTF
// reads back as the same paragraphs, runs and formats.

#include "app/rtf_reader.h"
#include "tests/fuzz/fuzz_support.h"

using namespace ce;
using ce::fuzz::require;

namespace {

// The document as RTF: every run opens with its whole format after \plain,
// every character outside printable ASCII goes as \uN with a "?" fallback,
// every paragraph ends with \par.
QByteArray rtfOf(const RtfDocument& document)
{
    QByteArray out = "{\\rtf1\\ansi ";
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            out += "\\plain\\fs" + QByteArray::number(run.halfPoints);
            if (run.bold) out += "\\b";
            if (run.italic) out += "\\i";
            if (run.underline) out += "\\ul";
            out += ' ';
            for (QChar c : run.text) {
                const char16_t u = c.unicode();
                if (u == u'\\' || u == u'{' || u == u'}')
                    out += '\\' + QByteArray(1, char(u));
                else if (u >= 0x20 && u < 0x7F)
                    out += char(u);
                else
                    out += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
        out += "\\par\n";
    }
    out += '}';
    return out;
}

QString describe(const RtfDocument& document)
{
    QString text;
    for (const RtfParagraph& p : document.paragraphs) {
        for (const RtfRun& r : p.runs)
            text += QStringLiteral("[%1%2%3 %4]").arg(r.bold).arg(r.italic).arg(r.underline).arg(r.halfPoints) + r.text;
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
    const Result<RtfDocument> read = readRtf(bytes);
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
        }
        paragraphs << paragraph.plainText();
    }
    require(read->plainText() == paragraphs.join(u'\n'), "the plain text is the paragraphs joined");

    const QByteArray written = rtfOf(*read);
    const Result<RtfDocument> again = readRtf(written);
    if (!again.ok() || !sameDocument(*again, *read))
        fuzz::broken("the document written out reads back the same",
                     describe(*read) + QStringLiteral("\n---\n") + (again.ok() ? describe(*again) : again.error()));
    return 0;
}
