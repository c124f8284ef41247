// Text files: the encoding chosen on write, the encoding guessed on read, the
// three line-end styles, and saves that fail without harming the old file.
// Expected bytes come from the Windows-1252 and UTF-8 code tables.

#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(TextFile, WritesWindows1252WhenEveryCharacterFitsElseUtf8)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Row { const char* name; QStringList lines; QByteArray bytes; };
    const Row rows[] = {
        // é E9, à E0, ô F4, « AB, » BB, € 80, — 97, œ 9C (Windows-1252 table).
        {"accented French", {QStringLiteral("Étoile à côté"), QStringLiteral("«€ — œ»")},
         QByteArray("\xC9toile \xE0 c\xF4t\xE9\r\n\xAB\x80 \x97 \x9C\xBB\r\n")},
        // Omega has no Windows-1252 byte: the whole file goes out as UTF-8.
        {"omega forces UTF-8", {QStringLiteral("é Ω")}, QByteArray("\xC3\xA9 \xCE\xA9\r\n")},
        {"Polish l forces UTF-8", {QStringLiteral("ł")}, QByteArray("\xC5\x82\r\n")},
        // "Ã©" in Windows-1252 is C3 A9, which a reader would take as UTF-8 "é".
        {"Windows-1252 bytes that look like UTF-8", {QStringLiteral("Ã©")}, QByteArray("\xC3\x83\xC2\xA9\r\n")},
        {"empty line kept", {QStringLiteral("a"), QString(), QStringLiteral("b")}, QByteArray("a\r\n\r\nb\r\n")},
        {"no line", {}, QByteArray()},
    };
    for (const Row& row : rows) {
        const QString path = dir.filePath(QStringLiteral("out.cfg"));
        const ce::Status saved = ce::writeTextLines(path, row.lines);
        ASSERT_TRUE(saved.ok()) << row.name << saved.error().toStdString();
        EXPECT_EQ(fileBytes(path), row.bytes) << row.name;
        const ce::Result<QStringList> back = ce::readTextLines(path);
        ASSERT_TRUE(back.ok()) << row.name;
        EXPECT_EQ(*back, row.lines) << row.name;
    }
}

TEST(TextFile, ReadsUtf8OrWindows1252AndEveryLineEnd)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Row { const char* name; QByteArray bytes; QStringList lines; };
    const Row rows[] = {
        {"Windows-1252 bytes", QByteArray("caf\xE9 \x80\r\n\x93ok\x94"), {QStringLiteral("café €"), QStringLiteral("“ok”")}},
        {"UTF-8 bytes", QByteArray("caf\xC3\xA9\n"), {QStringLiteral("café")}},
        {"byte order mark dropped", QByteArray("\xEF\xBB\xBFx\n"), {QStringLiteral("x")}},
        {"invalid UTF-8 tail falls back", QByteArray("\xC3\xA9\xE9"), {QStringLiteral("Ã©é")}},
        {"CR LF", QByteArray("a\r\nb\r\n"), {"a", "b"}},
        {"CR", QByteArray("a\rb\r"), {"a", "b"}},
        {"LF", QByteArray("a\nb\n"), {"a", "b"}},
        {"mixed, last line unended", QByteArray("a\r\n\rb\nc"), {"a", "", "b", "c"}},
        {"blank last line kept", QByteArray("a\n\n"), {"a", ""}},
        {"lone line end", QByteArray("\r\n"), {""}},
        {"empty file", QByteArray(), {}},
    };
    for (const Row& row : rows) {
        const QString path = dir.filePath(QStringLiteral("in.txt"));
        putBytes(path, row.bytes);
        const ce::Result<QStringList> lines = ce::readTextLines(path);
        ASSERT_TRUE(lines.ok()) << row.name;
        EXPECT_EQ(*lines, row.lines) << row.name;
    }
}

TEST(TextFile, ReadFailuresNameTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("config.cfg"));
    const ce::Result<QStringList> none = ce::readTextLines(missing);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error(), QStringLiteral("Fichier introuvable : ") + missing);

    // A folder exists but cannot be read as a file: the system's reason.
    const ce::Result<QStringList> folder = ce::readTextLines(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_TRUE(folder.error().contains(dir.path()));
    EXPECT_FALSE(folder.error().startsWith(QStringLiteral("Fichier introuvable")));
}

TEST(TextFile, FailedSaveLeavesThePreviousFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    ASSERT_TRUE(ce::writeTextLines(path, {QStringLiteral("ancien")}).ok());

    // A folder that does not exist.
    const QString nowhere = dir.filePath(QStringLiteral("absent/config.cfg"));
    const ce::Status noFolder = ce::writeTextLines(nowhere, {QStringLiteral("x")});
    ASSERT_FALSE(noFolder.ok());
    EXPECT_TRUE(noFolder.error().startsWith(QStringLiteral("Impossible d'enregistrer le fichier ") + nowhere + " : "));

#ifdef Q_OS_UNIX
    // The disk refuses the bytes half way (file size limit, which binds root
    // too): the old content must survive and no temporary file may remain.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ce::Status big = ce::writeTextLines(path, {QString(100000, u'x')});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_FALSE(big.ok());
    EXPECT_TRUE(big.error().contains(path));
    EXPECT_EQ(fileBytes(path), QByteArray("ancien\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("config.cfg")});
#endif
}

}  // namespace
