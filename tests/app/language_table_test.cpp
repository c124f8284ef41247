// The language table: section numbering, capacities and failures.

#include "app/builtin_texts.h"
#include "app/language_table.h"

#include <QFile>
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
    EXPECT_EQ(table->suggestions[15], "[END]");
    EXPECT_EQ(table->suggestion(14), "S15");
    // 50 [FORM] texts: messages 0..5 are lines 45..50, 6 the marker, then empty.
    table.value().fillMessages();
    EXPECT_EQ(table->message(0), "F45");
    EXPECT_EQ(table->message(5), "F50");
    EXPECT_EQ(table->message(6), "[WIZARD]");
    EXPECT_EQ(table->message(7), QString());    // older messages have no fallback
    EXPECT_EQ(table->message(200), QString());

}

TEST(LanguageTable, CapacitiesAndMarkers)
{
    // failingLine: the marker line of the overflowing section (its opening
    // line + its texts + 1); 0 when accepted.
    const struct { int n[5]; int failingLine; } rows[] = {
        {{19, 1, 1, 1, 1}, 0},          {{20, 1, 1, 1, 1}, 1 + 20 + 1}, {{1, 20, 1, 1, 1}, 3 + 20 + 1},
        {{1, 1, 199, 1, 1}, 0},         {{1, 1, 200, 1, 1}, 5 + 200 + 1}, {{1, 1, 1, 25, 1}, 7 + 25 + 1},
        {{1, 1, 1, 1, 40}, 0},          {{1, 1, 1, 1, 41}, 9 + 41 + 1},
    };
    for (const auto& row : rows) {
        const auto t = ce::parseLanguageTable(langLines(row.n[0], row.n[1], row.n[2], row.n[3], row.n[4]));
        EXPECT_EQ(t.ok(), row.failingLine == 0) << row.failingLine;
        EXPECT_EQ(t.error().contains(QStringLiteral("(ligne %1)").arg(row.failingLine)), row.failingLine != 0)
            << t.error().toStdString();
    }

    // "[FORM] " is a [CONFIG2] text: the exact marker is missing, reading runs to the last line.
    QStringList lines = langLines(1, 1, 1, 1, 1);
    lines[lines.indexOf(QStringLiteral("[FORM]"))] = QStringLiteral("[FORM] ");
    const QString error = ce::parseLanguageTable(lines).error();
    EXPECT_TRUE(error.contains(QStringLiteral("[FORM] est introuvable"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("ligne %1").arg(lines.size()))) << error.toStdString();
    EXPECT_FALSE(ce::parseLanguageTable({}).ok());
    EXPECT_TRUE(ce::parseLanguageTable(langLines(1, 1, 1, 1, 40) << QString(30, u'x')).ok());  // nothing after [END]
    QTemporaryDir dir;
    EXPECT_TRUE(ce::loadLanguageTable(dir.path()).error().contains(dir.path() + QStringLiteral("/lang.cfg")));
}

TEST(LanguageTable, LaterTextsComeFromTheFileOrFallBackToFrench)
{
    // The program carries the shipped French file as it is in data/.
    auto shipped = ce::loadLanguageTable(QStringLiteral(CE_DATA_DIR));
    ASSERT_TRUE(shipped.ok()) << shipped.error().toStdString();
    shipped.value().fillMessages();
    const ce::LanguageTable& builtin = ce::builtinLanguage();
    EXPECT_EQ(builtin.messages, shipped->messages);
    EXPECT_EQ(builtin.suggestions, shipped->suggestions);
    EXPECT_EQ(builtin.keyed, shipped->keyed);
    int later = 0;
    for (int n = ce::kFirstLaterMessage; !ce::builtinMessage(n).isEmpty(); ++n) ++later;
    EXPECT_GE(later, 23);
    EXPECT_GE(builtin.keyed.size(), 40u);

    // A user's own file from before them (20 messages, 15 suggestions, no
    // keyed texts) still starts, keeps its own texts and shows the French
    // ones for what it lacks.
    auto older = ce::parseLanguageTable(langLines(8, 8, 65, 19, 15));
    ASSERT_TRUE(older.ok());
    older.value().fillMessages();
    EXPECT_EQ(older->message(20), "F65");
    EXPECT_EQ(older->suggestion(14), "S15");
    EXPECT_EQ(older->message(ce::msg::kMarkCount), shipped->messages[ce::msg::kMarkCount]);
    EXPECT_TRUE(older->message(ce::msg::kMarkCount).contains(QStringLiteral("%1/5")));
    EXPECT_EQ(older->suggestion(ce::sug::kNothingProposed), shipped->suggestions[ce::sug::kNothingProposed]);
    for (const auto& [key, french] : shipped->keyed)
        EXPECT_EQ(older->text(key), french) << key.toStdString();

    // A file that has a later text keeps its own; an empty line is not a text.
    auto partial = ce::parseLanguageTable(langLines(8, 8, 45 + ce::msg::kMarkCount + 1, 19, 15)
                                          << QStringLiteral("help.file=help-xx.rtf"));
    ASSERT_TRUE(partial.ok());
    partial.value().fillMessages();
    EXPECT_EQ(partial->message(ce::msg::kMarkCount), QStringLiteral("F%1").arg(45 + ce::msg::kMarkCount));
    EXPECT_EQ(partial->message(ce::msg::kMarkRemoved), shipped->messages[ce::msg::kMarkRemoved]);
    EXPECT_EQ(partial->text(QStringLiteral("help.file")), "help-xx.rtf");
    EXPECT_TRUE(partial->message(-1).isEmpty());
    EXPECT_TRUE(partial->message(int(partial->messages.size())).isEmpty());
}

TEST(LanguageTable, LoadsAChosenFileAndNamesItWhenItFails)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lang-xx.cfg"));
    EXPECT_TRUE(ce::loadLanguageFile(path).error().contains(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(langLines(2, 2, 2, 2, 2).join(QStringLiteral("\r\n")).toLatin1());
    file.close();
    const auto loaded = ce::loadLanguageFile(path);
    ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    EXPECT_EQ(loaded->form[2], "F2");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(langLines(2, 2, 2, 2, 2).mid(0, 8).join(QStringLiteral("\r\n")).toLatin1());
    file.close();
    const QString error = ce::loadLanguageFile(path).error();
    EXPECT_TRUE(error.contains(path) && error.contains(QStringLiteral("[WIZARD]"))) << error.toStdString();
}

TEST(LanguageTable, KeyedTextsAfterTheEndMarker)
{
    // A heading, keyed texts (a value may hold "=" and %1), and lines that are
    // not keyed texts; a key written twice keeps its last text.
    const QStringList lines = langLines(1, 1, 1, 1, 1)
                              << QStringLiteral("Textes ajoutés : clé=texte") << QStringLiteral("catalogue.menu=&Catalogue...")
                              << QStringLiteral("a_1.b=x = y %1") << QStringLiteral("Upper.case=no")
                              << QStringLiteral(" lead=no") << QStringLiteral("a_1.b=last %1");
    const auto table = ce::parseLanguageTable(lines);
    ASSERT_TRUE(table.ok()) << table.error().toStdString();
    EXPECT_EQ(table->keyed.size(), 2u);
    EXPECT_EQ(table->text(QStringLiteral("catalogue.menu")), "&Catalogue...");
    EXPECT_EQ(table->text(QStringLiteral("a_1.b")).arg(3), "last 3");
    // A text the file lacks takes the program's French; one that even the
    // program lacks shows its key rather than nothing.
    EXPECT_EQ(table->text(QStringLiteral("catalogue.title")), ce::builtinText(QStringLiteral("catalogue.title")));
    EXPECT_FALSE(table->text(QStringLiteral("catalogue.title")).isEmpty());
    EXPECT_EQ(table->text(QStringLiteral("no.such.text")), "no.such.text");
    // The numbered sections read as before.
    EXPECT_EQ(table->suggestion(0), "S1");
}

}  // namespace
