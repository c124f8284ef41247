// Text files: the encoding chosen on write and guessed on read, the three
// line-end styles, and failures that name the file.
// Expected bytes come from the Windows-1252 and UTF-8 code tables.

#include "core/textfile.h"

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

// Saves onto a disk that cannot take the bytes. Each case writes an old
// file, takes the room away, saves a new content of 0.9, 4.9 or 15 KiB and
// expects: a failure naming the file with a French reason, the old bytes
// untouched, and no temporary file left beside it.
void expectFullDiskSavesFail(const QString& folder, const std::function<void()>& takeRoom,
                             const std::function<void()>& giveRoom, const QString& reason)
{
    for (const int size : {900, 4900, 15000}) {
        const QString path = folder + QStringLiteral("/config.cfg");
        QFile::remove(path);
        ASSERT_TRUE(ce::writeTextLines(path, {QStringLiteral("ancien")}).ok());
        takeRoom();
        const ce::Status saved = ce::writeTextLines(path, {QString(size, u'x')});
        giveRoom();
        ASSERT_FALSE(saved.ok()) << size;
        EXPECT_EQ(saved.error(), QStringLiteral("Impossible d'enregistrer le fichier %1 : %2").arg(path, reason));
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
        QStringLiteral("fichier trop grand pour ce système de fichiers"));
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
        QStringLiteral("plus de place sur le disque"));
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
    ASSERT_TRUE(ce::writeTextLines(path, {QStringLiteral("a")}).ok());
    // The old leftover goes; one that another save may still be writing, and
    // another file's, stay.
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(recent));
    EXPECT_TRUE(QFile::exists(other));
}

}  // namespace
