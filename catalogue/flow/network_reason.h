#pragma once
// The reason for a failed network request in the language in use (keys
// net.*): the network library's own descriptions are English.

#include <QNetworkReply>
#include <QString>
#include <QUrl>

namespace ce {

// networkErrorReason
// Given:  the network library's error and the address asked.
// Returns: a short lower-case phrase of `lang` naming the service
//          (host:port) or host, e.g. « connexion refusée par
//          127.0.0.1:8080 »; an error without a phrase of its own gives
//          « erreur réseau n° <code> en joignant <service> ». Never empty.
struct LanguageTable;

QString networkErrorReason(QNetworkReply::NetworkError error, const QUrl& address, const LanguageTable& lang);

}  // namespace ce
