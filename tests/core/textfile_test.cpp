// Text files: the encoding chosen on write and guessed on read, the three
// line-end styles, and failures that name the file and the system's reason
// in the language's words (read back through the key-echo language).
// Expected bytes come from the Windows-1252 and UTF-8 code tables.

#include "core/textfile.h"
#include "tests/core/key_echo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

using ce::test::spoken;

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
        // A text that begins with U+FEFF keeps it behind a byte order mark.
        {{QString(QChar(0xFEFF)) + QStringLiteral("é")}, "\xEF\xBB\xBF\xEF\xBB\xBF\xC3\xA9\r\n"},
    };
    const ce::test::KeyEcho lang;
    for (const Row& row : rows) {
        ASSERT_TRUE(ce::writeTextLines(path, row.lines, lang).ok());
        EXPECT_EQ(fileBytes(path), row.bytes) << row.bytes.toHex().toStdString();
        EXPECT_EQ(ce::readTextLines(path, lang).value(), row.lines) << row.bytes.toHex().toStdString();
    }
    // A character without a Windows-1252 byte is named by its code point.
    EXPECT_EQ(spoken(ce::encodeWindows1252(QStringLiteral("a\u03A9"), lang).error()),
              QStringLiteral("file.not_cp1252|03A9"));
    EXPECT_EQ(ce::encodeWindows1252(QStringLiteral("\u20AC\u0178\u00FF"), lang).value(), QByteArray("\x80\x9F\xFF"));
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
    const ce::test::KeyEcho lang;
    for (const Row& row : rows) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(row.bytes) == row.bytes.size());
        f.close();
        EXPECT_EQ(ce::readTextLines(path, lang).value(), row.lines) << row.bytes.toHex().toStdString();
    }
}

TEST(TextFile, FailuresNameTheFileAndLeaveThePreviousOne)
{
    QTemporaryDir dir;
    const ce::test::KeyEcho lang;
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    EXPECT_EQ(spoken(ce::readTextLines(path, lang).error()), QStringLiteral("file.not_found|") + path);
    // A folder exists but cannot be read as a file: the system's reason.
    const QString folder = spoken(ce::readTextLines(dir.path(), lang).error());
    EXPECT_TRUE(folder.startsWith(QStringLiteral("file.read_failed|") + dir.path() + QStringLiteral("|reason.")))
        << folder.toStdString();

    ASSERT_TRUE(ce::writeTextLines(path, {QStringLiteral("ancien")}, lang).ok());
    const QString nowhere = dir.filePath(QStringLiteral("absent/config.cfg"));
    EXPECT_TRUE(spoken(ce::writeTextLines(nowhere, {QStringLiteral("x")}, lang).error())
                    .startsWith(QStringLiteral("file.save_failed|") + nowhere + QStringLiteral("|reason.")));
    EXPECT_EQ(fileBytes(path), QByteArray("ancien\r\n"));
}

// Saves onto a disk that cannot take the bytes. Each case writes an old
// file, takes the room away, saves a new content of 0.9, 4.9 or 15 KiB and
// expects: a failure naming the file with the reason's key, the old bytes
// untouched, and no temporary file left beside it.
void expectFullDiskSavesFail(const QString& folder, const std::function<void()>& takeRoom,
                             const std::function<void()>& giveRoom, const QString& reasonKey)
{
    const ce::test::KeyEcho lang;
    for (const int size : {900, 4900, 15000}) {
        const QString path = folder + QStringLiteral("/config.cfg");
        QFile::remove(path);
        ASSERT_TRUE(ce::writeTextLines(path, {QStringLiteral("ancien")}, lang).ok());
        takeRoom();
        const ce::Status saved = ce::writeTextLines(path, {QString(size, u'x')}, lang);
        giveRoom();
        ASSERT_FALSE(saved.ok()) << size;
        EXPECT_EQ(spoken(saved.error()), QStringLiteral("file.save_failed|%1|%2").arg(path, reasonKey));
        EXPECT_EQ(fileBytes(path), QByteArray("ancien\r\n")) << size;
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("config.cfg")}) << size;
    }
}

TEST(TextFile, SaveOntoAFullDiskFailsAndKeepsTheOldFile)
{
    // Files may not grow past a limit: the same failing write as a full disk,
    // on any machine.
    QTemporaryDir dir;
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    expectFullDiskSavesFail(dir.path(),
        [&] { rlimit small = old; small.rlim_cur = 16; setrlimit(RLIMIT_FSIZE, &small); },
        [&] { setrlimit(RLIMIT_FSIZE, &old); },
        QStringLiteral("reason.efbig"));
    std::signal(SIGXFSZ, previousHandler);

    // A really full file system where this machine lets the test make one.
    QTemporaryDir mountPoint;
    const QByteArray where = QFile::encodeName(mountPoint.path());
    if (mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0) {
        std::printf("tmpfs not permitted here; the file size limit stood for a full disk\n");
        return;
    }
    const QString filler = mountPoint.filePath(QStringLiteral("remplissage"));
    QDir(mountPoint.path()).mkpath(QStringLiteral("d"));
    expectFullDiskSavesFail(mountPoint.path() + QStringLiteral("/d"),
        [&] {
            QFile fill(filler);
            if (fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                while (fill.write(QByteArray(512, 'f')) > 0) {}
        },
        [&] { QFile::remove(filler); },
        QStringLiteral("reason.enospc"));
    umount2(where.constData(), MNT_DETACH);
}

TEST(TextFile, SaveRemovesTemporaryFilesLeftByAnInterruptedSave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    const QString old = path + QStringLiteral(".Ab12Cd");
    const QString recent = path + QStringLiteral(".Zz98Yy");
    const QString other = dir.filePath(QStringLiteral("autre.cfg.Ab12Cd"));
    for (const QString& p : {old, recent, other}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (p != recent)
            f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    }
    ASSERT_TRUE(ce::writeTextLines(path, {QStringLiteral("a")}, ce::test::KeyEcho()).ok());
    // The old leftover goes; one that another save may still be writing, and
    // another file's, stay.
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(recent));
    EXPECT_TRUE(QFile::exists(other));
}

}  // namespace
