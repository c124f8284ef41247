// The program's own options file: the refinement on by default, a choice
// kept between runs, other keys of the file left alone.

#include "app/program_options.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const ce::test::KeyEcho kKeys;

TEST(ProgramOptions, RefinementOnByDefaultAndRemembered)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("donnees"));  // created when first needed
    EXPECT_TRUE(ce::loadOptions(folder).refineSolution);

    {
        QSettings other(ce::optionsPath(folder), QSettings::IniFormat);
        other.setValue(QStringLiteral("catalogue/source"), QStringLiteral("gaia"));
    }
    ASSERT_TRUE(ce::saveOptions(folder, ce::ProgramOptions{false, {}}, kKeys).ok());
    EXPECT_FALSE(ce::loadOptions(folder).refineSolution);
    const QSettings back(ce::optionsPath(folder), QSettings::IniFormat);
    EXPECT_EQ(back.value(QStringLiteral("catalogue/source")).toString(), QStringLiteral("gaia"));

    // A folder that cannot hold the file: the failure names it.
    QFile blocker(dir.filePath(QStringLiteral("fichier")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ce::Status saved = ce::saveOptions(blocker.fileName(), ce::ProgramOptions{}, kKeys);
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(saved.error(), ce::test::keyed("options.save_failed", {blocker.fileName() + "/options.ini"}));
}

TEST(ProgramOptions, LanguageChoiceKeptAndWithdrawn)
{
    QTemporaryDir dir;
    EXPECT_TRUE(ce::loadOptions(dir.path()).languageFile.isEmpty());
    ce::ProgramOptions options;
    options.languageFile = QStringLiteral("lang-en.cfg");
    ASSERT_TRUE(ce::saveOptions(dir.path(), options, kKeys).ok());
    EXPECT_EQ(ce::loadOptions(dir.path()).languageFile, "lang-en.cfg");
    // Another setting changed later keeps the choice.
    options = ce::loadOptions(dir.path());
    options.refineSolution = false;
    ASSERT_TRUE(ce::saveOptions(dir.path(), options, kKeys).ok());
    EXPECT_EQ(ce::loadOptions(dir.path()).languageFile, "lang-en.cfg");
    // Back to the default: the key leaves the file.
    options.languageFile.clear();
    ASSERT_TRUE(ce::saveOptions(dir.path(), options, kKeys).ok());
    const QSettings back(ce::optionsPath(dir.path()), QSettings::IniFormat);
    EXPECT_FALSE(back.contains(QStringLiteral("language/file")));
}

}  // namespace
