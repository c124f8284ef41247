#include "image/file_stamp.h"

#include <QFileInfo>

namespace ce {

FileStamp stampOf(const QString& absolutePath)
{
    const QFileInfo info(absolutePath);
    FileStamp stamp;
    stamp.absolutePath = absolutePath;
    if (info.exists() && info.isFile()) {
        stamp.sizeBytes = info.size();
        stamp.modified = info.lastModified().toUTC();
    }
    return stamp;
}

}  // namespace ce
