// The RTF reader on the subset the help page uses, and on the shipped page.

#include "app/rtf_reader.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <tuple>

namespace {

const ce::test::KeyEcho kKeys;

ce::RtfDocument read(const char* rtf)
{
    auto result = ce::readRtf(QByteArray(rtf), kKeys);
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
        EXPECT_EQ(ce::readRtf(QByteArray(bytes), kKeys).error(), ce::test::keyed("help.not_rtf", {}))
            << bytes;
}

// The document as text with its links and bookmarks in view: a linked run
// reads "[text](target)", a bookmark "<name>" where it stands.
QString marked(const ce::RtfDocument& document)
{
    QStringList paragraphs;
    for (const ce::RtfParagraph& paragraph : document.paragraphs) {
        QString out;
        qsizetype offset = 0;
        qsizetype next = 0;
        const auto bookmarksHere = [&] {
            for (; next < paragraph.bookmarks.size() && paragraph.bookmarks[next].offset <= offset; ++next)
                out += u'<' + paragraph.bookmarks[next].name + u'>';
        };
        for (const ce::RtfRun& run : paragraph.runs) {
            bookmarksHere();
            if (!run.link.isEmpty())
                out += u'[';
            for (qsizetype i = 0; i < run.text.size(); ++i, ++offset) {
                if (i > 0)
                    bookmarksHere();
                out += run.text.at(i);
            }
            if (!run.link.isEmpty())
                out += QStringLiteral("](") + run.link + u')';
        }
        bookmarksHere();
        paragraphs << out;
    }
    return paragraphs.join(u'\n');
}

TEST(RtfReader, FieldsShowTheirResultAndHyperlinksLead)
{
    // By hand from the field syntax: the result is shown, the instruction
    // never; a HYPERLINK result links to the address, or to "#name" for \\l.
    const std::pair<const char*, const char*> cases[] = {
        {"{\\rtf1 Voir {\\field{\\*\\fldinst HYPERLINK \\\\l \"exports\"}{\\fldrslt les exports}} ici}",
         "Voir [les exports](#exports) ici"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://example.org/a b\"}{\\fldrslt site}}}",
         "[site](http://example.org/a b)"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"page.rtf\" \\\\l \"a\"}{\\fldrslt x}}}", "[x](page.rtf#a)"},
        // A switch without its escape, lower-case name, tooltip and target frame dropped.
        {"{\\rtf1{\\field{\\*\\fldinst hyperlink \\o \"bulle\" \\t \"_top\" \\l \"b\"}{\\fldrslt y}}}", "[y](#b)"},
        // As word processors write it: groups and formatting inside both parts.
        {"{\\rtf1{\\field{\\*\\fldinst {\\rtlch\\fcs1 \\af0  HYPERLINK \\\\l \"exports\" }{\\*\\datafield 0a0b}}"
         "{\\fldrslt {\\cs15\\ul\\cf2 Exports}}}}",
         "[Exports](#exports)"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt \\b a\\plain b}}c}", "[a](u)[b](u)c"},
        {"{\\rtf1 p.{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}", "p.3"},                // not a link
        {"{\\rtf1 a{\\field{\\*\\fldinst HYPERLINK \"u\"}}b}", "ab"},                   // no result
        {"{\\rtf1 a{\\*\\x{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt b}}}c}", "ac"},  // set aside
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l \"a b}{\\fldrslt z}}}", "[z](#a b)"},  // quote left open
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK a\"b\"}{\\fldrslt z}}}", "[z](a)"},      // a quote ends a word
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"\\'e9t\\u233?\"}{\\fldrslt z}}}", "[z](\u00e9t\u00e9)"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"o\"}{\\fldrslt {\\field{\\*\\fldinst HYPERLINK \"i\"}"
         "{\\fldrslt in}}out}}}",
         "[in](i)[out](o)"},
        // Bookmarks: where they start, names trimmed, empty ones and set-aside ones dropped.
        {"{\\rtf1 A\\par Deb{\\*\\bkmkstart  exports }ut{\\*\\bkmkend exports}\\par}", "A\nDeb<exports>ut"},
        {"{\\rtf1 {\\*\\bkmkstart haut}{\\*\\bkmkstart }{\\*\\x{\\*\\bkmkstart non}}}", "<haut>"},
    };
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(marked(read(rtf)), QString::fromUtf8(text)) << rtf;
}

TEST(RtfReader, ShippedHelpPagesRead)
{
    for (const char* name : {"aide.rtf", "help-en.rtf"}) {
        SCOPED_TRACE(name);
        QFile file(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../data/")
                   + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        const auto result = ce::readRtf(file.readAll(), kKeys);
        ASSERT_TRUE(result.ok());
        const QString text = result->plainText();
        // The steps of a reduction in order, accents through the escapes, no markup left.
        EXPECT_LT(text.indexOf(QStringLiteral("1-Download")), text.indexOf(QStringLiteral("4-Full map")));
        EXPECT_TRUE(text.contains(QStringLiteral("Étoiles")) && text.contains(QStringLiteral("5-Auto")));
        EXPECT_FALSE(text.contains(u'\\') || text.contains(u'{') || text.contains(QStringLiteral("Arial"))
                     || text.contains(QStringLiteral("HYPERLINK")));

        // Every link within the page leads to one of its bookmarks, and the
        // section on the exports is linked to.
        QSet<QString> bookmarks;
        QSet<QString> links;
        for (const ce::RtfParagraph& paragraph : result->paragraphs) {
            for (const ce::RtfBookmark& bookmark : paragraph.bookmarks)
                bookmarks.insert(bookmark.name);
            for (const ce::RtfRun& run : paragraph.runs)
                if (!run.link.isEmpty())
                    links.insert(run.link);
        }
        EXPECT_TRUE(links.contains(QStringLiteral("#exports")));
        for (const QString& link : links) {
            EXPECT_TRUE(link.startsWith(u'#')) << link.toStdString();
            EXPECT_TRUE(bookmarks.contains(link.mid(1))) << link.toStdString();
        }
    }
}

}  // namespace
