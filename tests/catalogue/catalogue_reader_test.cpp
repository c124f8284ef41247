// Reading the catalogue service's answer into the catalogue star table.
//
// Regression input: the 15 record lines of a real answer of the service for
// the field of HT Cas (format 1, sexagesimal), kept in the Perl module
// Astro::Catalog (timj/perl-Astro-Catalog, t/4_usnoa2.t, __DATA__ block).
// The program asks for format 2 (decimal degrees), of which no public
// capture exists, so each line is rewritten in the format-2 column layout
// from its own values. Expected plane coordinates are worked by hand from the
// written columns, e.g. 17.53650 * 2599.43 = 45584.904 -> 45585.

#include "catalogue/catalogue_reader.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

const char* const kHtCasRecords[] = {
    "   1 U1500_01193693  01 10 08.76 +60 05 10.2  16.2  18.8   0 00080  -   0.793 316.988",
    "   2 U1500_01194083  01 10 10.31 +60 04 42.4  18.2  19.6   0 00080  -   0.367 288.521",
    "   3 U1500_01194433  01 10 11.62 +60 04 49.8  17.5  18.8   0 00080  -   0.303 322.442",
    "   4 U1500_01194688  01 10 12.60 +60 04 14.3  13.4  14.6   0 00080  -   0.357 190.009",
    "   5 U1500_01194713  01 10 12.67 +60 04 26.8  17.6  18.2   0 00080  -   0.153 200.521",
    "   6 U1500_01194715  01 10 12.68 +60 04 43.0  17.8  18.9   0 00080  -   0.137 337.466",
    "   7 U1500_01194794  01 10 12.95 +60 04 36.2  16.1  16.4   0 00080  -   0.023 307.226",
    "   8 U1500_01195060  01 10 13.89 +60 05 28.7  18.1  19.1   0 00080  -   0.894   6.318",
    "   9 U1500_01195140  01 10 14.23 +60 05 25.5  16.5  17.9   0 00080  -   0.846   9.563",
    "  10 U1500_01195144  01 10 14.26 +60 04 38.1  18.4  19.5   0 00080  -   0.151  72.472",
    "  11 U1500_01195301  01 10 14.83 +60 04 19.1  14.2  16.8   0 00080  -   0.347 141.668",
    "  12 U1500_01195521  01 10 15.71 +60 04 43.8  18.7  19.6   0 00080  -   0.354  66.790",
    "  13 U1500_01195912  01 10 17.30 +60 05 22.1  14.1  16.9   0 00080  -   0.937  33.929",
    "  14 U1500_01196088  01 10 18.00 +60 04 37.1  15.1  17.7   0 00080  -   0.611  87.287",
    "  15 U1500_01196555  01 10 20.00 +60 04 12.3  18.2  19.1   0 00080  -   0.943 114.060",
};

// A format-1 line rewritten in format 2: decimal degrees, 65 characters.
QString toFormat2(const QString& line)
{
    const QStringList f = line.simplified().split(u' ');
    const double raDeg = (f[2].toDouble() + f[3].toDouble() / 60 + f[4].toDouble() / 3600) * 15;
    const double decAbs = f[5].mid(1).toDouble() + f[6].toDouble() / 60 + f[7].toDouble() / 3600;
    const double decDeg = f[5].startsWith(u'-') ? -decAbs : decAbs;
    return QString::asprintf("%4d %s %9.5f %+9.5f %s %s %8.3f %8.3f", f[0].toInt(), qPrintable(f[1]), raDeg,
                             decDeg, qPrintable(f[8]), qPrintable(f[9]), f[13].toDouble(), f[14].toDouble());
}

// A record of the synthetic answers, running number i.
QString record(int i, const char* ra = " 23.70884", const char* dec = "-12.34567", const char* magR = "12.3",
               const char* magB = "13.1")
{
    return QString::asprintf("%4d U1050_%08d %s %s %s %s    4.123  123.456", i, i, ra, dec, magR, magB);
}

// The page around the records, as the service sends it, with `eol` line ends.
QByteArray page(const QStringList& records, const QString& eol = QStringLiteral("\n"))
{
    QString text = QStringLiteral("<html><head><title>USNO-A2.0</title></head><body>\n"
                                  "<table><tr><td>RA: 01 10 13.1</td><td>Dec: +60 04 35.4</td></tr>\n"
                                  "<tr><td>Search radius: 1'</td></tr></table>\n<pre>\n"
                                  "<b>  nr ID             ra        dec       r_mag b_mag     d'      pa\n</b>");
    for (const QString& r : records) text += r + u'\n';
    text += QStringLiteral("\n</pre>\n</body></html>\n");
    text.replace(u'\n', eol);
    return text.toLatin1();
}

QStringList records(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i) out << record(i);
    return out;
}

TEST(CatalogueReader, RealRecordsReadAlikeWithEveryLineEnd)
{
    QStringList lines;
    for (const char* l : kHtCasRecords) lines << toFormat2(QString::fromLatin1(l));
    ASSERT_EQ(lines[0], QStringLiteral("   1 U1500_01193693  17.53650 +60.08617 16.2 18.8    0.793  316.988"));

    for (const QString& eol : {QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")}) {
        auto state = std::make_unique<ce::ReductionState>();
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(page(lines, eol), 2599.43, 2709.96, *state);
        EXPECT_EQ(counts.starTotal, 15);
        EXPECT_EQ(counts.starCount, 15);
        EXPECT_EQ(state->starTotal, 15);
        EXPECT_EQ(state->starCount, 15);
        EXPECT_EQ(state->starId[1], QStringLiteral("U1500_01193693"));
        EXPECT_EQ(state->starU[1], 45585.0);   // 17.53650 * 2599.43 = 45584.904
        EXPECT_EQ(state->starV[1], 162831.0);  // 60.08617 * 2709.96 = 162831.117
        EXPECT_EQ(state->starMagR[4], QStringLiteral("13.4"));
        EXPECT_EQ(state->starMagB[4], QStringLiteral("14.6"));
        EXPECT_EQ(state->starId[15], QStringLiteral("U1500_01196555"));
        EXPECT_EQ(state->starU[15], 45707.0);  // 17.58333 * 2599.43 = 45706.636
        EXPECT_EQ(state->starV[15], 162788.0); // 60.07008 * 2709.96 = 162787.514
        EXPECT_TRUE(state->starId[16].isEmpty());
        EXPECT_TRUE(state->starId[0].isEmpty());
    }
}

TEST(CatalogueReader, ColumnsAreScaledRoundedHalfToEvenOrKeptVerbatim)
{
    struct Row { const char* name; const char* ra; const char* dec; double corrAsd, corrDec, u, v; };
    const Row rows[] = {
        {"worked right ascension", " 23.70884", "-12.34567", 2599.43, 2709.96, 61629.0, -33456.0},
        {"halves to even, down", "  0.50000", " -0.50000", 5.0, 5.0, 2.0, -2.0},   // 2.5, -2.5
        {"halves to even, up", "  1.50000", " -1.50000", 5.0, 5.0, 8.0, -8.0},    // 7.5, -7.5
        {"missing scale factor", " 23.70884", "-12.34567", 0.0, 0.0, 0.0, 0.0},
        {"no number in the column", "   abc   ", "         ", 2599.43, 2709.96, 0.0, 0.0},
    };
    for (const Row& row : rows) {
        auto state = std::make_unique<ce::ReductionState>();
        ce::readCatalogueAnswer(page({record(1, row.ra, row.dec, " 9.8", "10.0")}), row.corrAsd, row.corrDec, *state);
        ASSERT_EQ(state->starTotal, 1) << row.name;
        EXPECT_EQ(state->starU[1], row.u) << row.name;
        EXPECT_EQ(state->starV[1], row.v) << row.name;
        EXPECT_EQ(state->starMagR[1], QStringLiteral(" 9.8")) << row.name;
        EXPECT_EQ(state->starMagB[1], QStringLiteral("10.0")) << row.name;
    }
}

TEST(CatalogueReader, LimitsOf497And4000)
{
    struct Row { int records; int total; int count; };
    const Row rows[] = {{0, 0, 0}, {1, 1, 1}, {497, 497, 497}, {498, 498, 497}, {600, 600, 497},
                        {4000, 4000, 497}, {4001, 4000, 497}, {5000, 4000, 497}};
    for (const Row& row : rows) {
        auto state = std::make_unique<ce::ReductionState>();
        for (int i = 0; i <= ce::kCatalogueSlots; ++i) state->starId[i] = QStringLiteral("old");
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(page(records(row.records)), 1.0, 1.0, *state);
        EXPECT_EQ(counts.starTotal, row.total) << row.records;
        EXPECT_EQ(counts.starCount, row.count) << row.records;
        EXPECT_EQ(state->starId[0], QStringLiteral("old")) << row.records;
        if (row.total > 0) {
            EXPECT_EQ(state->starId[row.total], QString::asprintf("U1050_%08d", row.total)) << row.records;
        }
        if (row.total < ce::kCatalogueSlots) {
            EXPECT_EQ(state->starId[row.total + 1], QStringLiteral("old")) << row.records;
        }
    }
}

TEST(CatalogueReader, AnswersWithoutStars)
{
    const QByteArray one = page({record(1)});
    QByteArray second = one;
    second.replace("</b>   1 U", "</b>   2 U");
    QByteArray shifted = one;
    shifted.replace("</b>   1 U", "</b>  1 U");
    QByteArray upper = one;
    upper.replace("</b>", "</B>");
    struct Row { const char* name; QByteArray answer; };
    const Row rows[] = {
        {"empty answer of a failed download", QByteArray()},
        {"error page", QByteArray("<html><body><h1>500 Internal Server Error</h1></body></html>")},
        {"first record not number 1", second},
        {"running number not right-aligned", shifted},
        {"marker is case-sensitive", upper},
        {"table without records", page({})},
    };
    for (const Row& row : rows) {
        auto state = std::make_unique<ce::ReductionState>();
        ce::readCatalogueAnswer(page(records(3)), 1.0, 1.0, *state);
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(row.answer, 1.0, 1.0, *state);
        EXPECT_EQ(counts.starTotal, 0) << row.name;
        EXPECT_EQ(counts.starCount, 0) << row.name;
        EXPECT_EQ(state->starTotal, 0) << row.name;
        EXPECT_EQ(state->starCount, 0) << row.name;
        EXPECT_EQ(state->starId[1], QStringLiteral("U1050_00000001")) << row.name;  // left from before
        EXPECT_EQ(ce::catalogueReadStatus(counts, QStringLiteral(" étoiles")), QStringLiteral("0/0 étoiles"));
    }
    EXPECT_EQ(ce::catalogueReadStatus({1234, 497}, QStringLiteral(" lues")), QStringLiteral("497/1234 lues"));
}

TEST(CatalogueReader, CutShortAnswers)
{
    const QString full = record(3);
    struct Row { const char* name; QString last; int total; double u; double v; QString magR; };
    const Row rows[] = {
        {"cut inside the right ascension", full.left(25), 3, 24.0, 0.0, QString()},   // " 23.7" -> 23.7
        {"cut inside the red magnitude", full.left(42), 3, 24.0, -12.0, "12"},
        {"cut after the identifier initial", full.left(6), 3, 0.0, 0.0, QString()},
        {"cut before the identifier", full.left(5), 2, 0.0, 0.0, QString()},
    };
    for (const Row& row : rows) {
        // The answer ends inside the last record: no line end, no page tail.
        const QByteArray answer = page({record(1), record(2)}).left(page({record(1), record(2)}).indexOf("\n\n</pre>") + 1)
                                + row.last.toLatin1();
        auto state = std::make_unique<ce::ReductionState>();
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(answer, 1.0, 1.0, *state);
        EXPECT_EQ(counts.starTotal, row.total) << row.name;
        if (row.total == 3) {
            EXPECT_EQ(state->starU[3], row.u) << row.name;
            EXPECT_EQ(state->starV[3], row.v) << row.name;
            EXPECT_EQ(state->starMagR[3], row.magR) << row.name;
            EXPECT_TRUE(state->starMagB[3].isEmpty()) << row.name;
        }
    }
}

TEST(CatalogueReader, FromFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    auto state = std::make_unique<ce::ReductionState>();
    state->starTotal = 7;
    const auto missing = ce::readCatalogueFile(path, 1.0, 1.0, *state);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), QStringLiteral("Fichier introuvable : ") + path);
    EXPECT_EQ(state->starTotal, 7);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(page(records(2)));
    file.close();
    const auto read = ce::readCatalogueFile(path, 1.0, 1.0, *state);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->starTotal, 2);
    EXPECT_EQ(state->starTotal, 2);
}

}  // namespace
