// The local catalogue service without its HTTP layer: sky geometry, query
// keys, extract files, star selection and the answer page as the program's
// reader sees it.

#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/service_options.h"
#include "tools/catalogue_service/sky_distance.h"
#include "tools/catalogue_service/usnoa_answer.h"
#include "tools/catalogue_service/usnoa_query.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>

namespace ce::service {
namespace {

// ---------------------------------------------------------------- geometry

TEST(SkyDistance, SimpleConfigurations)
{
    // Expected values follow from the geometry alone: along a meridian the
    // separation is the declination difference, along the equator the RA
    // difference; a pole is 90 degrees from the equator.
    struct Row {
        const char* name;
        double ra1, dec1, ra2, dec2;
        double distanceDeg, angleDeg;
    };
    const Row rows[] = {
        {"north along meridian", 10, 20, 10, 20.5, 0.5, 0},
        {"south along meridian", 10, 20, 10, 19.5, 0.5, 180},
        {"east on equator", 0, 0, 1, 0, 1, 90},
        {"west across 0h", 0, 0, 359, 0, 1, 270},
        {"east across 0h", 359.5, 0, 0.5, 0, 1, 90},
        {"half a turn on equator", 0, 0, 180, 0, 180, -1},
        {"pole to equator", 0, 90, 123, 0, 90, -1},
        {"same point", 42, -30, 42, -30, 0, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_NEAR(angularDistanceDeg(r.ra1, r.dec1, r.ra2, r.dec2), r.distanceDeg, 1e-9);
        if (r.angleDeg >= 0) {
            EXPECT_NEAR(positionAngleDeg(r.ra1, r.dec1, r.ra2, r.dec2), r.angleDeg, 1e-9);
        }
    }
}

TEST(SkyDistance, KeepsDigitsForTinySeparations)
{
    // 1e-6 degree (3.6 mas) along a meridian: an arccos of the dot product
    // would return 0 or a value off by tens of percent here.
    EXPECT_NEAR(angularDistanceDeg(100, 40, 100, 40 + 1e-6), 1e-6, 1e-12);
    // Along a parallel at 60 degrees, 2e-6 degree of RA is 1e-6 on the sky.
    EXPECT_NEAR(angularDistanceDeg(100, 60, 100 + 2e-6, 60), 1e-6, 1e-12);
}

TEST(SkyDistance, MatchesTheArchiveServiceOnARealField)
{
    // Record lines of a real answer of the archive's USNO-A2.0 service
    // (format 1), field HT Cas, centre 01 10 13.1 +60 04 35.4, as quoted by
    // the public client Astro::Catalog (timj/perl-Astro-Catalog,
    // t/4_usnoa2.t). Its last two columns are the distance (arcmin) and the
    // position angle (degrees) that the service computed.
    struct Row {
        const char* id;
        int raH, raM;
        double raS;
        int decD, decM;
        double decS;
        double distanceArcmin, angleDeg;
    };
    const Row rows[] = {
        {"U1500_01193693", 1, 10, 8.76, 60, 5, 10.2, 0.793, 316.988},
        {"U1500_01194083", 1, 10, 10.31, 60, 4, 42.4, 0.367, 288.521},
        {"U1500_01194433", 1, 10, 11.62, 60, 4, 49.8, 0.303, 322.442},
        {"U1500_01194688", 1, 10, 12.60, 60, 4, 14.3, 0.357, 190.009},
        {"U1500_01194713", 1, 10, 12.67, 60, 4, 26.8, 0.153, 200.521},
        {"U1500_01194715", 1, 10, 12.68, 60, 4, 43.0, 0.137, 337.466},
        {"U1500_01194794", 1, 10, 12.95, 60, 4, 36.2, 0.023, 307.226},
        {"U1500_01195060", 1, 10, 13.89, 60, 5, 28.7, 0.894, 6.318},
        {"U1500_01195140", 1, 10, 14.23, 60, 5, 25.5, 0.846, 9.563},
        {"U1500_01195144", 1, 10, 14.26, 60, 4, 38.1, 0.151, 72.472},
        {"U1500_01195301", 1, 10, 14.83, 60, 4, 19.1, 0.347, 141.668},
        {"U1500_01195521", 1, 10, 15.71, 60, 4, 43.8, 0.354, 66.790},
        {"U1500_01195912", 1, 10, 17.30, 60, 5, 22.1, 0.937, 33.929},
        {"U1500_01196088", 1, 10, 18.00, 60, 4, 37.1, 0.611, 87.287},
        {"U1500_01196555", 1, 10, 20.00, 60, 4, 12.3, 0.943, 114.060},
    };
    const double centreRa = (1 + 10 / 60.0 + 13.1 / 3600.0) * 15.0;
    const double centreDec = 60 + 4 / 60.0 + 35.4 / 3600.0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.id);
        const double ra = (r.raH + r.raM / 60.0 + r.raS / 3600.0) * 15.0;
        const double dec = r.decD + r.decM / 60.0 + r.decS / 3600.0;
        // The positions are printed to 0.1 arcsecond: the distance agrees to
        // about that, the angle to the rounding seen from the distance.
        EXPECT_NEAR(angularDistanceDeg(centreRa, centreDec, ra, dec) * 60.0, r.distanceArcmin, 0.0015);
        const double angleTolerance = 0.05 + (0.1 / (r.distanceArcmin * 60.0)) * 180.0 / M_PI;
        EXPECT_NEAR(positionAngleDeg(centreRa, centreDec, ra, dec), r.angleDeg, angleTolerance);
    }
}

// ------------------------------------------------------------------ query

TEST(QueryCoordinates, SexagesimalTexts)
{
    struct Row {
        const char* name;
        bool rightAscension;
        const char* text;
        bool ok;
        double deg;
    };
    const Row rows[] = {
        // 1h34m50s = (1 + 34/60 + 50/3600) * 15 = 23.708333... degrees
        {"ra of the demo field", true, "1 34 50", true, 23.0 + 0.708333333333333},
        {"ra seconds rounded up to 60", true, "1 34 60", true, 23.75},
        {"ra with colons", true, "01:34:50", true, 23.708333333333333},
        {"ra 24h is 0h", true, "24 0 0", true, 0},
        {"ra beyond 24h", true, "24 0 1", false, 0},
        {"ra negative", true, "-1 0 0", false, 0},
        {"ra minutes 60", true, "1 60 0", false, 0},
        {"ra seconds above 60", true, "1 0 60.5", false, 0},
        {"ra not a number", true, "1 x 2", false, 0},
        // 22d11m1s = 22 + 11/60 + 1/3600 = 22.183611...
        {"dec positive", false, "22 11 1", true, 22.183611111111111},
        {"dec explicit plus", false, "+22 11 1", true, 22.183611111111111},
        {"dec negative", false, "-12 30 0", true, -12.5},
        {"dec negative zero keeps sign", false, "-0 30 0", true, -0.5},
        {"dec beyond pole", false, "90 0 1", false, 0},
        {"dec sign on minutes", false, "10 -5 0", false, 0},
        {"dec double sign", false, "--1 0 0", false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const QString text = QString::fromLatin1(r.text);
        const Result<double> got = r.rightAscension ? parseRightAscension(text) : parseDeclination(text);
        ASSERT_EQ(got.ok(), r.ok) << qPrintable(got.error());
        if (r.ok)
            EXPECT_NEAR(*got, r.deg, 1e-12);
        else
            EXPECT_TRUE(got.error().contains(r.rightAscension ? QStringLiteral("ra") : QStringLiteral("dec")));
    }
}

// The keys as the program sends them for the demonstration field, after
// URL decoding.
QueryKeys programQuery()
{
    return {{"catalogue", "usnoa"}, {"epoch", "2000.0"}, {"chart", "0"},     {"ra", "1 34 50"},
            {"dec", "22 11 1"},     {"object", ""},      {"radmax", "20"},   {"magbright", "0"},
            {"magfaint", "13."},    {"format", "2"},     {"sort", "mr"},     {"nout", "5000"}};
}

TEST(QueryKeysReading, FormDecodingOfTheRawQuery)
{
    const QueryKeys keys = decodeQueryString("catalogue=usnoa&ra=1+34+50&dec=-0+30+0&object=&chart"
                                             "&x=%2B22%20%C3%A9&&magfaint=13.");
    const QueryKeys expected = {{"catalogue", "usnoa"}, {"ra", "1 34 50"}, {"dec", "-0 30 0"},
                                {"object", ""},         {"chart", ""},     {"x", "+22 \xc3\xa9"},
                                {"magfaint", "13."}};
    EXPECT_EQ(keys, expected);
}

TEST(QueryKeysReading, TheProgramsQuery)
{
    // The address the program builds for the demonstration field.
    EXPECT_EQ(decodeQueryString("catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1&object="
                                "&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000"),
              programQuery());
    const auto q = parseUsnoaQuery(programQuery());
    ASSERT_TRUE(q.ok()) << qPrintable(q.error());
    EXPECT_NEAR(q->raDeg, 23.708333333333333, 1e-12);
    EXPECT_NEAR(q->decDeg, 22.183611111111111, 1e-12);
    EXPECT_EQ(q->radiusArcmin, 20);
    EXPECT_EQ(q->magBright, 0);
    EXPECT_EQ(q->magFaint, 13);  // "13." with its trailing point
    EXPECT_EQ(q->maxCount, 5000);
    EXPECT_EQ(q->epochText, QStringLiteral("2000.0"));
}

TEST(QueryKeysReading, EachMissingOrBadKeyIsNamed)
{
    for (const char* key : {"catalogue", "ra", "dec", "radmax", "magfaint", "format", "nout"}) {
        SCOPED_TRACE(key);
        QueryKeys keys = programQuery();
        keys.erase(key);
        const auto q = parseUsnoaQuery(keys);
        ASSERT_FALSE(q.ok());
        EXPECT_TRUE(q.error().contains(QLatin1String(key))) << qPrintable(q.error());
    }
    struct Row {
        const char* key;
        const char* value;
    };
    const Row bad[] = {
        {"catalogue", "gsc"}, {"format", "1"},    {"sort", "ra"},       {"radmax", "0"},
        {"radmax", "-5"},     {"radmax", "5401"}, {"radmax", "vingt"},  {"magfaint", ""},
        {"magbright", "x"},   {"nout", "0"},      {"nout", "12.5"},     {"dec", "95 0 0"},
    };
    for (const Row& r : bad) {
        SCOPED_TRACE(std::string(r.key) + "=" + r.value);
        QueryKeys keys = programQuery();
        keys.erase(r.key);
        keys.emplace(r.key, r.value);
        const auto q = parseUsnoaQuery(keys);
        ASSERT_FALSE(q.ok());
        EXPECT_TRUE(q.error().contains(QLatin1String(r.key))) << qPrintable(q.error());
    }
    // Keys the answer does not depend on may be absent.
    QueryKeys minimal = programQuery();
    for (const char* key : {"epoch", "chart", "object", "magbright", "sort"})
        minimal.erase(key);
    EXPECT_TRUE(parseUsnoaQuery(minimal).ok());
}

// ---------------------------------------------------------------- extract

TEST(ExtractFile, ReadsStarsAndRefusesBadLines)
{
    const QByteArray good = "# demo\r\n"
                            "U1050_00000001  23.70884 +22.18361 12.3 13.1\r\n"
                            "\n"
                            "  U1125_00000002\t23.80000   22.60000  9.8 10.5\n";
    const auto stars = parseExtract(good, QStringLiteral("demo.txt"));
    ASSERT_TRUE(stars.ok()) << qPrintable(stars.error());
    ASSERT_EQ(stars->size(), 2u);
    EXPECT_EQ((*stars)[0].id, QStringLiteral("U1050_00000001"));
    EXPECT_DOUBLE_EQ((*stars)[0].raDeg, 23.70884);
    EXPECT_DOUBLE_EQ((*stars)[0].decDeg, 22.18361);
    EXPECT_DOUBLE_EQ((*stars)[1].magR, 9.8);
    EXPECT_DOUBLE_EQ((*stars)[1].magB, 10.5);

    struct Row {
        const char* name;
        const char* line;
    };
    const Row bad[] = {
        {"four fields", "U1050_00000001 23.7 22.1 12.3"},
        {"six fields", "U1050_00000001 23.7 22.1 12.3 13.1 7"},
        {"short identifier", "U1050_0000001 23.7 22.1 12.3 13.1"},
        {"identifier without U", "X1050_00000001 23.7 22.1 12.3 13.1"},
        {"ra 360", "U1050_00000001 360 22.1 12.3 13.1"},
        {"ra comma", "U1050_00000001 23,7 22.1 12.3 13.1"},
        {"dec beyond pole", "U1050_00000001 23.7 -90.5 12.3 13.1"},
        {"magnitude too wide", "U1050_00000001 23.7 22.1 100.0 13.1"},
        {"magnitude inf", "U1050_00000001 23.7 22.1 inf 13.1"},
    };
    for (const Row& r : bad) {
        SCOPED_TRACE(r.name);
        // The bad line is the third one, after a comment and a good line.
        const QByteArray text = "# c\nU1050_00000001 23.7 22.1 12.3 13.1\n" + QByteArray(r.line) + "\n";
        const auto got = parseExtract(text, QStringLiteral("x.txt"));
        ASSERT_FALSE(got.ok());
        EXPECT_TRUE(got.error().startsWith(QStringLiteral("Ligne 3 de x.txt"))) << qPrintable(got.error());
    }
    const auto missing = readExtract(QStringLiteral("/nonexistent/extract.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains(QStringLiteral("/nonexistent/extract.txt")));
}

// -------------------------------------------------------------- selection

CatalogueStar starAt(const char* id, double raDeg, double decDeg, double magR)
{
    return {QString::fromLatin1(id), raDeg, decDeg, magR, magR + 0.8};
}

UsnoaQuery queryAt(double raDeg, double decDeg, double radiusArcmin, double magFaint, int maxCount = 5000)
{
    UsnoaQuery q;
    q.raDeg = raDeg;
    q.decDeg = decDeg;
    q.radiusArcmin = radiusArcmin;
    q.magFaint = magFaint;
    q.maxCount = maxCount;
    return q;
}

TEST(StarSelection, RadiusMagnitudeOrderAndCount)
{
    // Centre at Dec +60: 20' of RA there spans 40' of RA numbers, so a flat
    // RA/Dec box would let the "east, outside" star in.
    const double ra0 = 100, dec0 = 60;
    const std::vector<CatalogueStar> catalogue = {
        starAt("U1500_00000001", ra0, dec0 + 19.9 / 60, 12.0),             // north, inside
        starAt("U1500_00000002", ra0, dec0 - 20.1 / 60, 11.0),             // south, outside
        starAt("U1500_00000003", ra0 + 39.0 / 60, dec0, 10.0),             // east, 19.5' on the sky
        starAt("U1500_00000004", ra0 + 41.0 / 60, dec0, 10.5),             // east, 20.5' on the sky
        starAt("U1500_00000005", ra0, dec0, 13.0),                         // at the limit magnitude
        starAt("U1500_00000006", ra0, dec0 + 1.0 / 60, 13.1),              // just fainter
        starAt("U1500_00000007", ra0 + 0.01, dec0, 12.0),                  // same mag as star 1
        starAt("U1500_00000008", ra0, dec0 - 5.0 / 60, 3.0),               // brighter than magbright
    };
    UsnoaQuery q = queryAt(ra0, dec0, 20, 13);
    q.magBright = 5;
    const auto chosen = selectStars(catalogue, q);
    QStringList ids;
    for (const auto& s : chosen)
        ids << s.star.id.right(1);
    // Increasing red magnitude; stars 1 and 7 tie at 12.0 and keep the
    // catalogue's order.
    EXPECT_EQ(ids.join(u','), QStringLiteral("3,1,7,5"));
    EXPECT_NEAR(chosen[0].distanceArcmin, 19.5, 0.01);
    // Along a parallel the great circle leaves eastwards slightly north:
    // 89.72 degrees here.
    EXPECT_NEAR(chosen[0].positionAngleDeg, 89.72, 0.01);
    EXPECT_NEAR(chosen[1].distanceArcmin, 19.9, 1e-9);
    EXPECT_NEAR(chosen[1].positionAngleDeg, 0, 1e-9);

    q.maxCount = 2;
    EXPECT_EQ(selectStars(catalogue, q).size(), 2u);
    q.maxCount = 1'000'000;
    std::vector<CatalogueStar> many(kMaxRecords + 5, starAt("U1500_00000009", ra0, dec0, 12.0));
    EXPECT_EQ(selectStars(many, q).size(), static_cast<std::size_t>(kMaxRecords));
}

// ----------------------------------------------------------------- record

TEST(AnswerRecord, ColumnsOfTheDecimalDegreeFormat)
{
    struct Row {
        const char* name;
        SelectedStar star;
        int number;
        const char* expected;
    };
    // Expected lines written by hand from the column table of the format:
    // number 4, id 14, RA 9 (5 decimals), Dec 9 (sign, 5 decimals), mags 4
    // and 4 (1 decimal), distance 8 and angle 8 (3 decimals).
    const Row rows[] = {
        {"documented example",
         {{QStringLiteral("U1050_01234567"), 23.70884, 22.18361, 12.3, 13.1}, 4.123, 123.456},
         1,
         "   1 U1050_01234567  23.70884 +22.18361 12.3 13.1   4.123 123.456"},
        {"south, small RA, bright",
         {{QStringLiteral("U0750_00000042"), 1.5, -5.123454, 9.8, 10.04}, 19.9996, 7.0},
         42,
         "  42 U0750_00000042   1.50000 -05.12345  9.8 10.0  20.000   7.000"},
        {"angle rounding to a full turn",
         {{QStringLiteral("U1725_99999999"), 359.999991, 89.5, 18.0, 19.5}, 0.5, 359.9997},
         9999,
         "9999 U1725_99999999 359.99999 +89.50000 18.0 19.5   0.500   0.000"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const QByteArray line = formatRecord(r.number, r.star);
        EXPECT_EQ(line.size(), 65);
        EXPECT_EQ(line, QByteArray(r.expected));
    }
}

// ------------------------------------------------------------------- page

// The program's reader, as its file format describes it: the text after
// "</b>" of the first "</b>   1 U", cut in slices of one record and its
// line end, until a slice whose sixth character is not "U".
QStringList idsAsTheReaderSeesThem(const QByteArray& page)
{
    QStringList ids;
    const qsizetype marker = page.indexOf("</b>   1 U");
    if (marker < 0)
        return ids;
    QByteArray rest = page.mid(marker + 4);
    while (rest.size() >= 6 && rest[5] == 'U') {
        ids << QString::fromLatin1(rest.mid(5, 14));
        rest = rest.mid(66);
    }
    return ids;
}

TEST(AnswerPage, LayoutAsTheReaderNeedsIt)
{
    const std::vector<CatalogueStar> catalogue = {
        starAt("U1050_00000001", 23.70, 22.18, 12.5),
        starAt("U1050_00000002", 23.71, 22.19, 8.2),
        starAt("U1125_00000003", 23.72, 22.51, 10.0),
    };
    const auto reply = answerQuery(catalogue, programQuery());
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.starCount, 3);
    const QByteArray& page = reply.body;
    EXPECT_EQ(idsAsTheReaderSeesThem(page),
              QStringList({"U1050_00000002", "U1125_00000003", "U1050_00000001"}));
    EXPECT_EQ(page.count("</b>   1 U"), 1);

    // Line by line: "<pre>", the bold header, records each 65 characters,
    // a blank line, "</pre>".
    const QList<QByteArray> lines = page.split('\n');
    const qsizetype pre = lines.indexOf("<pre>");
    ASSERT_GE(pre, 0);
    EXPECT_TRUE(lines[pre + 1].startsWith("<b>"));
    QByteArray header = lines[pre + 1].mid(3).trimmed();
    EXPECT_TRUE(header.startsWith("nr"));
    EXPECT_TRUE(lines[pre + 2].startsWith("</b>   1 U"));
    EXPECT_EQ(lines[pre + 2].size(), 4 + 65);
    EXPECT_EQ(lines[pre + 3].size(), 65);
    EXPECT_EQ(lines[pre + 4].size(), 65);
    EXPECT_TRUE(lines[pre + 4].startsWith("   3 U"));
    EXPECT_EQ(lines[pre + 5], "");
    EXPECT_EQ(lines[pre + 6], "</pre>");
    EXPECT_FALSE(page.contains('\r'));
    // The head repeats the query.
    EXPECT_TRUE(page.contains("<td>RA: 01 34 50.00</td>"));
    EXPECT_TRUE(page.contains("<td>Dec: +22 11 01.0</td>"));
    EXPECT_TRUE(page.contains("Search radius: 20 arcmin"));
    EXPECT_LT(page.indexOf("<table>"), page.indexOf("<pre>"));
}

TEST(AnswerPage, PagesWithoutStarsForTheReader)
{
    const std::vector<CatalogueStar> catalogue = {starAt("U1050_00000001", 23.70, 22.18, 12.5)};

    PageOptions broken;
    broken.withMarker = false;
    const auto noMarker = answerQuery(catalogue, programQuery(), broken);
    EXPECT_EQ(noMarker.status, 200);
    EXPECT_TRUE(noMarker.body.contains("   1 U1050_00000001"));
    EXPECT_TRUE(idsAsTheReaderSeesThem(noMarker.body).isEmpty());

    QueryKeys faint = programQuery();
    faint.erase("magfaint");
    faint.emplace("magfaint", "5.");
    const auto none = answerQuery(catalogue, faint);
    EXPECT_EQ(none.status, 200);
    EXPECT_EQ(none.starCount, 0);
    EXPECT_TRUE(none.body.contains("<pre>\n<b>"));
    EXPECT_TRUE(none.body.contains("\n\n</pre>"));
    EXPECT_FALSE(none.body.contains("</b>   1"));

    QueryKeys missing = programQuery();
    missing.erase("dec");
    const auto refused = answerQuery(catalogue, missing);
    EXPECT_EQ(refused.status, 400);
    EXPECT_EQ(refused.starCount, 0);
    EXPECT_FALSE(refused.body.contains("<pre>"));
    EXPECT_TRUE(refused.body.contains("dec"));
}

TEST(AnswerPage, EchoedTextsAreEscaped)
{
    QueryKeys keys = programQuery();
    keys.erase("epoch");
    keys.emplace("epoch", "<script>alert(1)</script>");
    const auto reply = answerQuery({}, keys);
    ASSERT_EQ(reply.status, 200);
    EXPECT_FALSE(reply.body.contains("<script>"));
    EXPECT_TRUE(reply.body.contains("&lt;script&gt;"));

    keys = programQuery();
    keys.erase("ra");
    keys.emplace("ra", "</b>   1 U<i>");
    const auto refused = answerQuery({}, keys);
    EXPECT_EQ(refused.status, 400);
    EXPECT_FALSE(refused.body.contains("</b>   1 U"));
}

// ---------------------------------------------------------------- options

TEST(ServiceCommandLine, OptionsAndRefusals)
{
    const auto defaults = parseServiceOptions({"catalogue-service", "--extract", "e.txt"});
    ASSERT_TRUE(defaults.ok()) << qPrintable(defaults.error());
    EXPECT_EQ(defaults->extractPath, QStringLiteral("e.txt"));
    EXPECT_EQ(defaults->port, 0);
    EXPECT_FALSE(defaults->hang);
    EXPECT_FALSE(defaults->noMarker);
    EXPECT_EQ(defaults->forcedStatus, 0);

    // The switches themselves are tried on the running program.
    const auto port = parseServiceOptions({"catalogue-service", "--extract", "e.txt", "--port", "65535"});
    ASSERT_TRUE(port.ok()) << qPrintable(port.error());
    EXPECT_EQ(port->port, 65535);

    const QStringList refused[] = {
        {"catalogue-service"},
        {"catalogue-service", "--port", "0"},
        {"catalogue-service", "--extract", "e", "--port", "65536"},
        {"catalogue-service", "--extract", "e", "--port", "-1"},
        {"catalogue-service", "--extract", "e", "--delay-ms", "abc"},
        {"catalogue-service", "--extract", "e", "--status", "42"},
        {"catalogue-service", "--extract", "e", "--bogus"},
        {"catalogue-service", "--extract", "e", "stray"},
    };
    for (const QStringList& args : refused) {
        SCOPED_TRACE(qPrintable(args.join(u' ')));
        const auto got = parseServiceOptions(args);
        ASSERT_FALSE(got.ok());
        EXPECT_TRUE(got.error().contains(QStringLiteral("Usage")));
    }
}

}  // namespace
}  // namespace ce::service
