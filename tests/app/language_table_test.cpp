// The language table: section numbering, capacities and failures.

#include "app/language_table.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A lang.cfg with n texts per section, named after their section and 1-based
// line ("F7" is [FORM] line 7), so each slot's content follows from its number.
QStringList langLines(int config, int config2, int form, int wizard, int suggestions)
{
    QStringList lines{QStringLiteral("Cinq Etoiles - francais")};
    const auto add = [&lines](char prefix, int n, const char* marker) {
        for (int i = 1; i <= n; ++i) lines << QStringLiteral("%1%2").arg(QChar(prefix)).arg(i);
        lines << QString::fromLatin1(marker);
    };
    add('C', config, "[CONFIG2]");
    add('K', config2, "[FORM]");
    add('F', form, "[WIZARD]");
    add('W', wizard, "[SUGESTIONS]");
    add('S', suggestions, "[END]");
    return lines;
}

TEST(LanguageTable, SlotsAndMessagesFollowTheLineNumbering)
{
    auto table = ce::parseLanguageTable(langLines(8, 8, 50, 19, 15));
    ASSERT_TRUE(table.ok()) << table.error().toStdString();
    EXPECT_EQ(table->config[8], "C8");
    EXPECT_EQ(table->config[9], "[CONFIG2]");  // the marker takes the next slot
    EXPECT_EQ(table->form[50], "F50");
    EXPECT_EQ(table->wizard[19], "W19");
    EXPECT_EQ(table->suggestion(0), "S1");  // first line after the marker
    EXPECT_EQ(table->suggestion(15), "[END]");

    // 50 [FORM] texts: messages 0..5 are lines 45..50, 6 the marker, then empty.
    table.value().fillMessages();
    for (int n = 0; n <= 5; ++n) EXPECT_EQ(table->message(n), QStringLiteral("F%1").arg(45 + n));
    EXPECT_EQ(table->message(6), "[WIZARD]");
    for (int n = 7; n <= 31; ++n) EXPECT_EQ(table->message(n), QString()) << n;

    // A heading line that is itself "[CONFIG2]": no configuration texts.
    const auto bare = ce::parseLanguageTable(langLines(0, 3, 1, 1, 1).mid(1));
    ASSERT_TRUE(bare.ok());
    for (const QString& text : bare->config) EXPECT_EQ(text, QString());
    EXPECT_EQ(bare->config2[1], "K1");
}

TEST(LanguageTable, CapacitiesCountTheClosingMarker)
{
    // failingLine: the marker line of the section that overflows, i.e. the
    // line that opens the section + its texts + 1; 0 when accepted.
    const struct { const char* name; int n[5]; int failingLine; } rows[] = {
        {"19 configuration texts", {19, 1, 1, 1, 1}, 0},
        {"20 configuration texts", {20, 1, 1, 1, 1}, 1 + 20 + 1},
        {"20 [CONFIG2] texts", {1, 20, 1, 1, 1}, 3 + 20 + 1},
        {"79 [FORM] texts", {1, 1, 79, 1, 1}, 0},
        {"80 [FORM] texts", {1, 1, 80, 1, 1}, 5 + 80 + 1},
        {"25 [WIZARD] texts", {1, 1, 1, 25, 1}, 7 + 25 + 1},
        {"20 suggestions", {1, 1, 1, 1, 20}, 0},
        {"21 suggestions", {1, 1, 1, 1, 21}, 9 + 21 + 1},
    };
    for (const auto& row : rows) {
        const auto t = ce::parseLanguageTable(langLines(row.n[0], row.n[1], row.n[2], row.n[3], row.n[4]));
        EXPECT_EQ(t.ok(), row.failingLine == 0) << row.name;
        if (row.failingLine) {
            EXPECT_TRUE(t.error().contains(QStringLiteral("(ligne %1)").arg(row.failingLine)))
                << row.name << ": " << t.error().toStdString();
        }
    }
}

TEST(LanguageTable, MarkersAreWholeLinesComparedExactly)
{
    // "[FORM] " is a [CONFIG2] text: the exact marker is then missing and
    // reading runs to the last line.
    QStringList lines = langLines(1, 1, 1, 1, 1);
    lines[lines.indexOf(QStringLiteral("[FORM]"))] = QStringLiteral("[FORM] ");
    const auto table = ce::parseLanguageTable(lines);
    ASSERT_FALSE(table.ok());
    EXPECT_TRUE(table.error().contains(QStringLiteral("[FORM] est introuvable")));
    EXPECT_TRUE(table.error().contains(QStringLiteral("ligne %1").arg(lines.size())));
    EXPECT_FALSE(ce::parseLanguageTable({}).ok());
    // Nothing after "[END]" is read.
    EXPECT_TRUE(ce::parseLanguageTable(langLines(1, 1, 1, 1, 20) << QString(30, u'x')).ok());

    QTemporaryDir dir;
    EXPECT_TRUE(ce::loadLanguageTable(dir.path()).error().contains(dir.path() + QStringLiteral("/lang.cfg")));
}

}  // namespace
