#include "catalogue/flow/network_reason.h"

namespace ce {

QString networkErrorReason(QNetworkReply::NetworkError error, const QUrl& address)
{
    const QString service = address.authority();
    switch (error) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("connexion refusée par %1").arg(service);
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("%1 a fermé la connexion").arg(service);
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("serveur introuvable : %1").arg(address.host());
    case QNetworkReply::TimeoutError:
        return QStringLiteral("délai de connexion à %1 dépassé").arg(service);
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("requête à %1 interrompue").arg(service);
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("connexion sécurisée à %1 impossible").arg(service);
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("réseau indisponible (en joignant %1)").arg(service);
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("le serveur mandataire (proxy) refuse la connexion à %1").arg(service);
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("%1 renvoie vers une autre adresse").arg(service);
    case QNetworkReply::ProtocolUnknownError:
        return QStringLiteral("protocole inconnu dans l'adresse %1").arg(address.toDisplayString());
    case QNetworkReply::ProtocolFailure:
        return QStringLiteral("réponse illisible de %1").arg(service);
    default:
        break;
    }
    return QStringLiteral("erreur réseau n° %1 en joignant %2").arg(QString::number(int(error)), service);
}

}  // namespace ce
