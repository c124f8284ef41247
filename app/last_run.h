#pragma once
// The last run: the seventeen project values of the main window when the
// program last ended, kept in options.ini in the data folder (QSettings,
// INI format), and whether they are put back at the next start.
//
// options.ini, group [lastRun]:
//   restore=true|false   put the values back at start (default true)
//   values=…             the seventeen project lines (project_file.h)

#include "core/result.h"
#include "core/text_lookup.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ce {

// The file's path in a data folder.
QString optionsFile(const QString& dataFolder);

// Saves the seventeen lines; the data folder is created when missing.
// Failures are "options.lastrun." texts of `lang`.
Status saveLastRun(const QString& dataFolder, const QStringList& projectLines, const TextLookup& lang);

// The lines saved last, when there are any.
std::optional<QStringList> lastRunLines(const QString& dataFolder);

bool restoreLastRunEnabled(const QString& dataFolder);
void setRestoreLastRunEnabled(const QString& dataFolder, bool enabled);

}  // namespace ce
