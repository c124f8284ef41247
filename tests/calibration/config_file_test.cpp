// config.cfg reading and writing, and the Config window's table operations.

#include "calibration/config_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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
    const struct { const char* name; QStringList lines; int records; const char* inError; } rows[] = {
        {"15 records", fileWith(" 15 ", 15), 15, ""},
        {"16 records", fileWith(" 16 ", 16), 15, "(ligne 47)"},  // record 16 starts at 2 + 3 * 15
        {"empty file", {}, 0, "ligne 1"},
        {"count not a number", fileWith("trois", 3), 0, "Incompatibilité de type : la ligne 1"},
        {"negative count", fileWith("-1 ", 1), 0, "négatif"},
        {"third record short", fileWith(" 3 ", 3).mid(0, 9), 2, "ligne 9"},
    };
    for (const auto& row : rows) {
        // A folder name with "%1" in it is shown as it is.
        const QString file = QStringLiteral("/nuit%1%3A/config.cfg");
        const ce::ConfigReading r = ce::parseConfigFile(row.lines, u'.', file);
        ASSERT_EQ(int(r.records.size()), row.records) << row.name;
        for (int i = 1; i <= row.records; ++i) EXPECT_EQ(r.records[std::size_t(i - 1)], rec(i)) << row.name;
        EXPECT_TRUE(r.ok() == !*row.inError && r.error.contains(QString::fromUtf8(row.inError)))
            << row.name << ": " << r.error.toStdString();
        EXPECT_TRUE(r.ok() || r.error.contains(file)) << r.error.toStdString();
    }
}

TEST(ConfigFile, SavedByteForByteAndReadBack)
{
    QTemporaryDir dir;
    EXPECT_TRUE(ce::loadConfigFile(dir.path()).error.contains(QStringLiteral("Fichier introuvable")));

    // "Nouveau" on an empty list, then "Enregistrer": exactly four lines.
    ce::ConfigTable table;
    ASSERT_TRUE(table.addNew().ok() && ce::saveConfigFile(dir.path(), table.records()).ok());
    QFile file(dir.path() + QStringLiteral("/config.cfg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == QByteArray(" 1 \r\nConfig#\r\n0\r\n0\r\n"));

    // Texts travel as typed: blanks, a decimal comma, an empty factor.
    table.editField(0, 0, QStringLiteral(" C8 f/6,3 "));
    table.editField(0, 1, QStringLiteral("2599,43"));
    table.editField(0, 2, QString());
    ASSERT_TRUE(table.addNew().ok() && ce::saveConfigFile(dir.path(), table.records()).ok());
    const ce::ConfigReading back = ce::loadConfigFile(dir.path());
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
