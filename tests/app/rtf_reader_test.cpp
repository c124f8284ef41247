// The RTF reader on the subset the help page uses, and on the shipped page.

#include "app/rtf_reader.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

ce::RtfDocument read(const char* rtf)
{
    auto result = ce::readRtf(QByteArray(rtf));
    EXPECT_TRUE(result.ok()) << result.error().toStdString();
    return result.ok() ? *result : ce::RtfDocument{};
}

TEST(RtfReader, Texts)
{
    // By hand from the RTF rules: a paragraph ends at \par, "\'xx" is a
    // Windows-1252 byte, "\uN" a UTF-16 unit followed by \ucN dropped fallback characters.
    const std::pair<const char*, const char16_t*> cases[] = {
        {"{\\rtf1 A\\par\\par B}", u"A\n\nB"},
        {"{\\rtf1 mot\r\ncoll\xc3\n\\'e9\\par}", u"mot" "coll\u00c3\u00e9"},  // source line ends are not text
        {"{\\rtf1\\b  gras}", u" gras"},  // a control word eats one blank
        {"{\\rtf1 \\'c9toile \\'80 \\'92 \\'9c}", u"\u00c9toile \u20ac \u2019 \u0153"},
        {"{\\rtf1 \\u937?m\\u-3913?}", u"\u03a9m\uf0b7"},
        {"{\\rtf1\\uc2 \\u8364\\'80Xa}", u"\u20aca"},
        {"{\\rtf1 a\\u70000 b\\u-40000 c}", u"abc"},  // outside 16 bits: nothing shown
        {"{\\rtf1 \\{a\\} \\\\b}", u"{a} \\b"},
        {"{\\rtf1 a\\tab b\\line c\\emdash\\~d\\_e\\-f}", u"a\tb\u2028c\u2014\u00a0d-ef"},
        {"{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0;}{\\info{\\title T}}{\\*\\generator R}Corps}",
         u"Corps"},
        {"{\\rtf1{\\*\\x a\\par b}C\\par}", u"C"},  // a par inside a skipped group ends nothing
        {"{\\rtf1 ouvert{\\b gras", u"ouvertgras"},
    };
    for (const auto& [rtf, text] : cases) EXPECT_EQ(read(rtf).plainText(), QString::fromUtf16(text)) << rtf;

    for (const char* bytes : {"", "{\\rt", " {\\rtf1 a}"})
        EXPECT_EQ(ce::readRtf(QByteArray(bytes)).error(), QStringLiteral("Le fichier n'est pas au format RTF"))
            << bytes;
}

TEST(RtfReader, FormattingFollowsGroupsAndSwitches)
{
    const ce::RtfDocument doc =
        read("{\\rtf1\\fs20 a{\\b b{\\i c}d}\\ul e\\ulnone\\b f\\b0 g{\\fs40 h}\\plain i\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 1);
    const auto& runs = doc.paragraphs[0].runs;
    // Each letter's format by hand from the groups; \plain goes back to 12 pt (24 half points).
    struct Expected { const char* text; bool bold, italic, underline; int halfPoints; };
    const Expected expected[] = {{"a", false, false, false, 20}, {"b", true, false, false, 20},
                                 {"c", true, true, false, 20},   {"d", true, false, false, 20},
                                 {"e", false, false, true, 20},  {"f", true, false, false, 20},
                                 {"g", false, false, false, 20}, {"h", false, false, false, 40},
                                 {"i", false, false, false, 24}};
    ASSERT_EQ(runs.size(), qsizetype(std::size(expected)));
    for (qsizetype k = 0; k < runs.size(); ++k) {
        const Expected& e = expected[k];
        EXPECT_EQ(runs[k].text, QString::fromLatin1(e.text));
        EXPECT_EQ(std::tuple(runs[k].bold, runs[k].italic, runs[k].underline, runs[k].halfPoints),
                  std::tuple(e.bold, e.italic, e.underline, e.halfPoints)) << e.text;
    }
    // Neighbouring text of one format is one run.
    const ce::RtfDocument merged = read("{\\rtf1 un {\\b0 deux} {trois}\\par}");
    ASSERT_EQ(merged.paragraphs.size(), 1);
    EXPECT_EQ(merged.paragraphs[0].runs.size(), 1);
}

TEST(RtfReader, ShippedHelpPageReads)
{
    QFile file(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../data/aide.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const auto result = ce::readRtf(file.readAll());
    ASSERT_TRUE(result.ok());
    const QString text = result->plainText();
    // The steps of a reduction, in the order the page walks through them.
    qsizetype from = 0;
    for (const char* step : {"1-Download", "2-Etoiles", "3-Calcul", "4-Full map", "Etalonage par image"}) {
        const qsizetype at = text.indexOf(QLatin1String(step), from);
        EXPECT_GE(at, from) << step;
        from = std::max(from, at);
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Étoiles")));  // accents came through the escapes
    EXPECT_FALSE(text.contains(u'\\') || text.contains(u'{') || text.contains(QStringLiteral("Arial")));
}

}  // namespace
