// Image paths typed or stored: absolute ones as they are, relative ones
// beside the program, Windows separators of stored files understood.

#include "core/program_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramPaths, RelativeImagePathsReadWindowsSeparators)
{
    QTemporaryDir dir;
    ce::ProgramPaths paths;
    paths.programFolder = paths.dataFolder = dir.path();
    const QString folder = dir.path();
    struct Row { QString typed; QString resolved; };
    const Row rows[] = {
        {"images\\m42.jpg", folder + "/images/m42.jpg"},
        {"nuit\\M31\\a.fits", folder + "/nuit/M31/a.fits"},
        {"demo/demo.png", folder + "/demo/demo.png"},
        {"/tmp/x\\y.png", "/tmp/x\\y.png"},       // absolute: as typed
        {"C:\\images\\m42.jpg", "C:\\images\\m42.jpg"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(paths.resolveImagePath(row.typed), row.resolved) << row.typed.toStdString();

    // A file whose own name holds a backslash is the one meant.
    QFile odd(folder + "/a\\b.png");
    ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
    EXPECT_EQ(paths.resolveImagePath("a\\b.png"), folder + "/a\\b.png");
}

}  // namespace
