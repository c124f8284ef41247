// config.cfg reading and writing, and the Config window's table operations.

#include "calibration/config_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kName = QStringLiteral("config.cfg");

// A file announcing `announced` records and holding `present` of them,
// record i named "Ni" with factors "Ai" and "Di".
QStringList fileWith(const QString& countLine, int present)
{
    QStringList lines{countLine};
    for (int i = 1; i <= present; ++i)
        lines << QStringLiteral("N%1").arg(i) << QStringLiteral("A%1").arg(i)
              << QStringLiteral("D%1").arg(i);
    return lines;
}

ce::OpticalConfiguration rec(int i)
{
    return {QStringLiteral("N%1").arg(i), QStringLiteral("A%1").arg(i), QStringLiteral("D%1").arg(i)};
}

TEST(ConfigFile, CountLineInThePrintConvention)
{
    EXPECT_EQ(ce::configCountLine(3), " 3 ");
    EXPECT_EQ(ce::configCountLine(0), " 0 ");
    EXPECT_EQ(ce::configCountLine(15), " 15 ");
    EXPECT_EQ(ce::configCountLine(-2), "-2 ");
}

TEST(ConfigFile, ReadingStopsAtTheFailingLineKeepingEarlierRecords)
{
    struct Row {
        const char* name;
        QStringList lines;
        int records;           // complete records returned
        const char* inError;   // "" when the reading succeeds
    };
    const Row rows[] = {
        {"three records", fileWith(" 3 ", 3), 3, ""},
        {"count without blanks", fileWith("2", 2), 2, ""},
        {"zero", fileWith(" 0 ", 0), 0, ""},
        {"lines after the records are not read", fileWith(" 1 ", 2), 1, ""},
        {"count rounded half to even", fileWith("2.5", 2), 2, ""},
        {"15 records", fileWith(" 15 ", 15), 15, ""},
        {"16 records", fileWith(" 16 ", 16), 15, "(ligne 47)"},
        {"empty file", QStringList{}, 0, "ligne 1"},
        {"count not a number", fileWith("trois", 3), 0, "Incompatibilité de type : la ligne 1"},
        {"count out of range", fileWith("40000", 1), 0, "Dépassement de capacité"},
        {"negative count", fileWith("-1 ", 1), 0, "négatif"},
        {"third record short", fileWith(" 3 ", 3).mid(0, 9), 2, "ligne 9"},
    };
    for (const Row& row : rows) {
        const ce::ConfigReading r = ce::parseConfigFile(row.lines, u'.', kName);
        ASSERT_EQ(int(r.records.size()), row.records) << row.name;
        for (int i = 1; i <= row.records; ++i) EXPECT_EQ(r.records[std::size_t(i - 1)], rec(i)) << row.name;
        const QString expected = QString::fromUtf8(row.inError);
        if (expected.isEmpty()) {
            EXPECT_TRUE(r.ok()) << row.name << ": " << r.error.toStdString();
        } else {
            EXPECT_FALSE(r.ok()) << row.name;
            EXPECT_TRUE(r.error.contains(expected)) << row.name << ": " << r.error.toStdString();
            EXPECT_TRUE(r.error.contains(kName)) << row.name;
        }
    }
}

TEST(ConfigFile, TextsAreKeptByteForByte)
{
    const std::vector<ce::OpticalConfiguration> records{
        {QStringLiteral(" C8 f/6,3 "), QStringLiteral("2599,43"), QString()},
        {QStringLiteral("Config#"), QStringLiteral("0"), QStringLiteral("0")}};
    const QStringList lines = ce::configFileLines(records);
    EXPECT_EQ(lines.size(), 1 + 3 * 2);
    EXPECT_EQ(lines[0], " 2 ");
    const ce::ConfigReading back = ce::parseConfigFile(lines, u'.', kName);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.records, records);
}

TEST(ConfigFile, SavedAndLoadedBesideTheProgram)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ce::ConfigReading missing = ce::loadConfigFile(dir.path());
    EXPECT_TRUE(missing.records.empty());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("Fichier introuvable")));

    // "Nouveau" on an empty list, then "Enregistrer": exactly four lines.
    ce::ConfigTable table;
    ASSERT_TRUE(table.addNew().ok());
    ASSERT_TRUE(ce::saveConfigFile(dir.path(), table.records()).ok());
    QFile file(dir.path() + QStringLiteral("/config.cfg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(" 1 \r\nConfig#\r\n0\r\n0\r\n"));

    const ce::ConfigReading back = ce::loadConfigFile(dir.path());
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.records, table.records());
}

TEST(ConfigTable, NouveauStopsAtFifteenRecords)
{
    ce::ConfigTable table;
    for (int i = 1; i <= 15; ++i) ASSERT_TRUE(table.addNew().ok()) << i;
    EXPECT_EQ(table.slot(15), (ce::OpticalConfiguration{"Config#", "0", "0"}));
    const ce::Status refused = table.addNew();
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(QStringLiteral("15")));
    EXPECT_EQ(table.count(), 15);
}

TEST(ConfigTable, SupprimerSelectsTheEntryThatTookThePlace)
{
    const std::vector<ce::OpticalConfiguration> three{rec(1), rec(2), rec(3)};
    struct Row {
        const char* name;
        int selected;
        int newSelection;
        QStringList names;
    };
    const Row rows[] = {
        {"middle", 1, 1, {"N1", "N3"}},
        {"first", 0, 0, {"N2", "N3"}},
        {"last", 2, 1, {"N1", "N2"}},
        {"nothing selected", -1, -1, {"N1", "N2", "N3"}},
        {"selection past the list", 3, -1, {"N1", "N2", "N3"}},
    };
    for (const Row& row : rows) {
        ce::ConfigTable table(three);
        EXPECT_EQ(table.remove(row.selected), row.newSelection) << row.name;
        EXPECT_EQ(table.names(), row.names) << row.name;
    }

    ce::ConfigTable only({rec(1)});
    EXPECT_EQ(only.remove(0), -1);
    EXPECT_EQ(only.count(), 0);
    EXPECT_EQ(only.remove(0), -1);  // an empty list stays empty
    EXPECT_EQ(only.count(), 0);
}

TEST(ConfigTable, EditsGoToTheSelectedRecordOrTheScratchSlot)
{
    ce::ConfigTable table({rec(1), rec(2)});
    table.editField(1, 0, QStringLiteral("Newton 200"));
    table.editField(1, 1, QStringLiteral("1500"));
    table.editField(1, 2, QStringLiteral("1600"));
    EXPECT_EQ(table.slot(2), (ce::OpticalConfiguration{"Newton 200", "1500", "1600"}));
    EXPECT_EQ(table.slot(1), rec(1));

    table.editField(-1, 1, QStringLiteral("999"));
    EXPECT_EQ(table.slot(0).corrAsd, "999");
    EXPECT_EQ(table.slot(1), rec(1));
    EXPECT_EQ(table.slot(2).corrAsd, "1500");
    EXPECT_EQ(ce::configFileLines(table.records()).size(), 1 + 3 * 2);  // slot 0 never saved

    table.editField(0, 3, QStringLiteral("ignored"));
    EXPECT_EQ(table.slot(1), rec(1));
}

}  // namespace
