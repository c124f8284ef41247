// A file that cannot be saved or read is told in the language in use: the
// message and the system's reason both come from the language file.

#include "app/language_table.h"
#include "core/textfile.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(FileFailureTexts, SaveAndReadFailuresNameThePathAndTheReasonInTheLanguage)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // A folder of the path is a file: the system answers ENOTDIR, whoever runs
    // the test (unlike a read-only folder, which root may still write into).
    const QString path = dir.filePath(QStringLiteral("blocker/config.cfg"));
    const QStringList lines{QStringLiteral("x")};

    const ce::test::KeyEcho keys;
    EXPECT_EQ(ce::test::spoken(ce::writeTextLines(path, lines, keys).error()),
              QStringLiteral("file.save_failed|%1|reason.enotdir").arg(path));
    EXPECT_EQ(ce::test::spoken(ce::readTextLines(path, keys).error()), QStringLiteral("file.not_found|") + path);

    const ce::Result<ce::LanguageTable> english =
        ce::loadLanguageFile(QStringLiteral(CE_DATA_DIR "/lang-en.cfg"));
    ASSERT_TRUE(english.ok()) << english.error().toStdString();
    EXPECT_EQ(ce::writeTextLines(path, lines, *english).error(),
              QStringLiteral("Cannot save the file %1: a part of the path is not a folder").arg(path));
    EXPECT_EQ(ce::readTextLines(path, *english).error(), QStringLiteral("File not found: ") + path);
}

}  // namespace
