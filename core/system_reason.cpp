#include "core/system_reason.h"

#include <cerrno>

namespace ce {
namespace {

// The key of the reason for an error number; empty for a number without
// its own text.
QString systemReasonKey(int errnoValue)
{
    switch (errnoValue) {
    case ENOSPC: return QStringLiteral("reason.enospc");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("reason.edquot");
#endif
    case EFBIG: return QStringLiteral("reason.efbig");
    case EACCES:
    case EPERM: return QStringLiteral("reason.eacces");
    case EROFS: return QStringLiteral("reason.erofs");
    case ENOENT: return QStringLiteral("reason.enoent");
    case ENOTDIR: return QStringLiteral("reason.enotdir");
    case EISDIR: return QStringLiteral("reason.eisdir");
    case EEXIST: return QStringLiteral("reason.eexist");
    case ENAMETOOLONG: return QStringLiteral("reason.enametoolong");
    case EMFILE:
    case ENFILE: return QStringLiteral("reason.emfile");
    case EIO: return QStringLiteral("reason.eio");
    case EBUSY: return QStringLiteral("reason.ebusy");
    case ENOMEM: return QStringLiteral("reason.enomem");
    case EXDEV: return QStringLiteral("reason.exdev");
    case ETXTBSY: return QStringLiteral("reason.etxtbsy");
    default: break;
    }
    return QString();
}

// The key of the reason for a Qt file error category.
QString fileReasonKey(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError: break;
    case QFileDevice::ReadError: return QStringLiteral("reason.read");
    case QFileDevice::WriteError: return QStringLiteral("reason.write");
    case QFileDevice::FatalError: return QStringLiteral("reason.fatal");
    case QFileDevice::ResourceError: return QStringLiteral("reason.resource");
    case QFileDevice::OpenError: return QStringLiteral("reason.open");
    case QFileDevice::AbortError: return QStringLiteral("reason.abort");
    case QFileDevice::TimeOutError: return QStringLiteral("reason.timeout");
    case QFileDevice::UnspecifiedError: break;
    case QFileDevice::RemoveError: return QStringLiteral("reason.remove");
    case QFileDevice::RenameError: return QStringLiteral("reason.rename");
    case QFileDevice::PositionError: return QStringLiteral("reason.position");
    case QFileDevice::ResizeError: return QStringLiteral("reason.resize");
    case QFileDevice::PermissionsError: return QStringLiteral("reason.permissions");
    case QFileDevice::CopyError: return QStringLiteral("reason.copy");
    }
    return QStringLiteral("reason.unknown");
}

}  // namespace

QString systemErrorReason(int errnoValue, const TextLookup& lang)
{
    const QString key = systemReasonKey(errnoValue);
    if (key.isEmpty()) return lang.text(QStringLiteral("reason.errno")).arg(errnoValue);
    return lang.text(key);
}

QString fileErrorReason(QFileDevice::FileError error, int errnoValue, const TextLookup& lang)
{
    if (errnoValue != 0) return systemErrorReason(errnoValue, lang);
    return lang.text(fileReasonKey(error));
}

}  // namespace ce
