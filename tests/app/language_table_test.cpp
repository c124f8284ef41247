// The language table: section numbering, capacities and failures.

#include "app/language_table.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A lang.cfg with the given number of texts per section. Texts are named
// after their section and 1-based position ("F7" is the seventh [FORM]
// line), so a slot's expected content follows from its number alone.
QStringList langLines(int config, int config2, int form, int wizard, int suggestions)
{
    QStringList lines{QStringLiteral("Cinq Etoiles - francais")};
    const auto add = [&lines](const char* prefix, int n, const char* marker) {
        for (int i = 1; i <= n; ++i) lines << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i);
        lines << QString::fromLatin1(marker);
    };
    add("C", config, "[CONFIG2]");
    add("K", config2, "[FORM]");
    add("F", form, "[WIZARD]");
    add("W", wizard, "[SUGESTIONS]");
    add("S", suggestions, "[END]");
    return lines;
}

TEST(LanguageTable, SlotsFollowTheLineNumberingOfEachSection)
{
    const auto table = ce::parseLanguageTable(langLines(8, 8, 50, 19, 15));
    ASSERT_TRUE(table.ok()) << table.error().toStdString();
    EXPECT_EQ(table->config[0], QString());
    EXPECT_EQ(table->config[1], "C1");
    EXPECT_EQ(table->config[8], "C8");
    EXPECT_EQ(table->config[9], "[CONFIG2]");  // the marker takes the next slot
    EXPECT_EQ(table->config2[8], "K8");
    EXPECT_EQ(table->form[1], "F1");
    EXPECT_EQ(table->form[50], "F50");
    EXPECT_EQ(table->wizard[19], "W19");
    // Suggestion 0 is the first line after the marker.
    EXPECT_EQ(table->suggestion(0), "S1");
    EXPECT_EQ(table->suggestion(14), "S15");
    EXPECT_EQ(table->suggestion(15), "[END]");
    EXPECT_EQ(table->suggestion(21), QString());
    EXPECT_EQ(table->suggestion(-1), QString());
}

TEST(LanguageTable, MessagesComeFromFormLine45Onwards)
{
    auto table = ce::parseLanguageTable(langLines(8, 8, 50, 19, 15));
    ASSERT_TRUE(table.ok());
    table.value().fillMessages();
    for (int n = 0; n <= 5; ++n)
        EXPECT_EQ(table->message(n), QStringLiteral("F%1").arg(45 + n)) << n;
    EXPECT_EQ(table->message(6), "[WIZARD]");  // slot 51 holds the marker
    for (int n = 7; n <= 31; ++n) EXPECT_EQ(table->message(n), QString()) << n;
}

TEST(LanguageTable, HeadingThatIsTheMarkerLeavesConfigurationTextsEmpty)
{
    QStringList lines = langLines(0, 3, 1, 1, 1);
    lines.removeFirst();  // line 1 is now "[CONFIG2]" itself
    const auto table = ce::parseLanguageTable(lines);
    ASSERT_TRUE(table.ok()) << table.error().toStdString();
    for (const QString& text : table->config) EXPECT_EQ(text, QString());
    EXPECT_EQ(table->config2[1], "K1");
}

TEST(LanguageTable, CapacitiesCountTheClosingMarker)
{
    struct Row {
        const char* name;
        int config, config2, form, wizard, suggestions;
        int failingLine;  // 0: accepted
    };
    // Failing line: heading + texts before the section + the first text
    // that no longer fits is the marker line (text count + 1 past the
    // section's own start line).
    const Row rows[] = {
        {"19 configuration texts", 19, 1, 1, 1, 1, 0},
        {"20 configuration texts", 20, 1, 1, 1, 1, 1 + 20 + 1},
        {"19 [CONFIG2] texts", 1, 19, 1, 1, 1, 0},
        {"20 [CONFIG2] texts", 1, 20, 1, 1, 1, 3 + 20 + 1},
        {"79 [FORM] texts", 1, 1, 79, 1, 1, 0},
        {"80 [FORM] texts", 1, 1, 80, 1, 1, 5 + 80 + 1},
        {"24 [WIZARD] texts", 1, 1, 1, 24, 1, 0},
        {"25 [WIZARD] texts", 1, 1, 1, 25, 1, 7 + 25 + 1},
        {"20 suggestions", 1, 1, 1, 1, 20, 0},
        {"21 suggestions", 1, 1, 1, 1, 21, 9 + 21 + 1},
    };
    for (const Row& row : rows) {
        const auto table = ce::parseLanguageTable(
            langLines(row.config, row.config2, row.form, row.wizard, row.suggestions));
        if (row.failingLine == 0) {
            EXPECT_TRUE(table.ok()) << row.name << ": " << table.error().toStdString();
        } else {
            ASSERT_FALSE(table.ok()) << row.name;
            EXPECT_TRUE(table.error().contains(QStringLiteral("(ligne %1)").arg(row.failingLine)))
                << row.name << ": " << table.error().toStdString();
        }
    }
    // The last suggestion slot is reachable at full capacity.
    const auto full = ce::parseLanguageTable(langLines(1, 1, 1, 1, 20));
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full->suggestion(19), "S20");
    EXPECT_EQ(full->suggestion(20), "[END]");
}

TEST(LanguageTable, MarkersAreWholeLinesComparedExactly)
{
    // "[FORM] " is a [CONFIG2] text, not the marker: the exact marker is
    // then missing and reading runs to the end of the file.
    QStringList lines = langLines(1, 1, 1, 1, 1);
    const qsizetype form = lines.indexOf(QStringLiteral("[FORM]"));
    lines[form] = QStringLiteral("[FORM] ");
    const auto table = ce::parseLanguageTable(lines);
    ASSERT_FALSE(table.ok());
    EXPECT_TRUE(table.error().contains(QStringLiteral("[FORM]")));
    EXPECT_TRUE(table.error().contains(QStringLiteral("ligne %1").arg(lines.size())))
        << table.error().toStdString();

    lines[form] = QStringLiteral("[form]");
    EXPECT_FALSE(ce::parseLanguageTable(lines).ok());

    EXPECT_FALSE(ce::parseLanguageTable({}).ok());
}

TEST(LanguageTable, LinesAfterEndAreNeverRead)
{
    QStringList lines = langLines(1, 1, 1, 1, 20);
    lines << QStringLiteral("[CONFIG2]") << QString(2000, u'x') << QStringLiteral("[END]");
    EXPECT_TRUE(ce::parseLanguageTable(lines).ok());

    QStringList noEnd = langLines(1, 1, 1, 1, 2);
    noEnd.removeLast();
    const auto missing = ce::parseLanguageTable(noEnd);
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains(QStringLiteral("[END]")));
}

TEST(LanguageTable, LoadsFromTheProgramFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto missing = ce::loadLanguageTable(dir.path());
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains(dir.path() + QStringLiteral("/lang.cfg")));

    // Windows-1252 bytes with CR LF ends, as a translator's editor saves them.
    QFile file(dir.path() + QStringLiteral("/lang.cfg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringList(langLines(1, 1, 1, 1, 1)).join(QStringLiteral("\r\n")).toLatin1()
                   .replace("C1", "Op\xe9ration") + "\r\n");
    file.close();
    const auto table = ce::loadLanguageTable(dir.path());
    ASSERT_TRUE(table.ok()) << table.error().toStdString();
    EXPECT_EQ(table->config[1], QStringLiteral("Opération"));
    EXPECT_EQ(table->suggestion(0), "S1");
}

}  // namespace
