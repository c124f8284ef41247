#include "app/last_run.h"

#include <QDir>
#include <QSettings>

namespace ce {

namespace {

const QString kRestoreKey = QStringLiteral("lastRun/restore");
const QString kValuesKey = QStringLiteral("lastRun/values");

}  // namespace

QString optionsFile(const QString& dataFolder) { return dataFolder + QStringLiteral("/options.ini"); }

Status saveLastRun(const QString& dataFolder, const QStringList& projectLines, const TextLookup& lang)
{
    if (!QDir().mkpath(dataFolder))
        return Status::failure(lang.text(QStringLiteral("options.lastrun.no_folder")).arg(dataFolder));
    QSettings settings(optionsFile(dataFolder), QSettings::IniFormat);
    settings.setValue(kValuesKey, projectLines);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return Status::failure(lang.text(QStringLiteral("options.lastrun.write_failed")).arg(optionsFile(dataFolder)));
    return succeeded();
}

std::optional<QStringList> lastRunLines(const QString& dataFolder)
{
    const QSettings settings(optionsFile(dataFolder), QSettings::IniFormat);
    if (!settings.contains(kValuesKey))
        return std::nullopt;
    return settings.value(kValuesKey).toStringList();
}

bool restoreLastRunEnabled(const QString& dataFolder)
{
    const QSettings settings(optionsFile(dataFolder), QSettings::IniFormat);
    return settings.value(kRestoreKey, true).toBool();
}

void setRestoreLastRunEnabled(const QString& dataFolder, bool enabled)
{
    QDir().mkpath(dataFolder);
    QSettings settings(optionsFile(dataFolder), QSettings::IniFormat);
    settings.setValue(kRestoreKey, enabled);
}

}  // namespace ce
