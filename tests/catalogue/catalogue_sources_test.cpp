// Catalogue sources: the ASU query each source sends, the asu-tsv reader,
// the conversion of each answer into the page the catalogue reader reads,
// and the proper-motion propagation of Gaia positions.

#include "catalogue/catalogue_reader.h"
#include "catalogue/sources/asu_table.h"
#include "catalogue/sources/catalogue_source.h"
#include "catalogue/sources/proper_motion.h"
#include "catalogue/sources/vizier_gaia_source.h"
#include "catalogue/sources/vizier_usno_source.h"
#include "tests/core/key_echo.h"

#include <gtest/gtest.h>

namespace ce {
namespace {

FieldRequest fieldAt(double raDeg, double decDeg, const char* epoch = "2000.0", const char* radius = "20",
                     const char* mag = "13")
{
    FieldRequest r;
    r.query.raJ2000Deg = raDeg, r.query.decJ2000Deg = decDeg;
    r.query.pathAndQuery = QStringLiteral("/skycat/servers/usnoa_res?catalogue=usnoa");
    r.epochText = QString::fromLatin1(epoch), r.radiusText = QString::fromLatin1(radius);
    r.magnitudeText = QString::fromLatin1(mag);
    return r;
}

TEST(CatalogueSources, QueriesOfEachSource)
{
    const FieldRequest field = fieldAt(23.7083333, 22.1836111, "2000.0", " 20", "13.5");
    EXPECT_EQ(*makeCatalogueSource(CatalogueSourceKind::Service)->pathAndQuery(field, test::KeyEcho()), field.query.pathAndQuery);
    EXPECT_EQ(*makeCatalogueSource(CatalogueSourceKind::VizierUsnoA2)->pathAndQuery(field, test::KeyEcho()),
              "/viz-bin/asu-tsv?-source=I%2F252%2Fout&-c=23.708333%2B22.183611&-c.eq=J2000&-c.rm=20"
              "&-out=USNO-A2.0,RAJ2000,DEJ2000,Rmag,Bmag&-sort=Rmag&-out.max=4000&Rmag=%3C13.5");
    // A southern centre keeps its sign; Gaia asks for its proper motions and sorts on G.
    EXPECT_EQ(*makeCatalogueSource(CatalogueSourceKind::VizierGaiaDr3)->pathAndQuery(fieldAt(5.5, -0.25), test::KeyEcho()),
              "/viz-bin/asu-tsv?-source=I%2F355%2Fgaiadr3&-c=5.500000-0.250000&-c.eq=J2000&-c.rm=20"
              "&-out=Source,RA_ICRS,DE_ICRS,pmRA,pmDE,Gmag,BPmag,RPmag&-sort=Gmag&-out.max=4000&Gmag=%3C13");
    // Texts a query cannot carry are refused, naming the field.
    const auto usno = makeCatalogueSource(CatalogueSourceKind::VizierUsnoA2);
    EXPECT_TRUE(usno->pathAndQuery(fieldAt(1, 1, "2000", "0", "13"), test::KeyEcho()).error().startsWith(u"catalogue.read.radius|"));
    EXPECT_TRUE(usno->pathAndQuery(fieldAt(1, 1, "2000", "abc", "13"), test::KeyEcho()).error().startsWith(u"catalogue.read.radius|"));
    EXPECT_TRUE(usno->pathAndQuery(fieldAt(1, 1, "2000", "20", "x"), test::KeyEcho()).error().startsWith(u"catalogue.read.magnitude|"));
    // The key names round-trip through options.ini.
    for (auto kind : {CatalogueSourceKind::Service, CatalogueSourceKind::VizierUsnoA2,
                      CatalogueSourceKind::VizierGaiaDr3})
        EXPECT_EQ(catalogueSourceKind(makeCatalogueSource(kind)->key()), kind);
    EXPECT_EQ(catalogueSourceKind("autre"), CatalogueSourceKind::Service);
}

// An answer as VizieR writes it (layout of a real I/252 asu-tsv answer: the
// comment head, names, units, dashes), CR LF line ends, a missing Bmag.
const char kUsnoAnswer[] =
    "#\r\n#   VizieR Astronomical Server vizier.cds.unistra.fr\r\n#Title: The USNO-A2.0 Catalogue\r\n"
    "#Column\tRAJ2000\t(F10.6)\tRight ascension (J2000)\r\n\r\n"
    "USNO-A2.0\tRAJ2000\tDEJ2000\tRmag\tBmag\r\n"
    "\tdeg\tdeg\tmag\tmag\r\n"
    "-------------\t----------\t----------\t----\t----\r\n"
    "1050-01234567\t023.708840\t+22.183610\t 9.8\t13.1\r\n"
    "1050-01234999\t359.999999\t-00.500000\t12.3\r\n"
    "\r\n#END\r\n";

TEST(CatalogueSources, UsnoAnswerBecomesTheReadersPage)
{
    const auto usno = makeCatalogueSource(CatalogueSourceKind::VizierUsnoA2);
    const Result<QByteArray> page = usno->readerAnswer(kUsnoAnswer, fieldAt(23.7, 22.2), test::KeyEcho());
    ASSERT_TRUE(page) << page.error().toStdString();
    ReductionState st;
    const CatalogueCounts counts = readCatalogueAnswer(*page, 1000.0, 1000.0, st);
    ASSERT_EQ(counts.starTotal, 2);
    // The present service's identifier form; magnitudes verbatim with their blank.
    EXPECT_EQ(st.starId[1], "U1050_01234567");
    EXPECT_EQ(st.starU[1], 23709.0);  // 23.70884 * 1000, rounded
    EXPECT_EQ(st.starV[1], 22184.0);
    EXPECT_EQ(st.starMagR[1], " 9.8");
    EXPECT_EQ(st.starMagB[1], "13.1");
    // 359.999999 would print as 360.00000: it is written 0.
    EXPECT_EQ(st.starU[2], 0.0);
    EXPECT_EQ(st.starV[2], -500.0);
    EXPECT_EQ(st.starMagB[2], "    ");

    const struct { const char* name; QByteArray answer; const char* reason; } broken[] = {
        {"no table", "#INFO\tQUERY_STATUS=ERROR\n#*** source not found\n", "catalogue.read.notable"},
        {"no Rmag", "USNO-A2.0\tRAJ2000\tDEJ2000\tBmag\n\tdeg\tdeg\tmag\n---\t---\t---\t---\n", "catalogue.read.nocolumn|Rmag"},
        {"bad id", "USNO-A2.0\tRAJ2000\tDEJ2000\tRmag\tBmag\n\t\t\t\t\n---\t---\t---\t---\t---\n"
                   "U1050_1\t1.0\t2.0\t3.0\t4.0\n", "catalogue.read.badstar|1"},
        {"extra cell", "USNO-A2.0\tRAJ2000\n\t\n---\t---\n1050-01234567\t1\t2\n", "catalogue.read.toomany|4"},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.name);
        const Result<QByteArray> r = usno->readerAnswer(b.answer, fieldAt(1, 1), test::KeyEcho());
        ASSERT_FALSE(r);
        EXPECT_EQ(test::spoken(r.error()), QString::fromUtf8(b.reason));
    }
    EXPECT_EQ(usnoIdentifierFromVizier(" 0000-00000001"), "U0000_00000001");
    EXPECT_EQ(usnoIdentifierFromVizier("1050-0123456"), "");
}

TEST(CatalogueSources, LinearProperMotionAgainstHandComputedPositions)
{
    // dt = 2000.0 - 2016.0 = -16 yr; dDec = -300 mas/yr * -16 = +4.8";
    // dRA = 500 * -16 mas / cos(22.2 deg) = -8" / 0.9258705848 (computed apart).
    SkyPosition p = propagateLinear(23.7, 22.2, 500, -300, 2016.0, 2000.0);
    EXPECT_NEAR(p.raDeg, 23.697599856547253, 1e-11);
    EXPECT_NEAR(p.decDeg, 22.201333333333334, 1e-11);
    // Across RA 0: 359.9999 + 10 yr * 1000 mas / cos(-45 deg) = 360.00382837...
    p = propagateLinear(359.9999, -45.0, 1000, 0, 2016.0, 2026.0);
    EXPECT_NEAR(p.raDeg, 0.0038283710066, 1e-10);
    EXPECT_DOUBLE_EQ(p.decDeg, -45.0);
    // No time, no motion; at a pole RA stays; past a pole Dec is clamped.
    p = propagateLinear(10, 20, 1e5, 1e5, 2016.0, 2016.0);
    EXPECT_TRUE(p.raDeg == 10 && p.decDeg == 20);
    p = propagateLinear(10, 90, 1e5, 1e5, 2016.0, 2116.0);
    EXPECT_TRUE(p.raDeg == 10 && p.decDeg == 90);
}

TEST(CatalogueSources, GaiaAnswerIsCarriedToTheEpochWithRpAndBp)
{
    const QByteArray answer =
        "#\n#   VizieR Astronomical Server\n\n"
        "Source\tRA_ICRS\tDE_ICRS\tpmRA\tpmDE\tGmag\tBPmag\tRPmag\n"
        "\tdeg\tdeg\tmas/yr\tmas/yr\tmag\tmag\tmag\n"
        "-------------------\t---------------\t---------------\t---------\t---------\t-------\t-------\t-------\n"
        "2788812345678901234\t023.70000000000\t+22.20000000000\t  500.000\t -300.000\t11.9876\t12.5000\t11.4321\n"
        "123456\t023.80000000000\t+22.10000000000\t\t\t12.5\t\t12.0\n";
    const auto gaia = makeCatalogueSource(CatalogueSourceKind::VizierGaiaDr3);
    const Result<QByteArray> page = gaia->readerAnswer(answer, fieldAt(23.7, 22.2, "2000.0"), test::KeyEcho());
    ASSERT_TRUE(page) << page.error().toStdString();
    // The record carries the hand-computed position to 5 decimals.
    EXPECT_TRUE(page->contains("</b>   1 DR3 5678901234  23.69760 +22.20133 11.4 12.5")) << page->toStdString();
    ReductionState st;
    ASSERT_EQ(readCatalogueAnswer(*page, 1e5, 1e5, st).starTotal, 2);
    EXPECT_EQ(st.starId[1], "DR3 5678901234");
    EXPECT_EQ(st.starU[1], 2369760.0);
    EXPECT_EQ(st.starV[1], 2220133.0);
    // No proper motion: the 2016.0 position; no BP: a blank blue magnitude.
    EXPECT_EQ(st.starId[2], "DR3 123456    ");
    EXPECT_EQ(st.starU[2], 2380000.0);
    EXPECT_EQ(st.starMagR[2], "12.0");
    EXPECT_EQ(st.starMagB[2], "    ");

    // An epoch that is no year is refused rather than carried 2016 years,
    // before the question is even asked.
    EXPECT_TRUE(gaia->readerAnswer(answer, fieldAt(1, 1, ""), test::KeyEcho()).error().startsWith(u"catalogue.read.epoch|"));
    EXPECT_TRUE(gaia->pathAndQuery(fieldAt(1, 1, "J2000"), test::KeyEcho()).error().startsWith(u"catalogue.read.epoch|"));
    EXPECT_TRUE(gaia->pathAndQuery(fieldAt(1, 1, "3000.5"), test::KeyEcho()).error().startsWith(u"catalogue.read.epoch|"));
    EXPECT_TRUE(gaia->readerAnswer(QByteArray(answer).replace("pmDE", "pmDEC"), fieldAt(1, 1), test::KeyEcho())
                    .error()
                    .startsWith(u"catalogue.read.nocolumn|pmDE|"));
}

TEST(CatalogueSources, AsuTableWrittenThenReadIsTheSame)
{
    AsuTable t;
    t.names = {"a", "b", "c"};
    t.units = {"", "deg", ""};
    t.rows = {{"1", "x y", ""}, {"", "2", "3"}};
    const Result<AsuTable> back = parseAsuTable(formatAsuTable(t, {"head", "\tINFO"}), test::KeyEcho());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->names, t.names);
    EXPECT_EQ(back->units, t.units);
    ASSERT_EQ(back->rows.size(), 2u);
    EXPECT_EQ(back->rows[0], t.rows[0]);
    EXPECT_EQ(back->rows[1], t.rows[1]);
}

}  // namespace
}  // namespace ce
