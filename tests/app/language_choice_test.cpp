// The language files beside the program: found by their heading line, the
// French default first, and a saved choice that can only name such a file.

#include "app/language_choice.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(LanguageChoice, FilesBesideTheProgramByTheirHeading)
{
    QTemporaryDir dir;
    // Windows-1252 headings with CR LF, as the shipped files are written.
    writeFile(dir.filePath(QStringLiteral("lang-en.cfg")), "Cinq Etoiles - English\r\n[CONFIG2]\r\n");
    writeFile(dir.filePath(QStringLiteral("lang.cfg")), "Cinq \xC9toiles - fran\xE7" "ais\r\n[CONFIG2]\r\n");
    writeFile(dir.filePath(QStringLiteral("lang-de.cfg")), "\r\n");  // no heading: its file name
    writeFile(dir.filePath(QStringLiteral("config.cfg")), "not a language\r\n");
    writeFile(dir.filePath(QStringLiteral("lang-old.txt")), "not a language either\r\n");

    const QList<ce::LanguageFile> files = ce::findLanguageFiles(dir.path(), ce::test::KeyEcho());
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files[0].fileName, "lang.cfg");
    EXPECT_EQ(files[0].name, QStringLiteral("Cinq Étoiles - français"));
    EXPECT_EQ(files[1].fileName, "lang-de.cfg");
    EXPECT_EQ(files[1].name, "lang-de.cfg");
    EXPECT_EQ(files[2].fileName, "lang-en.cfg");
    EXPECT_EQ(files[2].name, "Cinq Etoiles - English");

    QTemporaryDir empty;
    EXPECT_TRUE(ce::findLanguageFiles(empty.path(), ce::test::KeyEcho()).isEmpty());
}

TEST(LanguageChoice, TheSavedChoiceNamesOnlyALanguageFileBesideTheProgram)
{
    EXPECT_EQ(ce::languageFileToRead(QString()), "lang.cfg");
    EXPECT_EQ(ce::languageFileToRead(QStringLiteral("lang-en.cfg")), "lang-en.cfg");
    EXPECT_EQ(ce::languageFileToRead(QStringLiteral(" lang-en.cfg ")), "lang-en.cfg");
    // A folder in the saved value is dropped: the file is looked for beside
    // the program only.
    EXPECT_EQ(ce::languageFileToRead(QStringLiteral("../../etc/lang-xx.cfg")), "lang-xx.cfg");
    EXPECT_EQ(ce::languageFileToRead(QStringLiteral("options.ini")), "lang.cfg");
    EXPECT_EQ(ce::languageFileToRead(QStringLiteral("lang-en.txt")), "lang.cfg");
}

}  // namespace
