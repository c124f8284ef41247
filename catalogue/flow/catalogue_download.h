#pragma once
// One HTTP GET of the catalogue service, its answer body kept in memory.
//
// The request is sent the way the service has always been asked: agent name
// "VB OpenUrl", never answered from a cache, through the system's proxy
// settings. The download runs in a local event loop while the window's
// DownloadMonitor shows the bytes received and offers to cancel; it ends
// when the answer is complete or fails.

#include "app/flow/reduction_view.h"
#include "core/result.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace ce {

struct DownloadLimits {
    // The download fails when nothing arrives for this long (connection,
    // answer head or body alike), milliseconds.
    int inactivityTimeoutMs = 30000;
    // The download fails as soon as the body grows beyond this, bytes. A
    // catalogue answer of 4000 stars is about 300 kB.
    qint64 maxBytes = 20LL * 1024 * 1024;
    // How often the monitor is asked whether the user cancelled, ms.
    int cancelPollMs = 50;
};

// downloadAnswer: GET `url` and return the body bytes as the service meant
// them: asked for "gzip, identity" only, a gzip body is decoded here
// (catalogue/answer_encoding.h); the monitor counts the bytes as they travel.
// Given: an http or https address, the monitor that shows progress
// (downloadStarted and downloadFinished are called once each, whatever the
// outcome) and the limits.
// Returns: the body of a 2xx answer (possibly empty), or the reason in the
// words of `lang` (keys net.*; the French ones are quoted here):
//  1. no connection, unknown host, refused connection: the network
//     library's reason;
//  2. an HTTP status outside 200..299: « le service a répondu HTTP 404 (Not
//     Found) »;
//  3. nothing received for inactivityTimeoutMs: « aucune réponse du service
//     depuis 30 s »;
//  4. the user cancelled: « téléchargement annulé »;
//  5. the body exceeded maxBytes, sent or decoded: « réponse trop volumineuse
//     (plus de 20 Mo) »;
//  6. a damaged gzip body, or an encoding not asked for.
// Needs a QCoreApplication; runs nested in the caller's thread.
struct LanguageTable;

Result<QByteArray> downloadAnswer(const QUrl& url, DownloadMonitor& monitor,
                                  const DownloadLimits& limits, const LanguageTable& lang);

}  // namespace ce
