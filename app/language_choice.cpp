#include "app/language_choice.h"

#include "core/textfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ce {

namespace {

bool isLanguageFileName(const QString& fileName)
{
    return fileName.startsWith(QLatin1String("lang"), Qt::CaseInsensitive)
        && fileName.endsWith(QLatin1String(".cfg"), Qt::CaseInsensitive);
}

}  // namespace

QList<LanguageFile> findLanguageFiles(const QString& programFolder, const TextLookup& lang)
{
    const QStringList names =
        QDir(programFolder).entryList({QStringLiteral("lang*.cfg")}, QDir::Files | QDir::Readable, QDir::Name);
    QList<LanguageFile> files;
    for (const QString& fileName : names) {
        const Result<QStringList> lines = readTextLines(QDir(programFolder).filePath(fileName), lang);
        const QString heading = lines ? lines->value(0).trimmed() : QString();
        files.append({fileName, heading.isEmpty() ? fileName : heading});
    }
    std::stable_partition(files.begin(), files.end(),
                          [](const LanguageFile& f) { return f.fileName == QLatin1String(kDefaultLanguageFile); });
    return files;
}

QString languageFileToRead(const QString& chosen)
{
    const QString fileName = QFileInfo(chosen.trimmed()).fileName();
    return isLanguageFileName(fileName) ? fileName : QString::fromLatin1(kDefaultLanguageFile);
}

}  // namespace ce
