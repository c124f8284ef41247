#pragma once
// What tells that an image file changed since it was decoded: its path, its
// size and its modification time. The decode cache keeps the decoded pixels
// while the stamp of the file stays the same.

#include <QDateTime>
#include <QString>

namespace ce {

struct FileStamp {
    QString absolutePath;
    qint64 sizeBytes = -1;
    QDateTime modified;  // UTC, to the millisecond the file system gives

    bool valid() const { return sizeBytes >= 0; }
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of a file now; invalid (sizeBytes −1) when the file is missing.
FileStamp stampOf(const QString& absolutePath);

}  // namespace ce
