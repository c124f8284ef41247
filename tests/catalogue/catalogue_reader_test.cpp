// Reading the catalogue service's answer into the catalogue star table.
//
// Regression input: records of a real answer for the field of HT Cas (format
// 1, quoted in timj/perl-Astro-Catalog, t/4_usnoa2.t), rewritten by hand in
// the format-2 column layout the program asks for (decimal degrees).
// Plane coordinates are worked by hand, e.g. 17.53650 * 2599.43 = 45584.904 -> 45585.

#include "catalogue/catalogue_reader.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

const QStringList kHtCas = {
    "   1 U1500_01193693  17.53650 +60.08617 16.2 18.8    0.793  316.988",  // 01 10 08.76 +60 05 10.2
    "   2 U1500_01194688  17.55250 +60.07064 13.4 14.6    0.357  190.009",  // 01 10 12.60 +60 04 14.3
    "   3 U1500_01195301  17.56179 +60.07197 14.2 16.8    0.347  141.668",  // 01 10 14.83 +60 04 19.1
    "   4 U1500_01196555  17.58333 +60.07008 18.2 19.1    0.943  114.060",  // 01 10 20.00 +60 04 12.3
};

// A synthetic record, running number i.
QString record(int i, const char* ra = " 23.70884", const char* dec = "-12.34567", const char* magR = "12.3")
{
    return QString::asprintf("%4d U1050_%08d %s %s %s 13.1    4.123  123.456", i, i, ra, dec, magR);
}

QStringList records(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i) out << record(i);
    return out;
}

// The page around the records, as the service sends it, with `eol` line ends.
QByteArray page(const QStringList& records, const QString& eol = QStringLiteral("\n"))
{
    QString text = QStringLiteral("<html><body>\n<table><tr><td>RA: 01 10 13.1</td></tr></table>\n<pre>\n"
                                  "<b>  nr ID             ra        dec       r_mag b_mag     d'      pa\n</b>");
    for (const QString& r : records) text += r + u'\n';
    text += QStringLiteral("\n</pre>\n</body></html>\n");
    return text.replace(u'\n', eol).toLatin1();
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
        EXPECT_EQ(state->starTotal, 4);
        EXPECT_EQ(state->starCount, 4);
        EXPECT_EQ(state->starId[1], QStringLiteral("U1500_01193693"));
        EXPECT_EQ(state->starU[1], 45585.0);   // 17.53650 * 2599.43 = 45584.904
        EXPECT_EQ(state->starV[1], 162831.0);  // 60.08617 * 2709.96 = 162831.108
        EXPECT_EQ(state->starMagR[2], QStringLiteral("13.4"));
        EXPECT_EQ(state->starMagB[2], QStringLiteral("14.6"));
        EXPECT_EQ(state->starU[4], 45707.0);   // 17.58333 * 2599.43 = 45706.644
        EXPECT_EQ(state->starV[4], 162788.0);  // 60.07008 * 2709.96 = 162787.523
        EXPECT_TRUE(state->starId[5].isEmpty());
    }
}

TEST(CatalogueReader, ColumnsAreScaledRoundedHalfToEvenOrKeptVerbatim)
{
    struct Row { const char* name; const char* ra; const char* dec; double corrAsd, corrDec, u, v; };
    const Row rows[] = {
        {"worked", " 23.70884", "-12.34567", 2599.43, 2709.96, 61629.0, -33456.0},
        {"halves to even, down", "  0.50000", " -0.50000", 5.0, 5.0, 2.0, -2.0},  // 2.5, -2.5
        {"halves to even, up", "  1.50000", " -1.50000", 5.0, 5.0, 8.0, -8.0},    // 7.5, -7.5
        {"missing scale factor", " 23.70884", "-12.34567", 0.0, 0.0, 0.0, 0.0},
        {"no number in the column", "   abc   ", "         ", 2599.43, 2709.96, 0.0, 0.0},
    };
    for (const Row& row : rows) {
        const auto state = read(page({record(1, row.ra, row.dec, " 9.8")}), row.corrAsd, row.corrDec);
        ASSERT_EQ(state->starTotal, 1) << row.name;
        EXPECT_EQ(state->starU[1], row.u) << row.name;
        EXPECT_EQ(state->starV[1], row.v) << row.name;
        EXPECT_EQ(state->starMagR[1], QStringLiteral(" 9.8")) << row.name;
    }
}

TEST(CatalogueReader, LimitsOf497And4000)
{
    struct Row { int records, total, count; };
    const Row rows[] = {{0, 0, 0}, {497, 497, 497}, {498, 498, 497}, {4000, 4000, 497}, {4001, 4000, 497}};
    for (const Row& row : rows) {
        auto state = std::make_unique<ce::ReductionState>();
        for (int i = 0; i <= ce::kCatalogueSlots; ++i) state->starId[i] = QStringLiteral("old");
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(page(records(row.records)), 1.0, 1.0, *state);
        EXPECT_EQ(counts.starTotal, row.total) << row.records;
        EXPECT_EQ(counts.starCount, row.count) << row.records;
        EXPECT_EQ(state->starId[0], QStringLiteral("old")) << row.records;
        if (row.total > 0) {
            EXPECT_EQ(state->starId[row.total], QString::asprintf("U1050_%08d", row.total));
        }
        if (row.total < ce::kCatalogueSlots) {
            EXPECT_EQ(state->starId[row.total + 1], QStringLiteral("old"));
        }
    }
}

TEST(CatalogueReader, AnswersWithoutStarsAndCutShortAnswers)
{
    const QByteArray one = page({record(1)});
    const auto changed = [&one](const char* from, const char* to) { return QByteArray(one).replace(from, to); };
    const QByteArray noStars[] = {
        QByteArray(),  // a failed download
        "<html><body><h1>500 Internal Server Error</h1></body></html>",
        changed("</b>   1 U", "</b>   2 U"),  // first record not number 1
        changed("</b>   1 U", "</b>  1 U"),   // running number not right-aligned
        changed("</b>", "</B>"),              // the marker is case-sensitive
        page({}),
    };
    for (const QByteArray& answer : noStars) {
        auto state = read(page(records(3)));
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(answer, 1.0, 1.0, *state);
        EXPECT_EQ(std::tuple(counts.starTotal, counts.starCount, state->starTotal, state->starCount),
                  std::tuple(0, 0, 0, 0)) << answer.constData();
        EXPECT_EQ(state->starId[1], QStringLiteral("U1050_00000001"));  // left from before
        EXPECT_EQ(ce::catalogueReadStatus(counts, QStringLiteral(" étoiles")), QStringLiteral("0/0 étoiles"));
    }
    EXPECT_EQ(ce::catalogueReadStatus({1234, 497}, QStringLiteral(" lues")), QStringLiteral("497/1234 lues"));

    // The answer ends inside the third record: no line end, no page tail.
    const QString full = record(3);
    struct Row { qsizetype cut; int total; double u, v; QString magR; };
    const Row rows[] = {
        {25, 3, 24.0, 0.0, QString()},  // inside the RA: " 23.7" -> 23.7
        {42, 3, 24.0, -12.0, "12"},     // inside the red magnitude
        {6, 3, 0.0, 0.0, QString()},    // after the identifier's initial
        {5, 2, 0.0, 0.0, QString()},    // before the identifier
    };
    const QByteArray two = page({record(1), record(2)});
    for (const Row& row : rows) {
        const auto state = read(two.left(two.indexOf("\n\n</pre>") + 1) + full.left(row.cut).toLatin1());
        EXPECT_EQ(state->starTotal, row.total) << row.cut;
        if (row.total == 3) {
            EXPECT_EQ(state->starU[3], row.u) << row.cut;
            EXPECT_EQ(state->starV[3], row.v) << row.cut;
            EXPECT_EQ(state->starMagR[3], row.magR) << row.cut;
            EXPECT_TRUE(state->starMagB[3].isEmpty()) << row.cut;
        }
    }
}

TEST(CatalogueReader, FromFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    auto state = std::make_unique<ce::ReductionState>();
    state->starTotal = 7;
    EXPECT_EQ(ce::readCatalogueFile(path, 1.0, 1.0, *state).error(), QStringLiteral("Fichier introuvable : ") + path);
    EXPECT_EQ(state->starTotal, 7);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(page(records(2)));
    file.close();
    EXPECT_EQ(ce::readCatalogueFile(path, 1.0, 1.0, *state).value().starTotal, 2);
    EXPECT_EQ(state->starTotal, 2);
}

}  // namespace
