// config.cfg reading and writing, and the Config window's table operations.

#include "calibration/config_file.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const ce::test::KeyEcho kKeys;

ce::OpticalConfiguration rec(int i)
{
    return {QStringLiteral("N%1").arg(i), QStringLiteral("A%1").arg(i), QStringLiteral("D%1").arg(i)};
}

// A count line followed by `present` records rec(1)..rec(present).
QStringList fileWith(const char* countLine, int present)
{
    QStringList lines{QString::fromLatin1(countLine)};
    for (int i = 1; i <= present; ++i) lines << rec(i).name << rec(i).corrAsd << rec(i).corrDec;
    return lines;
}

TEST(ConfigFile, ReadingStopsAtTheFailingLineKeepingEarlierRecords)
{
    // A folder name with "%1" in it is shown as it is.
    const QString file = QStringLiteral("/nuit%1%3A/config.cfg");
    using ce::test::keyed;
    const struct { const char* name; QStringList lines; int records; QString error; } rows[] = {
        {"15 records", fileWith(" 15 ", 15), 15, QString()},
        // record 16 starts at line 2 + 3 * 15
        {"16 records", fileWith(" 16 ", 16), 15, keyed("config.read.too_many", {file, "16", "15", "47"})},
        {"empty file", {}, 0, keyed("config.read.no_count", {file})},
        {"count not a number", fileWith("trois", 3), 0, keyed("config.read.not_number", {file})},
        {"count beyond 16 bits", fileWith(" 40000 ", 1), 0, keyed("config.read.overflow", {file})},
        {"negative count", fileWith("-1 ", 1), 0, keyed("config.read.negative", {"-1", file})},
        {"third record short", fileWith(" 3 ", 3).mid(0, 9), 2, keyed("config.read.short", {file, "9", "3"})},
    };
    for (const auto& row : rows) {
        const ce::ConfigReading r = ce::parseConfigFile(row.lines, u'.', file, kKeys);
        ASSERT_EQ(int(r.records.size()), row.records) << row.name;
        for (int i = 1; i <= row.records; ++i) EXPECT_EQ(r.records[std::size_t(i - 1)], rec(i)) << row.name;
        EXPECT_EQ(r.error, row.error) << row.name;
    }
}

TEST(ConfigFile, SavedByteForByteAndReadBack)
{
    QTemporaryDir dir;
    EXPECT_TRUE(ce::loadConfigFile(dir.path(), kKeys).error.startsWith(QStringLiteral("file.not_found|") + dir.path()));

    // "Nouveau" on an empty list, then "Enregistrer": exactly four lines.
    ce::ConfigTable table;
    ASSERT_TRUE(table.addNew(kKeys).ok() && ce::saveConfigFile(dir.path(), table.records(), kKeys).ok());
    QFile file(dir.path() + QStringLiteral("/config.cfg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == QByteArray(" 1 \r\nConfig#\r\n0\r\n0\r\n"));

    // Texts travel as typed: blanks, a decimal comma, an empty factor.
    table.editField(0, 0, QStringLiteral(" C8 f/6,3 "));
    table.editField(0, 1, QStringLiteral("2599,43"));
    table.editField(0, 2, QString());
    ASSERT_TRUE(table.addNew(kKeys).ok() && ce::saveConfigFile(dir.path(), table.records(), kKeys).ok());
    const ce::ConfigReading back = ce::loadConfigFile(dir.path(), kKeys);
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_EQ(back.records, table.records());
}

TEST(ConfigTable, SupprimerAndEdits)
{
    // (Fifteen at most and the selection after Supprimer are the window's own cases.)
    ce::ConfigTable only({rec(1)});
    EXPECT_EQ(only.remove(0), -1);
    EXPECT_EQ(only.remove(0), -1);  // the count never falls below 0
    EXPECT_EQ(only.count(), 0);

    // Edits go to the selected record, or to the scratch slot 0 that is never saved.
    ce::ConfigTable table({rec(1), rec(2)});
    table.editField(1, 2, QStringLiteral("1600"));
    table.editField(2, 2, QStringLiteral("past the list"));
    EXPECT_EQ(table.slot(2), (ce::OpticalConfiguration{"N2", "A2", "1600"}));
    EXPECT_EQ(table.slot(0), (ce::OpticalConfiguration{QString(), QString(), "past the list"}));
    EXPECT_EQ(ce::configFileLines(table.records()).size(), 1 + 3 * 2);
}

}  // namespace

TEST(ConfigTable, AFullListRefusesANewRecord)
{
    std::vector<ce::OpticalConfiguration> records;
    for (int i = 1; i <= ce::kConfigCapacity; ++i) records.push_back(rec(i));
    ce::ConfigTable table(records);
    const ce::Status added = table.addNew(kKeys);
    EXPECT_EQ(added.error(), ce::test::keyed("calib.full", {"15"}));
    EXPECT_EQ(table.records(), records);
}
