// The local service's ASU side: the query keys it understands, the stars it
// selects, and the answer in VizieR's asu-tsv layout read back by the
// program's own reader; the Gaia-like extract and its proper motions.

#include "catalogue/sources/asu_table.h"
#include "tests/core/key_echo.h"
#include "catalogue/sources/proper_motion.h"
#include "tools/catalogue_service/asu_answer.h"
#include "tools/catalogue_service/asu_request.h"
#include "tools/catalogue_service/gaia_extract.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace ce::service {
namespace {

Result<AsuRequest> parse(const char* query) { return parseAsuRequest(decodeQueryString(query)); }

TEST(AsuRequest, KeysAsVizierReadsThem)
{
    // The program's own query for the demonstration field.
    const Result<AsuRequest> q = parse("-source=I%2F252%2Fout&-c=23.708333%2B22.183611&-c.eq=J2000&-c.rm=20"
                                       "&-out=USNO-A2.0,RAJ2000,DEJ2000,Rmag,Bmag&-sort=Rmag&-out.max=4000&Rmag=%3C13");
    ASSERT_TRUE(q) << q.error().toStdString();
    EXPECT_EQ(q->catalogue, AsuCatalogueId::UsnoA2);
    EXPECT_DOUBLE_EQ(q->raDeg, 23.708333);
    EXPECT_DOUBLE_EQ(q->decDeg, 22.183611);
    EXPECT_FALSE(q->box);
    EXPECT_DOUBLE_EQ(q->radiusArcmin, 20);
    EXPECT_EQ(q->columns, asuColumnNames(AsuCatalogueId::UsnoA2));
    EXPECT_EQ(q->sortColumn, "Rmag");
    EXPECT_EQ(q->maxRows, 4000);
    ASSERT_EQ(q->constraints.count("Rmag"), 1u);
    const AsuConstraint& limit = q->constraints.at("Rmag");
    EXPECT_TRUE(limit.admits(12.99) && !limit.admits(13.0));

    // Other forms of the same keys.
    const struct { const char* query; double ra, dec, radius, width, height; } forms[] = {
        {"-source=I/252&-c=01+34+50-00+30+00&-c.rd=0.5", 23.708333333333333, -0.5, 30, 0, 0},
        {"-source=I/355/gaiadr3&-c=10.5-5&-c.r=90&-c.u=arcsec", 10.5, -5, 1.5, 0, 0},
        {"-source=I/252/out&-c=0%2B0&-c.bm=10x4", 0, 0, 0, 10, 4},
        {"-source=I/252/out&-c=0-90&-c.bd=2", 0, -90, 0, 120, 120},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(f.query);
        const Result<AsuRequest> r = parse(f.query);
        ASSERT_TRUE(r) << r.error().toStdString();
        EXPECT_NEAR(r->raDeg, f.ra, 1e-12);
        EXPECT_NEAR(r->decDeg, f.dec, 1e-12);
        EXPECT_NEAR(r->radiusArcmin, f.radius, 1e-12);
        EXPECT_NEAR(r->widthArcmin, f.width, 1e-12);
        EXPECT_NEAR(r->heightArcmin, f.height, 1e-12);
        EXPECT_EQ(r->maxRows, 50);  // VizieR's default
    }

    // Refused, each naming its key.
    const struct { const char* query; const char* key; } refused[] = {
        {"-c=1+2&-c.rm=1", "-source"},
        {"-source=I/999&-c=1+2&-c.rm=1", "-source"},
        {"-source=I/252&-c.rm=1", "-c"},
        {"-source=I/252&-c=123&-c.rm=1", "-c"},  // one number is no centre
        {"-source=I/252&-c=360+0&-c.rm=1", "-c"},
        {"-source=I/252&-c=1+2", "-c.rm"},
        {"-source=I/252&-c=1+2&-c.rm=0", "-c.rm"},
        {"-source=I/252&-c=1+2&-c.rm=1&-c.bm=2", "-c.bm"},
        {"-source=I/252&-c=1+2&-c.rm=1&-c.eq=B1950", "-c.eq"},
        {"-source=I/252&-c=1+2&-c.rm=1&-out=Gmag", "-out"},
        {"-source=I/252&-c=1+2&-c.rm=1&-out.max=0", "-out.max"},
        {"-source=I/252&-c=1+2&-c.rm=1&-sort=pmRA", "-sort"},
        {"-source=I/252&-c=1+2&-c.rm=1&Rmag=%3Cx", "Rmag"},
        {"-source=I/252&-c=1+2&-c.rm=1&Rmag=5..3", "Rmag"},
        {"-source=I/252&-c=1+2&-c.rm=1&Gmag=%3C3", "Gmag"},
        {"-source=I/252&-c=1+2&-c.rm=1&USNO-A2.0=1", "USNO-A2.0"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.query);
        const Result<AsuRequest> q2 = parse(r.query);
        ASSERT_FALSE(q2);
        EXPECT_TRUE(q2.error().contains(QString::fromLatin1(r.key))) << q2.error().toStdString();
    }
}

// An escaped NUL byte is part of the key or value it stands in: "Rmag%00x"
// is no column, and a centre followed by "%00" and more text is no centre.
TEST(AsuRequest, EscapedNulByteKeepsTheRestOfTheText)
{
    const Result<AsuRequest> key = parse("-source=I/252&-c=10+20&-c.rm=5&Rmag%00x=<12");
    ASSERT_FALSE(key);
    EXPECT_TRUE(key.error().contains(QString::fromStdString(std::string("Rmag\0x", 6))))
        << key.error().toStdString();
    const Result<AsuRequest> centre = parse("-source=I/252&-c=10+20%00garbage&-c.rm=5");
    ASSERT_FALSE(centre);
    EXPECT_TRUE(centre.error().contains(u"-c")) << centre.error().toStdString();
    ASSERT_TRUE(parse("-source=I/252&-c=10+20&-c.rm=5&Rmag=<12"));
}

TEST(AsuRequest, QueryStringReadsBackAsTheRequest)
{
    AsuRequest q;
    q.catalogue = AsuCatalogueId::GaiaDr3;
    q.raDeg = 359.99999999999994, q.decDeg = -0.0;
    q.box = true, q.widthArcmin = 1e-5, q.heightArcmin = 30;
    q.columns = {"Gmag", "Source"};
    q.sortColumn = "pmRA", q.sortDescending = true;
    q.maxRows = 7;
    q.constraints["Gmag"] = AsuConstraint{std::nullopt, 13.5, true, false};
    q.constraints["pmDE"] = AsuConstraint{-3.25, 1e10, true, true};
    const Result<AsuRequest> back = parseAsuRequest(decodeQueryString(asuQueryString(q)));
    ASSERT_TRUE(back) << back.error().toStdString() << " " << asuQueryString(q);
    EXPECT_EQ(asuQueryString(*back), asuQueryString(q));
    EXPECT_TRUE(std::signbit(back->decDeg));
    EXPECT_EQ(back->raDeg, q.raDeg);
}

TEST(AsuAnswer, SelectsSortsLimitsAndReadsBack)
{
    const std::vector<CatalogueStar> usno = {
        {"U1050_00000001", 10.0, 20.0, 12.0, 13.0},
        {"U1050_00000002", 10.1, 20.0, 11.0, 12.5},  // 5.64' away (cos 20 deg)
        {"U1050_00000003", 10.0, 20.2, 10.0, 11.0},  // 12' away
        {"U1050_00000004", 10.0, 20.05, 14.0, 15.0}, // too faint
        {"U1050_00000005", 10.0, 20.01, 11.0, 16.0}, // as bright as star 2: kept after it
    };
    const Result<AsuRequest> q = parse("-source=I/252/out&-c=10+20&-c.rm=10&-sort=Rmag&Rmag=%3C13"
                                       "&-out=USNO-A2.0,RAJ2000,DEJ2000,Rmag,Bmag");
    ASSERT_TRUE(q);
    const Result<AsuTable> t = parseAsuTable(asuAnswer(*q, usno, {}), ce::test::KeyEcho());
    ASSERT_TRUE(t) << t.error().toStdString();
    EXPECT_EQ(t->names, q->columns);
    EXPECT_EQ(t->units, QStringList({"", "deg", "deg", "mag", "mag"}));
    ASSERT_EQ(t->rows.size(), 3u);
    EXPECT_EQ(t->rows[0], QStringList({"1050-00000002", "010.100000", "+20.000000", "11.0", "12.5"}));
    EXPECT_EQ(t->rows[1][0], "1050-00000005");
    EXPECT_EQ(t->rows[2][0], "1050-00000001");

    // A box of 12' x 30' holds star 3 too; -out.max keeps the first two.
    const Result<AsuRequest> box = parse("-source=I/252/out&-c=10+20&-c.bm=12x30&-sort=-Rmag&-out.max=2&-out=Rmag");
    ASSERT_TRUE(box);
    const Result<AsuTable> b = parseAsuTable(asuAnswer(*box, usno, {}), ce::test::KeyEcho());
    ASSERT_TRUE(b);
    ASSERT_EQ(b->rows.size(), 2u);
    EXPECT_EQ(b->rows[0], QStringList{"14.0"});
    EXPECT_EQ(b->rows[1], QStringList{"12.0"});
    // The broken answer leaves the first column out.
    EXPECT_EQ(parseAsuTable(asuAnswer(*q, usno, {}, {.dropFirstColumn = true}), ce::test::KeyEcho())->names.first(), "RAJ2000");
}

TEST(GaiaExtract, TextRoundTripAndMotionsBackToTheImage)
{
    const std::vector<CatalogueStar> usno = {{"U1050_01234567", 23.70884, 22.18361, 12.3, 13.1},
                                             {"U0000_00000001", 0.00001, -89.9, 9.0, 9.5}};
    const std::vector<GaiaStar> gaia = gaiaLikeCatalogue(usno, 2000.0, 3);
    ASSERT_EQ(gaia.size(), 2u);
    EXPECT_EQ(gaia[0].sourceId, "2000000105001234567");
    EXPECT_EQ(gaia[0].gMag, 12.3);
    EXPECT_EQ(gaia[0].rpMag, 12.3 - 0.5);
    // Carried from 2016.0 back to 2000.0, each star is where the image shows it.
    for (std::size_t i = 0; i < usno.size(); ++i) {
        const SkyPosition p = propagateLinear(gaia[i].raDeg, gaia[i].decDeg, gaia[i].pmRaMasPerYear,
                                              gaia[i].pmDecMasPerYear, 2016.0, 2000.0);
        EXPECT_NEAR(std::remainder(p.raDeg - usno[i].raDeg, 360.0) * std::cos(usno[i].decDeg * std::numbers::pi / 180), 0, 1e-10);
        EXPECT_NEAR(p.decDeg, usno[i].decDeg, 1e-10);
    }
    const Result<std::vector<GaiaStar>> back = parseGaiaExtract(gaiaExtractText(gaia), "x");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[0].sourceId, gaia[0].sourceId);
    EXPECT_NEAR((*back)[0].raDeg, gaia[0].raDeg, 5e-10);
    EXPECT_NEAR((*back)[1].pmDecMasPerYear, gaia[1].pmDecMasPerYear, 5e-4);
    const Result<std::vector<GaiaStar>> bad = parseGaiaExtract("# head\n12 1 2 3 4 5 6\n", "gaia.txt");
    ASSERT_FALSE(bad);
    EXPECT_TRUE(bad.error().startsWith("Ligne 2 de gaia.txt illisible")) << bad.error().toStdString();
}

}  // namespace
}  // namespace ce::service
