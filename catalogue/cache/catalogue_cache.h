#pragma once
// Catalogue answers kept on disk, so that a field asked for once can be
// reduced again without a network.
//
// One file per answer in the cache folder (the data folder's "cache/"),
// named by the SHA-1 of the source's key and the query (path and query
// string, without the host: the mirrors of one catalogue give the same
// answer). The file holds the answer bytes exactly as the service sent
// them; its modification time is when it was stored.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace ce {

class CatalogueCache {
public:
    explicit CatalogueCache(QString folder) : folder_(std::move(folder)) {}

    // The file name for an answer: 40 hex digits and ".txt".
    static QString keyFor(const QString& sourceKey, const QString& pathAndQuery);

    // The stored answer for `key` when it exists and was stored no more than
    // maxAgeDays days before `now` (maxAgeDays 0: never served). Nothing
    // when missing, too old or unreadable.
    std::optional<QByteArray> lookup(const QString& key, int maxAgeDays, const QDateTime& now) const;

    // Keeps the answer under `key` (folder created when missing; the file is
    // replaced atomically). Fails with the system's reason, worded by `lang`.
    Status store(const QString& key, const QByteArray& answer, const TextLookup& lang) const;

    // Removes every stored answer. Returns how many files went, or the
    // reason the folder could not be emptied (text "file.remove_failed").
    Result<int> clear(const TextLookup& lang) const;

    const QString& folder() const { return folder_; }

private:
    QString folder_;
};

}  // namespace ce
