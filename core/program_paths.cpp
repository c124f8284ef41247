#include "core/program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ce {

QString ProgramPaths::resolveImagePath(const QString& typed) const
{
    const bool driveLetter = typed.size() >= 2 && typed.at(0).isLetter() && typed.at(1) == u':';
    if (typed.startsWith(u'/') || driveLetter)
        return typed;
    // Projects and defaut.cfg written on Windows hold "images\m42.jpg"; a
    // file whose own name has a backslash still wins.
    const QString asTyped = programFile(typed);
    if (!typed.contains(u'\\') || QFileInfo::exists(asTyped))
        return asTyped;
    return programFile(QString(typed).replace(u'\\', u'/'));
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
