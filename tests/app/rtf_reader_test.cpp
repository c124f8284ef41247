// The RTF reader on the subset the help page uses, and on the shipped page.

#include "app/rtf_reader.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using ce::readRtf;
using ce::RtfDocument;

RtfDocument read(const char* rtf)
{
    auto result = readRtf(QByteArray(rtf));
    EXPECT_TRUE(result.ok()) << result.error().toStdString();
    return result.ok() ? *result : RtfDocument{};
}

struct TextCase {
    const char* name;
    const char* rtf;
    const char16_t* text;  // paragraphs joined with "\n"
};

// Expected texts written out by hand from the RTF rules: a paragraph ends
// at \par, "\'xx" is a Windows-1252 byte, "\uN" a UTF-16 unit followed by
// \ucN fallback characters that are dropped.
const TextCase kTexts[] = {
    {"plain paragraphs", "{\\rtf1 Un.\\par Deux.\\par}", u"Un.\nDeux."},
    {"text after the last par", "{\\rtf1 Un.\\par Deux}", u"Un.\nDeux"},
    {"empty paragraph kept", "{\\rtf1 A\\par\\par B\\par}", u"A\n\nB"},
    {"backslash before a line end", "{\\rtf1 A\\\r\nB}", u"A\nB"},
    {"source line ends are not text", "{\\rtf1 mot\r\ncoll\xc3\n\\'e9\\par}", u"mot" "coll\u00c3\u00e9"},
    {"control word eats one blank", "{\\rtf1\\b  gras}", u" gras"},
    {"latin escapes", "{\\rtf1 \\'c9toile \\'e0 \\'e7a}", u"\u00c9toile \u00e0 \u00e7a"},
    {"windows-1252 escapes", "{\\rtf1 \\'80 \\'92 \\'85 \\'9c}", u"\u20ac \u2019 \u2026 \u0153"},
    {"unicode escape skips one fallback", "{\\rtf1 \\u937?m\\u-3913?}", u"\u03a9m\uf0b7"},
    {"unicode with uc2", "{\\rtf1\\uc2 \\u8364\\'80Xa}", u"\u20aca"},
    {"unicode with uc0", "{\\rtf1\\uc0 \\u8364 a}", u"\u20aca"},
    {"unicode out of range shows nothing", "{\\rtf1 a\\u70000 b\\u-40000 c}", u"abc"},
    {"escaped braces and backslash", "{\\rtf1 \\{a\\} \\\\b}", u"{a} \\b"},
    {"symbols", "{\\rtf1 a\\tab b\\line c\\emdash\\~d\\_e\\-f}", u"a\tb\u2028c\u2014\u00a0d-ef"},
    {"font and colour tables skipped",
     "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times;}}{\\colortbl;\\red0\\green0\\blue0;}Texte}",
     u"Texte"},
    {"information and starred destinations skipped",
     "{\\rtf1{\\info{\\title Titre}{\\author Moi}}{\\*\\generator Riched20}{\\*\\unknown x}Corps}",
     u"Corps"},
    {"par inside a skipped group ends nothing", "{\\rtf1{\\*\\x a\\par b}C\\par}", u"C"},
    {"missing closing brace", "{\\rtf1 ouvert{\\b gras", u"ouvertgras"},
    {"surplus closing brace", "{\\rtf1 a}}b}", u"ab"},
};

TEST(RtfReader, Texts)
{
    for (const TextCase& c : kTexts) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(c.rtf).plainText(), QString::fromUtf16(c.text));
    }
}

TEST(RtfReader, FormattingFollowsGroupsAndSwitches)
{
    const RtfDocument doc = read(
        "{\\rtf1\\fs20 a{\\b b{\\i c}d}\\ul e\\ulnone\\b f\\b0 g{\\fs40 h}\\plain i\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 1);
    const auto& runs = doc.paragraphs[0].runs;
    struct Expected {
        const char* text;
        bool bold, italic, underline;
        int halfPoints;
    };
    // Each letter's formatting worked out by hand from the groups above;
    // \plain goes back to 12 pt (24 half points).
    const Expected expected[] = {
        {"a", false, false, false, 20}, {"b", true, false, false, 20},
        {"c", true, true, false, 20},   {"d", true, false, false, 20},
        {"e", false, false, true, 20},  {"f", true, false, false, 20},
        {"g", false, false, false, 20}, {"h", false, false, false, 40},
        {"i", false, false, false, 24}};
    ASSERT_EQ(runs.size(), qsizetype(std::size(expected)));
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        SCOPED_TRACE(expected[k].text);
        EXPECT_EQ(runs[qsizetype(k)].text, QString::fromLatin1(expected[k].text));
        EXPECT_EQ(runs[qsizetype(k)].bold, expected[k].bold);
        EXPECT_EQ(runs[qsizetype(k)].italic, expected[k].italic);
        EXPECT_EQ(runs[qsizetype(k)].underline, expected[k].underline);
        EXPECT_EQ(runs[qsizetype(k)].halfPoints, expected[k].halfPoints);
    }
}

TEST(RtfReader, NeighbouringTextOfOneFormatIsOneRun)
{
    const RtfDocument doc = read("{\\rtf1 un {\\b0 deux} {trois}\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 1);
    ASSERT_EQ(doc.paragraphs[0].runs.size(), 1);
    EXPECT_EQ(doc.paragraphs[0].runs[0].text, QStringLiteral("un deux trois"));
}

TEST(RtfReader, RefusesWhatIsNotRtf)
{
    for (const char* bytes : {"", "Bonjour", "{\\rt", " {\\rtf1 a}"}) {
        SCOPED_TRACE(bytes);
        const auto result = readRtf(QByteArray(bytes));
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error(), QStringLiteral("Le fichier n'est pas au format RTF"));
    }
}

TEST(RtfReader, ShippedHelpPageReads)
{
    // data/aide.rtf, the help page installed beside the program.
    const QString path =
        QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../data/aide.rtf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const auto result = readRtf(file.readAll());
    ASSERT_TRUE(result.ok());
    const QString text = result->plainText();
    // The steps of a reduction, in the order the page walks through them.
    const QString steps[] = {QStringLiteral("1-Download"), QStringLiteral("2-Etoiles"),
                             QStringLiteral("3-Calcul"), QStringLiteral("4-Full map"),
                             QStringLiteral("Etalonage par image")};
    qsizetype from = 0;
    for (const QString& step : steps) {
        const qsizetype at = text.indexOf(step, from);
        EXPECT_GE(at, from) << step.toStdString();
        from = std::max(from, at);
    }
    // Accented letters came through the escapes; no markup leaked out.
    EXPECT_TRUE(text.contains(QStringLiteral("Étoiles")));
    EXPECT_FALSE(text.contains(u'\\'));
    EXPECT_FALSE(text.contains(u'{'));
    EXPECT_FALSE(text.contains(QStringLiteral("Arial")));
    // Every heading is bold and larger than the body.
    int headings = 0;
    for (const ce::RtfParagraph& paragraph : result->paragraphs) {
        if (!paragraph.runs.isEmpty() && paragraph.runs[0].halfPoints >= 28) {
            ++headings;
            EXPECT_TRUE(paragraph.runs[0].bold) << paragraph.plainText().toStdString();
        }
    }
    EXPECT_GE(headings, 8);
}

}  // namespace
