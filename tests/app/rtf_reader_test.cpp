// The RTF reader on the subset the help page uses, and on the shipped page.

#include "app/rtf_reader.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

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

TEST(RtfReader, ShippedHelpPageReads)
{
    QFile file(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../data/aide.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const auto result = ce::readRtf(file.readAll());
    ASSERT_TRUE(result.ok());
    const QString text = result->plainText();
    // The steps of a reduction in order, accents through the escapes, no markup left.
    EXPECT_LT(text.indexOf(QStringLiteral("1-Download")), text.indexOf(QStringLiteral("4-Full map")));
    EXPECT_TRUE(text.contains(QStringLiteral("2-Etoiles")) && text.contains(QStringLiteral("Étoiles")));
    EXPECT_FALSE(text.contains(u'\\') || text.contains(u'{') || text.contains(QStringLiteral("Arial")));
}

}  // namespace
