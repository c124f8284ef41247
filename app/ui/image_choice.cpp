#include "app/ui/image_choice.h"

#include "app/ui/dialogs.h"
#include "project/flow/project_commands.h"

#include <QDir>
#include <QFileInfo>

namespace ce {

namespace {

constexpr int kTitleText = 77;
constexpr int kFilterText = 78;

// [FORM] lines from 66 on are the later language messages, with their
// French fallback.
QString languageText(const LanguageTable& lang, int line) { return lang.message(line - 45); }

}  // namespace

QString imageDialogFilter(const LanguageTable& lang)
{
    return projectDialogFilter(languageText(lang, kFilterText));
}

QString imageDialogFolder(const ProgramPaths& paths, const QString& typedPath)
{
    if (!typedPath.trimmed().isEmpty()) {
        const QFileInfo current(paths.resolveImagePath(typedPath.trimmed()));
        if (current.absoluteDir().exists())
            return current.absolutePath();
    }
    return paths.programFolder;
}

QString chooseImageFile(QWidget* parent, Dialogs& dialogs, const LanguageTable& lang,
                        const ProgramPaths& paths, const QString& typedPath)
{
    return dialogs.openFileName(parent, languageText(lang, kTitleText),
                                imageDialogFolder(paths, typedPath), imageDialogFilter(lang));
}

}  // namespace ce
