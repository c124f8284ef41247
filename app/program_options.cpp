#include "app/program_options.h"

#include <QDir>
#include <QSettings>

namespace ce {

namespace {
const QString kRefineKey = QStringLiteral("solution/refine");
const QString kLanguageKey = QStringLiteral("language/file");
}

QString optionsPath(const QString& dataFolder) { return dataFolder + QStringLiteral("/options.ini"); }

ProgramOptions loadOptions(const QString& dataFolder)
{
    const QSettings settings(optionsPath(dataFolder), QSettings::IniFormat);
    ProgramOptions options;
    options.refineSolution = settings.value(kRefineKey, options.refineSolution).toBool();
    options.languageFile = settings.value(kLanguageKey).toString();
    return options;
}

Status saveOptions(const QString& dataFolder, const ProgramOptions& options, const TextLookup& lang)
{
    QDir().mkpath(dataFolder);
    QSettings settings(optionsPath(dataFolder), QSettings::IniFormat);
    settings.setValue(kRefineKey, options.refineSolution);
    if (options.languageFile.isEmpty())
        settings.remove(kLanguageKey);
    else
        settings.setValue(kLanguageKey, options.languageFile);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return Status::failure(lang.text(QStringLiteral("options.save_failed"))
                                   .arg(optionsPath(dataFolder)));
    return succeeded();
}

}  // namespace ce
