// The catalogue query address built from the catalogue frame's texts, and the
// service's answer read into the catalogue star table. The worked query is the
// service's documented request; the regression answer is a real one for HT Cas
// (format 1, quoted in timj/perl-Astro-Catalog, t/4_usnoa2.t) rewritten by hand
// in the format-2 columns (decimal degrees). Other values are worked by hand.

#include "catalogue/catalogue_reader.h"
#include "tests/core/key_echo.h"
#include "catalogue/query_address.h"
#include "core/sexagesimal.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <tuple>

namespace {

// The frame's texts as typed; radius 20 and magnitude 13.
struct Typed {
    std::array<QString, 3> ra, dec;
    QString sign, epoch;
};
Typed fields(QString h, QString m, QString s, QString sign, QString d, QString dm, QString ds,
             QString epoch = QStringLiteral("2000.0"))
{
    return {{h, m, s}, {d, dm, ds}, sign, epoch};
}

// What "1-Download" does with them: the typed centre, then the query around it.
ce::Result<ce::CatalogueQuery> prepare(const Typed& t, QChar point)
{
    const auto centre = ce::fieldCentreFromTexts(t.ra, t.dec, t.sign, point, ce::test::KeyEcho());
    if (!centre) return ce::Result<ce::CatalogueQuery>::failure(centre.error());
    return ce::catalogueQueryAround(centre->raDeg, centre->decDeg, centre->sign, t.epoch, QStringLiteral("20"),
                                    QStringLiteral("13"), ce::test::KeyEcho());
}

QString queryValue(const QString& address, const QString& key)
{
    for (const QString& pair : address.section(u'?', 1).split(u'&'))
        if (pair.section(u'=', 0, 0) == key) return pair.section(u'=', 1);
    return QStringLiteral("<absent>");
}

TEST(CatalogueQuery, WorkedExampleAndCoordinateTexts)
{
    const auto q = prepare(fields("1", "34", "50", "+", "22", "11", "1"), u'.');
    ASSERT_TRUE(q.ok()) << q.error().toStdString();
    EXPECT_EQ(q->pathAndQuery,
              QStringLiteral("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1"
                             "&object=&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000"));
    EXPECT_NEAR(q->raJ2000Deg, 5690.0 / 240.0, 1e-9);
    EXPECT_NEAR(q->decJ2000Deg, 79861.0 / 3600.0, 1e-9);

    struct Row { const char* name; Typed in; QString ra, dec; };
    const Row rows[] = {
        {"south between 0 and -1 keeps its sign", fields("0", "0", "0", "-", "0", "30", "0"), "0+0+0", "-0+30+0"},
        {"seconds that round up are sent as 60", fields("1", "34", "59.6", "+", "22", "11", "59.7"), "1+34+60",
         "22+11+60"},
        {"exact halves to even, down and up", fields("1", "34", "50.5", "+", "0", "0", "3.5"), "1+34+50", "0+0+4"},
        // A century of precession at 0h lifts the declination by about n = 0.557°: -0°10' becomes about +0°23'.
        {"carried north across the equator", fields("0", "0", "0", "-", "0", "10", "0", "1900"), "", "0+23+"},
        {"carried south across the equator", fields("0", "0", "0", "+", "0", "10", "0", "2100"), "", "-0+23+"},
    };
    for (const Row& row : rows) {
        const auto r = prepare(row.in, u'.');
        ASSERT_TRUE(r.ok()) << row.name;
        EXPECT_TRUE(r->raText.startsWith(row.ra) && r->decText.startsWith(row.dec)) << row.name << ": "
            << r->raText.toStdString() << " " << r->decText.toStdString();
        EXPECT_EQ(queryValue(r->pathAndQuery, "ra") + queryValue(r->pathAndQuery, "dec"), r->raText + r->decText);
    }
}

TEST(CatalogueQuery, EpochIsSentAsTypedAndReadByItsLeadingNumber)
{
    // A text that is no number is sent verbatim and counts as epoch 0.
    const auto zero = prepare(fields("5", "0", "0", "+", "40", "0", "0", "0"), u'.');
    const auto letters = prepare(fields("5", "0", "0", "+", "40", "0", "0", "abc"), u'.');
    ASSERT_TRUE(zero.ok() && letters.ok());
    EXPECT_EQ(queryValue(letters->pathAndQuery, "epoch"), "abc");
    EXPECT_EQ(letters->raText + letters->decText, zero->raText + zero->decText);
    EXPECT_NE(zero->raText, QStringLiteral("5+0+0"));
    EXPECT_EQ(ce::test::spoken(prepare(fields("5", "0", "0", "+", "40", "0", "0", "1e999"), u'.').error()),
              QStringLiteral("catalogue.query.overflow|Epoch"));
    // A centre that is no finite number names its box.
    EXPECT_EQ(ce::test::spoken(ce::catalogueQueryAround(HUGE_VAL, 10.0, 1, QStringLiteral("2000"), {}, {},
                                                        ce::test::KeyEcho())
                                   .error()),
              QStringLiteral("catalogue.query.overflow|RA"));
    EXPECT_EQ(ce::test::spoken(ce::catalogueQueryAround(10.0, -HUGE_VAL, -1, QStringLiteral("2000"), {}, {},
                                                        ce::test::KeyEcho())
                                   .error()),
              QStringLiteral("catalogue.query.overflow|DEC"));
    // A coordinate field that is no number is refused, naming it (each field's rule is the sexagesimal reader's).
    EXPECT_EQ(ce::test::spoken(prepare(fields("1", "34", "50", "-", "22", "11", "1;5"), u',').error()),
              QStringLiteral("number.not_a_number|field.dec_seconds"));
}

TEST(CatalogueQuery, VerbatimTextsCannotAddKeys)
{
    struct Row { QString epoch, radius, magnitude, epochOut, radiusOut, magOut; };
    const Row rows[] = {
        {"2000&nout=1", "20=", "13&x", "2000%26nout%3D1", "20%3D", "13%26x."},
        {"a-b_c~d", "2,5", "é", "a-b_c~d", "2%2C5", "%C3%A9."},  // unreserved kept
    };
    for (const Row& row : rows) {
        const QString address = ce::catalogueQueryAddress(row.epoch, "1+2+3", "-4+5+6", row.radius, row.magnitude);
        EXPECT_EQ(QStringList({queryValue(address, "epoch"), queryValue(address, "radmax"), queryValue(address, "magfaint"),
                               queryValue(address, "nout")}),
                  QStringList({row.epochOut, row.radiusOut, row.magOut, "5000"}));
        EXPECT_EQ(address.count(u'&'), 11) << address.toStdString();
    }
}

const QStringList kHtCas = {
    "   1 U1500_01193693  17.53650 +60.08617 16.2 18.8    0.793  316.988",  // 01 10 08.76 +60 05 10.2
    "   2 U1500_01194688  17.55250 +60.07064 13.4 14.6    0.357  190.009",  // 01 10 12.60 +60 04 14.3
    "   3 U1500_01195301  17.56179 +60.07197 14.2 16.8    0.347  141.668",  // 01 10 14.83 +60 04 19.1
    "   4 U1500_01196555  17.58333 +60.07008 18.2 19.1    0.943  114.060",  // 01 10 20.00 +60 04 12.3
};

// A synthetic record, running number i.
QString record(int i, const char* ra = " 23.70884", const char* dec = "-12.34567")
{
    return QString::asprintf("%4d U1050_%08d %s %s  9.8 13.1    4.123  123.456", i, i, ra, dec);
}

// The page around `n` synthetic records or the given ones, as the service
// sends it, with `eol` line ends.
QByteArray page(const QStringList& records, const QString& eol = QStringLiteral("\n"))
{
    QString text = QStringLiteral("<html><body>\n<table><tr><td>RA: 01 10 13.1</td></tr></table>\n<pre>\n"
                                  "<b>  nr ID             ra        dec       r_mag b_mag     d'      pa\n</b>");
    for (const QString& r : records) text += r + u'\n';
    text += QStringLiteral("\n</pre>\n</body></html>\n");
    return text.replace(u'\n', eol).toLatin1();
}
QByteArray page(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i) out << record(i);
    return page(out);
}

std::unique_ptr<ce::ReductionState> read(const QByteArray& answer, double corrAsd = 1.0, double corrDec = 1.0)
{
    auto state = std::make_unique<ce::ReductionState>();
    ce::readCatalogueAnswer(answer, corrAsd, corrDec, *state);
    return state;
}

TEST(CatalogueReader, RealRecordsWithEveryLineEnd)
{
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        const auto state = read(page(kHtCas, QString::fromLatin1(eol)), 2599.43, 2709.96);
        EXPECT_EQ(std::tuple(state->starTotal, state->starCount), std::tuple(4, 4));
        EXPECT_EQ(state->starId[1], QStringLiteral("U1500_01193693"));
        // 17.53650 * 2599.43 = 45584.904, 60.08617 * 2709.96 = 162831.108, 60.07008 * 2709.96 = 162787.523.
        EXPECT_EQ(std::tuple(state->starU[1], state->starV[1], state->starV[4]), std::tuple(45585.0, 162831.0, 162788.0));
        EXPECT_EQ(state->starMagR[2] + state->starMagB[2], QStringLiteral("13.414.6"));
        EXPECT_TRUE(state->starId[5].isEmpty());
    }
}

TEST(CatalogueReader, ColumnsAreScaledRoundedHalfToEvenOrKeptVerbatim)
{
    struct Row { const char* ra; const char* dec; double corr, u, v; };
    const Row rows[] = {
        {"  0.50000", " -1.50000", 5.0, 2.0, -8.0},  // 2.5 down, -7.5 up to even
        {" 23.70884", "-12.34567", 0.0, 0.0, 0.0},   // missing scale factor
        {"    1e999", "   -1e999", 0.0, 0.0, 0.0},   // missing factor, column beyond a double
        {"   abc   ", "         ", 2599.43, 0.0, 0.0},  // no number in the column
    };
    for (const Row& row : rows) {
        const auto state = read(page({record(1, row.ra, row.dec)}), row.corr, row.corr);
        ASSERT_EQ(state->starTotal, 1) << row.ra;
        EXPECT_EQ(std::tuple(state->starU[1], state->starV[1], state->starMagR[1]), std::tuple(row.u, row.v, QString(" 9.8")))
            << row.ra;
    }
}

TEST(CatalogueReader, LimitsOf497And4000)
{
    struct Row { int records, total, count; };
    const Row rows[] = {{497, 497, 497}, {498, 498, 497}, {4000, 4000, 497}, {4001, 4000, 497}};
    for (const Row& row : rows) {
        auto state = std::make_unique<ce::ReductionState>();
        for (int i = 0; i <= ce::kCatalogueSlots; ++i) state->starId[i] = QStringLiteral("old");
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(page(row.records), 1.0, 1.0, *state);
        EXPECT_EQ(std::tuple(counts.starTotal, counts.starCount), std::tuple(row.total, row.count)) << row.records;
        EXPECT_EQ(state->starId[0], QStringLiteral("old")) << row.records;
        EXPECT_EQ(state->starId[row.total], QString::asprintf("U1050_%08d", row.total));
        if (row.total < ce::kCatalogueSlots) {
            EXPECT_EQ(state->starId[row.total + 1], QStringLiteral("old"));
        }
    }
    EXPECT_EQ(ce::catalogueReadStatus({1234, 497}, QStringLiteral(" lues")), QStringLiteral("497/1234 lues"));
}

TEST(CatalogueReader, AnswersWithoutStarsAndCutShortAnswers)
{
    const QByteArray one = page(1);
    const auto changed = [&one](const char* from, const char* to) { return QByteArray(one).replace(from, to); };
    const QByteArray noStars[] = {
        QByteArray(),  // a failed download
        "<html><body><h1>500 Internal Server Error</h1></body></html>",
        changed("</b>   1 U", "</b>   2 U"),  // first record not number 1
        changed("</b>   1 U", "</b>  1 U"),   // running number not right-aligned
        changed("</b>", "</B>"),              // the marker is case-sensitive
        page(0),
    };
    for (const QByteArray& answer : noStars) {
        auto state = read(page(3));
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(answer, 1.0, 1.0, *state);
        EXPECT_EQ(std::tuple(counts.starTotal, counts.starCount, state->starTotal, state->starCount),
                  std::tuple(0, 0, 0, 0)) << answer.constData();
        EXPECT_EQ(state->starId[1], QStringLiteral("U1050_00000001"));  // left from before
        EXPECT_EQ(ce::catalogueReadStatus(counts, QStringLiteral(" étoiles")), QStringLiteral("0/0 étoiles"));
    }

    // The answer ends inside the third record: no line end, no page tail.
    struct Row { qsizetype cut; int total; double u, v; QString magR; };
    const Row rows[] = {
        {25, 3, 24.0, 0.0, QString()},  // inside the RA: " 23.7" -> 23.7
        {42, 3, 24.0, -12.0, " 9"},     // inside the red magnitude
        {5, 2, 0.0, 0.0, QString()},    // before the identifier
    };
    const QByteArray two = page(2);
    for (const Row& row : rows) {
        const auto state = read(two.left(two.indexOf("\n\n</pre>") + 1) + record(3).left(row.cut).toLatin1());
        ASSERT_EQ(state->starTotal, row.total) << row.cut;
        if (row.total == 3) {
            EXPECT_EQ(std::tuple(state->starU[3], state->starV[3], state->starMagR[3], state->starMagB[3]),
                      std::tuple(row.u, row.v, row.magR, QString())) << row.cut;
        }
    }
}

TEST(CatalogueReader, MissingFileIsNamedAndKeepsTheTable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    auto state = read(page(2));
    EXPECT_EQ(ce::test::spoken(ce::readCatalogueFile(path, 1.0, 1.0, *state, ce::test::KeyEcho()).error()),
              QStringLiteral("file.not_found|") + path);
    EXPECT_EQ(state->starTotal, 2);
}

}  // namespace
