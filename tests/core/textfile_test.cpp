// Text files: the encoding chosen on write and guessed on read, the three
// line-end styles, and failures that name the file.
// Expected bytes come from the Windows-1252 and UTF-8 code tables.

#include "core/textfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(TextFile, WritesWindows1252WhenEveryCharacterFitsElseUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.cfg"));
    struct Row { QStringList lines; QByteArray bytes; };
    const Row rows[] = {
        // é E9, à E0, ô F4, « AB, » BB, € 80, — 97, œ 9C.
        {{"Étoile à côté", "«€ — œ»"}, "\xC9toile \xE0 c\xF4t\xE9\r\n\xAB\x80 \x97 \x9C\xBB\r\n"},
        {{"é Ω"}, "\xC3\xA9 \xCE\xA9\r\n"},  // omega has no Windows-1252 byte
        // "Ã©" in Windows-1252 is C3 A9, which a reader would take as UTF-8 "é".
        {{"Ã©", "", "b"}, "\xC3\x83\xC2\xA9\r\n\r\nb\r\n"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(ce::writeTextLines(path, row.lines).ok());
        EXPECT_EQ(fileBytes(path), row.bytes) << row.bytes.toHex().toStdString();
        EXPECT_EQ(ce::readTextLines(path).value(), row.lines) << row.bytes.toHex().toStdString();
    }
}

TEST(TextFile, ReadsUtf8OrWindows1252AndEveryLineEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    struct Row { QByteArray bytes; QStringList lines; };
    const Row rows[] = {
        {"caf\xE9 \x80\r\n\x93ok\x94\x9F", {"café €", "“ok”Ÿ"}},  // 80 and 9F: both ends of the table
        {"\xEF\xBB\xBF" "caf\xC3\xA9\n", {"café"}},  // byte order mark dropped
        {"\xC3\xA9\xE9", {"Ã©é"}},        // invalid UTF-8 tail falls back
        {"a\r\n\rb\nc", {"a", "", "b", "c"}},  // mixed, last line unended
        {"a\n\n", {"a", ""}},
        {"", {}},
    };
    for (const Row& row : rows) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(row.bytes) == row.bytes.size());
        f.close();
        EXPECT_EQ(ce::readTextLines(path).value(), row.lines) << row.bytes.toHex().toStdString();
    }
}

TEST(TextFile, FailuresNameTheFileAndLeaveThePreviousOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    EXPECT_EQ(ce::readTextLines(path).error(), QStringLiteral("Fichier introuvable : ") + path);
    // A folder exists but cannot be read as a file: the system's reason.
    const QString folder = ce::readTextLines(dir.path()).error();
    EXPECT_TRUE(folder.contains(dir.path()) && !folder.startsWith(QStringLiteral("Fichier introuvable")))
        << folder.toStdString();

    ASSERT_TRUE(ce::writeTextLines(path, {QStringLiteral("ancien")}).ok());
    const QString nowhere = dir.filePath(QStringLiteral("absent/config.cfg"));
    EXPECT_TRUE(ce::writeTextLines(nowhere, {QStringLiteral("x")}).error().startsWith(
        QStringLiteral("Impossible d'enregistrer le fichier ") + nowhere + " : "));
    EXPECT_EQ(fileBytes(path), QByteArray("ancien\r\n"));
}

}  // namespace
