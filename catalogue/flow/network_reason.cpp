#include "catalogue/flow/network_reason.h"

#include "app/language_table.h"

namespace ce {

QString networkErrorReason(QNetworkReply::NetworkError error, const QUrl& address, const LanguageTable& lang)
{
    const auto text = [&lang](const char* key) { return lang.text(QString::fromLatin1(key)); };
    const QString service = address.authority();
    switch (error) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::ConnectionRefusedError:
        return text("net.refused").arg(service);
    case QNetworkReply::RemoteHostClosedError:
        return text("net.closed").arg(service);
    case QNetworkReply::HostNotFoundError:
        return text("net.hostnotfound").arg(address.host());
    case QNetworkReply::TimeoutError:
        return text("net.timeout").arg(service);
    case QNetworkReply::OperationCanceledError:
        return text("net.cancelled").arg(service);
    case QNetworkReply::SslHandshakeFailedError:
        return text("net.ssl").arg(service);
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return text("net.unavailable").arg(service);
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return text("net.proxy").arg(service);
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return text("net.redirect").arg(service);
    case QNetworkReply::ProtocolUnknownError:
        return text("net.protocol").arg(address.toDisplayString());
    case QNetworkReply::ProtocolFailure:
        return text("net.unreadable").arg(service);
    default:
        break;
    }
    return text("net.other").arg(QString::number(int(error)), service);
}

}  // namespace ce
