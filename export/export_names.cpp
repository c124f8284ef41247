#include "export/export_names.h"

#include <QFileInfo>

namespace ce {

namespace {

// The path cut into the part before the suffix and the suffix (with its
// dot; ".fits.fz" for a compressed image, else the last suffix only).
std::pair<QString, QString> splitSuffix(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString folder = path.left(path.size() - name.size());
    qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0 && name.mid(dot).compare(QStringLiteral(".fz"), Qt::CaseInsensitive) == 0) {
        const qsizetype inner = name.lastIndexOf(u'.', dot - 1);
        if (inner > 0)
            dot = inner;
    }
    if (dot <= 0)
        return {path, QString()};
    return {folder + name.left(dot), name.mid(dot)};
}

}  // namespace

QString exportFileName(const QString& imagePath, const QString& suffix)
{
    return splitSuffix(imagePath).first + suffix;
}

QString fitsCopyName(const QString& imagePath)
{
    const auto [stem, suffix] = splitSuffix(imagePath);
    return stem + QStringLiteral("-wcs") + suffix;
}

QString withSuffix(const QString& chosen, const QString& suffix)
{
    return QFileInfo(chosen).suffix().isEmpty() ? chosen + suffix : chosen;
}

}  // namespace ce
