#include "catalogue/cache/catalogue_cache.h"

#include "core/textfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ce {

QString CatalogueCache::keyFor(const QString& sourceKey, const QString& pathAndQuery)
{
    const QByteArray material = sourceKey.toUtf8() + '\n' + pathAndQuery.toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(material, QCryptographicHash::Sha1).toHex())
           + QStringLiteral(".txt");
}

std::optional<QByteArray> CatalogueCache::lookup(const QString& key, int maxAgeDays, const QDateTime& now) const
{
    if (maxAgeDays <= 0)
        return std::nullopt;
    const QString path = folder_ + u'/' + key;
    const QFileInfo info(path);
    if (!info.isFile() || info.lastModified().addDays(maxAgeDays) < now)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

Status CatalogueCache::store(const QString& key, const QByteArray& answer, const TextLookup& lang) const
{
    if (!QDir().mkpath(folder_))
        return Status::failure(lang.text(QStringLiteral("file.folder_failed")).arg(folder_));
    return writeFileBytes(folder_ + u'/' + key, answer, lang);
}

Result<int> CatalogueCache::clear(const TextLookup& lang) const
{
    QDir dir(folder_);
    if (!dir.exists())
        return Result<int>::success(0);
    int removed = 0;
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        if (!dir.remove(name))
            return Result<int>::failure(
                lang.text(QStringLiteral("file.remove_failed")).arg(dir.filePath(name)));
        ++removed;
    }
    return Result<int>::success(removed);
}

}  // namespace ce
