#include "core/program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace ce {

QString ProgramPaths::resolveImagePath(const QString& typed) const
{
    const bool driveLetter = typed.size() >= 2 && typed.at(0).isLetter() && typed.at(1) == u':';
    if (typed.startsWith(u'/') || driveLetter)
        return typed;
    return programFile(typed);
}

ProgramPaths ProgramPaths::forInstalledProgram()
{
    ProgramPaths paths;
    paths.programFolder = QCoreApplication::applicationDirPath();
    paths.dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(paths.dataFolder);
    return paths;
}

}  // namespace ce
