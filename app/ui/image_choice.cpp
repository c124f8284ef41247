#include "app/ui/image_choice.h"

#include "app/ui/dialogs.h"
#include "project/flow/project_commands.h"

#include <QDir>
#include <QFileInfo>

namespace ce {

namespace {

constexpr int kTitleText = 77;
constexpr int kFilterText = 78;

QString languageText(const LanguageTable& lang, int line, const QString& builtIn)
{
    const QString& text = lang.form.at(std::size_t(line));
    return text.isEmpty() ? builtIn : text;
}

}  // namespace

QString imageDialogFilter(const LanguageTable& lang)
{
    const QString builtIn = QStringLiteral(
        "Toutes les images|*.fits *.fit *.fts *.fz *.jpg *.jpeg *.png *.tif *.tiff *.bmp *.gif"
        "|FITS|*.fits *.fit *.fts *.fz|JPEG|*.jpg *.jpeg|PNG|*.png|TIFF|*.tif *.tiff|BMP|*.bmp|GIF|*.gif");
    return projectDialogFilter(languageText(lang, kFilterText, builtIn));
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
    return dialogs.openFileName(parent, languageText(lang, kTitleText, QStringLiteral("Ouvrir une image")),
                                imageDialogFolder(paths, typedPath), imageDialogFilter(lang));
}

}  // namespace ce
