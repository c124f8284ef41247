#include "catalogue/flow/catalogue_download.h"

#include "app/language_table.h"
#include "catalogue/answer_encoding.h"
#include "catalogue/flow/network_reason.h"
#include "core/numbers.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace ce {

namespace {

// Why a download stopped before the network library said it was complete.
enum class Stop { None, Cancelled, TimedOut, TooLarge };

QString failureReason(Stop stop, const DownloadLimits& limits, const QNetworkReply& reply,
                      const LanguageTable& lang)
{
    switch (stop) {
    case Stop::Cancelled:
        return lang.text(QStringLiteral("net.download.cancelled"));
    case Stop::TimedOut:
        return lang.text(QStringLiteral("net.download.silent"))
            .arg(formatDouble(limits.inactivityTimeoutMs / 1000.0));
    case Stop::TooLarge:
        return lang.text(QStringLiteral("net.download.toolarge"))
            .arg(formatDouble(double(limits.maxBytes) / (1024.0 * 1024.0)));
    case Stop::None:
        break;
    }
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        const int code = status.toInt();
        if (code < 200 || code > 299) {
            const QString phrase =
                reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
            return phrase.isEmpty()
                       ? lang.text(QStringLiteral("net.download.http")).arg(code)
                       : lang.text(QStringLiteral("net.download.httpphrase")).arg(QString::number(code), phrase);
        }
    }
    if (reply.error() != QNetworkReply::NoError)
        return networkErrorReason(reply.error(), reply.url(), lang);
    if (!status.isValid())
        return lang.text(QStringLiteral("net.download.nohttp"));
    return QString();
}

}  // namespace

Result<QByteArray> downloadAnswer(const QUrl& url, DownloadMonitor& monitor,
                                  const DownloadLimits& limits, const LanguageTable& lang)
{
    // The user's proxy settings apply, as for any other program of theirs.
    QNetworkProxyFactory::setUseSystemConfiguration(true);

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("VB OpenUrl"));
    // Always the service's current answer, never a cached one.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache"));
    request.setRawHeader(QByteArrayLiteral("Pragma"), QByteArrayLiteral("no-cache"));
    // gzip or nothing (catalogue/answer_encoding.h); naming the encodings
    // ourselves means the body arrives as sent and is decoded below.
    request.setRawHeader(QByteArrayLiteral("Accept-Encoding"), QByteArrayLiteral(kAcceptedEncodings));

    monitor.downloadStarted(url.toString());

    QByteArray body;
    Stop stop = Stop::None;
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;

    QTimer inactivity;
    inactivity.setSingleShot(true);
    inactivity.setInterval(limits.inactivityTimeoutMs);
    QTimer cancelPoll;
    cancelPoll.setInterval(limits.cancelPollMs);

    const auto stopWith = [&](Stop why) {
        if (stop != Stop::None || reply->isFinished())
            return;
        stop = why;
        reply->abort();  // emits finished, which ends the loop
    };

    QObject::connect(&inactivity, &QTimer::timeout, &loop, [&] { stopWith(Stop::TimedOut); });
    QObject::connect(&cancelPoll, &QTimer::timeout, &loop, [&] {
        if (monitor.cancelRequested())
            stopWith(Stop::Cancelled);
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        inactivity.start();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limits.maxBytes)
            stopWith(Stop::TooLarge);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        inactivity.start();
        body += reply->readAll();
        monitor.bytesReceived(body.size());
        if (body.size() > limits.maxBytes)
            stopWith(Stop::TooLarge);
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    inactivity.start();
    cancelPoll.start();
    if (!reply->isFinished())
        loop.exec();  // user input too: the progress box has "Annuler"
    inactivity.stop();
    cancelPoll.stop();

    if (stop == Stop::None) {
        body += reply->readAll();
        if (body.size() > limits.maxBytes)
            stop = Stop::TooLarge;
    }
    const QString reason = failureReason(stop, limits, *reply, lang);
    const QByteArray encoding = reply->rawHeader(QByteArrayLiteral("Content-Encoding"));
    reply->deleteLater();
    monitor.downloadFinished();
    if (!reason.isEmpty())
        return Result<QByteArray>::failure(reason);
    return decodeAnswerBody(encoding, body, limits.maxBytes, lang);
}

}  // namespace ce
