#include "core/system_reason.h"

#include <cerrno>

namespace ce {

QString systemErrorReason(int errnoValue)
{
    switch (errnoValue) {
    case ENOSPC: return QStringLiteral("plus de place sur le disque");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("quota de disque dépassé");
#endif
    case EFBIG: return QStringLiteral("fichier trop grand pour ce système de fichiers");
    case EACCES:
    case EPERM: return QStringLiteral("accès refusé");
    case EROFS: return QStringLiteral("système de fichiers en lecture seule");
    case ENOENT: return QStringLiteral("fichier ou dossier introuvable");
    case ENOTDIR: return QStringLiteral("un élément du chemin n'est pas un dossier");
    case EISDIR: return QStringLiteral("le chemin désigne un dossier");
    case EEXIST: return QStringLiteral("le fichier existe déjà");
    case ENAMETOOLONG: return QStringLiteral("nom de fichier trop long");
    case EMFILE:
    case ENFILE: return QStringLiteral("trop de fichiers ouverts");
    case EIO: return QStringLiteral("erreur d'entrée-sortie du disque");
    case EBUSY: return QStringLiteral("fichier ou périphérique occupé");
    case ENOMEM: return QStringLiteral("mémoire insuffisante");
    case EXDEV: return QStringLiteral("déplacement entre deux disques impossible");
    case ETXTBSY: return QStringLiteral("fichier en cours d'utilisation");
    default: break;
    }
    return QStringLiteral("erreur système n° %1").arg(errnoValue);
}

QString fileErrorReason(QFileDevice::FileError error, int errnoValue)
{
    if (errnoValue != 0) return systemErrorReason(errnoValue);
    switch (error) {
    case QFileDevice::NoError: break;
    case QFileDevice::ReadError: return QStringLiteral("lecture impossible");
    case QFileDevice::WriteError: return QStringLiteral("écriture impossible");
    case QFileDevice::FatalError: return QStringLiteral("erreur fatale du système de fichiers");
    case QFileDevice::ResourceError: return QStringLiteral("ressources insuffisantes (disque plein ?)");
    case QFileDevice::OpenError: return QStringLiteral("ouverture impossible");
    case QFileDevice::AbortError: return QStringLiteral("opération interrompue");
    case QFileDevice::TimeOutError: return QStringLiteral("délai dépassé");
    case QFileDevice::UnspecifiedError: break;
    case QFileDevice::RemoveError: return QStringLiteral("suppression impossible");
    case QFileDevice::RenameError: return QStringLiteral("renommage impossible");
    case QFileDevice::PositionError: return QStringLiteral("positionnement impossible");
    case QFileDevice::ResizeError: return QStringLiteral("changement de taille impossible");
    case QFileDevice::PermissionsError: return QStringLiteral("droits d'accès insuffisants");
    case QFileDevice::CopyError: return QStringLiteral("copie impossible");
    }
    return QStringLiteral("erreur inconnue du système de fichiers");
}

}  // namespace ce
