// The local catalogue service without its HTTP layer: sky geometry, query
// keys, extract files, star selection and the answer page.

#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/sky_distance.h"
#include "tools/catalogue_service/usnoa_answer.h"
#include "tools/catalogue_service/usnoa_query.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>

namespace ce::service {
namespace {

TEST(SkyDistance, TinySeparationsAndARealField)
{
    EXPECT_NEAR(angularDistanceDeg(0, 0, 359, 0), 1, 1e-9);  // across 0h
    EXPECT_NEAR(positionAngleDeg(0, 0, 359, 0), 270, 1e-9);
    // 1e-6 degree: an arccos of the dot product would lose these digits.
    EXPECT_NEAR(angularDistanceDeg(100, 60, 100 + 2e-6, 60), 1e-6, 1e-12);
    // A real archive answer (HT Cas, centre 01 10 13.1 +60 04 35.4) quoted in
    // timj/perl-Astro-Catalog t/4_usnoa2.t: distance (arcmin), position angle.
    struct Star { double raS; int decM; double decS, distanceArcmin, angleDeg; };
    const Star stars[] = {{8.76, 5, 10.2, 0.793, 316.988}, {12.60, 4, 14.3, 0.357, 190.009}, {13.89, 5, 28.7, 0.894, 6.318}};
    const double ra0 = (1 + 10 / 60.0 + 13.1 / 3600.0) * 15.0, dec0 = 60 + 4 / 60.0 + 35.4 / 3600.0;
    for (const Star& s : stars) {
        const double ra = (1 + 10 / 60.0 + s.raS / 3600.0) * 15.0, dec = 60 + s.decM / 60.0 + s.decS / 3600.0;
        // Positions are printed to 0.1": the angle is good to what that allows at this distance.
        EXPECT_NEAR(angularDistanceDeg(ra0, dec0, ra, dec) * 60.0, s.distanceArcmin, 0.0015) << s.raS;
        EXPECT_NEAR(positionAngleDeg(ra0, dec0, ra, dec), s.angleDeg, 0.05 + (0.1 / (s.distanceArcmin * 60.0)) * 180.0 / M_PI);
    }
}

// The keys the program sends for the demonstration field.
QueryKeys programQuery()
{
    return {{"catalogue", "usnoa"}, {"epoch", "2000.0"}, {"chart", "0"},   {"ra", "1 34 50"},   {"dec", "22 11 1"},
            {"object", ""},         {"radmax", "20"},    {"magbright", "0"}, {"magfaint", "13."}, {"format", "2"},
            {"sort", "mr"},         {"nout", "5000"}};
}

QueryKeys with(const char* key, const char* value)
{
    QueryKeys keys = programQuery();
    keys.erase(key);
    if (value) keys.emplace(key, value);
    return keys;
}

TEST(QueryKeysReading, DecodingLimitsAndEachBadKey)
{
    EXPECT_EQ(decodeQueryString("chart&x=%2B22%20%C3%A9&&y=+1"), (QueryKeys{{"chart", ""}, {"x", "+22 \xc3\xa9"}, {"y", " 1"}}));
    const auto q = parseUsnoaQuery(programQuery());
    ASSERT_TRUE(q.ok()) << qPrintable(q.error());
    EXPECT_NEAR(q->raDeg, (1 + 34 / 60.0 + 50 / 3600.0) * 15, 1e-12);
    EXPECT_NEAR(q->decDeg, 22 + 11 / 60.0 + 1 / 3600.0, 1e-12);
    EXPECT_EQ(q->magFaint, 13);  // "13." with its trailing point
    EXPECT_EQ(q->maxCount, 5000);
    // Each limit: the last value kept and the first refused.
    struct Row { const char* key; const char* value; bool ok; };
    const Row rows[] = {{"ra", "24 0 0", true},   {"ra", "24 0 1", false},   {"ra", "1 34 60", true}, {"ra", "1 60 0", false},
                        {"dec", "-0 30 0", true}, {"dec", "90 0 1", false},  {"dec", "10 -5 0", false},
                        {"radmax", "5400", true}, {"radmax", "5401", false}, {"radmax", "0", false},
                        {"catalogue", nullptr, false}, {"catalogue", "gsc", false}, {"format", "1", false},
                        {"sort", "ra", false},    {"magfaint", "", false},   {"nout", "12.5", false}};
    for (const Row& r : rows) {
        const auto got = parseUsnoaQuery(with(r.key, r.value));
        ASSERT_EQ(got.ok(), r.ok) << r.key << " " << (r.value ? r.value : "-");
        if (!r.ok) {
            EXPECT_TRUE(got.error().contains(QLatin1String(r.key))) << qPrintable(got.error());
        }
    }
    EXPECT_NEAR(parseUsnoaQuery(with("dec", "-0 30 0"))->decDeg, -0.5, 1e-12);  // the sign of a zero degree
}

TEST(ExtractFile, ReadsStarsAndRefusesBadLines)
{
    const auto stars = parseExtract("# demo\r\nU1050_00000001  23.70884 +22.18361 12.3 13.1\r\n\n"
                                    "  U1125_00000002\t23.80000   22.60000  9.8 10.5\n",
                                    QStringLiteral("demo.txt"));
    ASSERT_TRUE(stars.ok()) << qPrintable(stars.error());
    ASSERT_EQ(stars->size(), 2u);
    EXPECT_DOUBLE_EQ((*stars)[0].decDeg, 22.18361);
    EXPECT_DOUBLE_EQ((*stars)[1].magB, 10.5);
    for (const char* line : {"U1050_00000001 23.7 22.1 12.3", "U1050_0000001 23.7 22.1 12.3 13.1",
                             "U1050_00000001 360 22.1 12.3 13.1", "U1050_00000001 23,7 22.1 12.3 13.1",
                             "U1050_00000001 23.7 -90.5 12.3 13.1", "U1050_00000001 23.7 22.1 inf 13.1"}) {
        const auto got = parseExtract("# c\nU1050_00000001 23.7 22.1 12.3 13.1\n" + QByteArray(line) + "\n", QStringLiteral("x.txt"));
        ASSERT_FALSE(got.ok()) << line;
        EXPECT_TRUE(got.error().startsWith(QStringLiteral("Ligne 3 de x.txt"))) << qPrintable(got.error());
    }
    EXPECT_TRUE(readExtract(QStringLiteral("/nonexistent/e.txt")).error().contains("/nonexistent/e.txt"));
}

CatalogueStar starAt(const char* id, double raDeg, double decDeg, double magR) { return {QString::fromLatin1(id), raDeg, decDeg, magR, magR + 0.8}; }

TEST(StarSelection, RadiusMagnitudeOrderAndCount)
{
    // At Dec +60, 20' on the sky spans 40' of RA: a flat RA/Dec box would let star 4 in.
    const double ra0 = 100, dec0 = 60;
    const std::vector<CatalogueStar> catalogue = {
        starAt("U1500_00000001", ra0, dec0 + 19.9 / 60, 12.0), starAt("U1500_00000002", ra0, dec0 - 20.1 / 60, 11.0),
        starAt("U1500_00000003", ra0 + 39.0 / 60, dec0, 10.0), starAt("U1500_00000004", ra0 + 41.0 / 60, dec0, 10.5),
        starAt("U1500_00000005", ra0, dec0, 13.0),             starAt("U1500_00000006", ra0, dec0 + 1.0 / 60, 13.1),
        starAt("U1500_00000007", ra0 + 0.01, dec0, 12.0),      starAt("U1500_00000008", ra0, dec0 - 5.0 / 60, 3.0),
    };
    UsnoaQuery q;
    q.raDeg = ra0;
    q.decDeg = dec0;
    q.radiusArcmin = 20;
    q.magBright = 5;
    q.magFaint = 13;
    q.maxCount = 5000;
    const auto chosen = selectStars(catalogue, q);
    QStringList ids;
    for (const auto& s : chosen) ids << s.star.id.right(1);
    EXPECT_EQ(ids.join(u','), QStringLiteral("3,1,7,5"));  // 1 and 7 tie at 12.0: catalogue order
    EXPECT_NEAR(chosen[0].positionAngleDeg, 89.72, 0.01);  // a great circle leaves a parallel slightly north
    EXPECT_NEAR(chosen[1].distanceArcmin, 19.9, 1e-9);
    q.maxCount = 2;
    EXPECT_EQ(selectStars(catalogue, q).size(), 2u);
    q.maxCount = 1'000'000;
    const std::vector<CatalogueStar> many(kMaxRecords + 5, starAt("U1500_00000009", ra0, dec0, 12.0));
    EXPECT_EQ(selectStars(many, q).size(), static_cast<std::size_t>(kMaxRecords));
}

TEST(AnswerPage, RecordColumnsAndLayoutAsTheReaderNeedsIt)
{
    // Written by hand from the column table: number 4, id 14, RA 9.5, Dec +9.5, mags 4.1, distance and angle 8.3.
    const SelectedStar star{{"U0750_00000042", 1.5, -5.123454, 9.8, 10.04}, 19.9996, 359.9997};
    EXPECT_EQ(formatRecord(42, star), QByteArray("  42 U0750_00000042   1.50000 -05.12345  9.8 10.0  20.000   0.000"));

    const std::vector<CatalogueStar> catalogue = {starAt("U1050_00000001", 23.70, 22.18, 12.5),
                                                  starAt("U1050_00000002", 23.71, 22.19, 8.2)};
    const auto reply = answerQuery(catalogue, programQuery());
    ASSERT_EQ(reply.status, 200);
    // The program's reader: after the "</b>" of the first "</b>   1 U", 66-byte
    // slices (a record and its line end) while the sixth character is "U".
    const qsizetype marker = reply.body.indexOf("</b>   1 U");
    ASSERT_GE(marker, 0);
    EXPECT_EQ(reply.body.mid(marker + 4 + 5, 14), "U1050_00000002");
    EXPECT_EQ(reply.body.mid(marker + 4 + 66 + 5, 14), "U1050_00000001");
    EXPECT_EQ(reply.body.mid(marker + 4 + 2 * 66, 7), "\n</pre>");
    EXPECT_FALSE(reply.body.contains('\r'));
    EXPECT_TRUE(reply.body.contains("<td>Dec: +22 11 01.0</td>"));

    const auto none = answerQuery(catalogue, with("magfaint", "5."));
    EXPECT_EQ(none.status, 200);
    EXPECT_TRUE(none.body.contains("\n\n</pre>"));
    EXPECT_FALSE(none.body.contains("</b>   1"));
    EXPECT_EQ(answerQuery(catalogue, with("dec", nullptr)).status, 400);
    // Echoed texts are escaped, so no query can plant markup or a false marker.
    EXPECT_TRUE(answerQuery({}, with("epoch", "<script>")).body.contains("&lt;script&gt;"));
    EXPECT_FALSE(answerQuery({}, with("ra", "</b>   1 U<i>")).body.contains("</b>   1 U"));
}

}  // namespace
}  // namespace ce::service
