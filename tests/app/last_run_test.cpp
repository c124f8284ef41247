// The last run's values in the data folder: kept with the options, put back
// as written, and a folder that cannot be made is said by its path.

#include "app/last_run.h"
#include "app/program_options.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ce {
namespace {

const ce::test::KeyEcho kKeys;

TEST(LastRun, ValuesComeBackBesideTheOptions)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("donnees/ce"));  // two levels created
    EXPECT_FALSE(lastRunLines(folder).has_value());
    EXPECT_TRUE(restoreLastRunEnabled(folder));

    // Blanks, an empty line, a decimal comma and a comma inside a path travel as typed.
    const QStringList lines{QStringLiteral(" 10 "), QString(), QStringLiteral("2599,43"),
                            QStringLiteral("images/m57, nuit 2.fits")};
    ASSERT_TRUE(saveLastRun(folder, lines, kKeys).ok());
    ASSERT_TRUE(saveOptions(folder, ProgramOptions{false, QStringLiteral("lang-en.cfg")}, kKeys).ok());
    EXPECT_EQ(lastRunLines(folder), lines);
    EXPECT_FALSE(loadOptions(folder).refineSolution);

    setRestoreLastRunEnabled(folder, false);
    EXPECT_FALSE(restoreLastRunEnabled(folder));
    EXPECT_EQ(lastRunLines(folder), lines);
}

TEST(LastRun, AFolderThatCannotBeMadeIsNamed)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("fichier")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = blocker.fileName() + QStringLiteral("/ce");
    const Status saved = saveLastRun(folder, {QStringLiteral("1")}, kKeys);
    EXPECT_EQ(saved.error(), ce::test::keyed("options.lastrun.no_folder", {folder}));
    EXPECT_FALSE(lastRunLines(folder).has_value());
}

}  // namespace
}  // namespace ce
