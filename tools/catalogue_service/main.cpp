// catalogue-service: a USNO-A2.0 query service on 127.0.0.1 that answers
// from a local extract, for the offline demonstration and for tests.

#include "tools/catalogue_service/asu_answer.h"
#include "tools/catalogue_service/asu_request.h"
#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/gaia_extract.h"
#include "tools/catalogue_service/service_options.h"
#include "tools/catalogue_service/shutdown_latch.h"
#include "tools/catalogue_service/usnoa_answer.h"

#include <httplib.h>

#include <QDateTime>
#include <QSaveFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

using ce::service::ServiceOptions;

constexpr char kQueryPath[] = "/skycat/servers/usnoa_res";
constexpr char kAsuPath[] = "/viz-bin/asu-tsv";
constexpr char kStarCountHeader[] = "X-Star-Count";

void logRequest(const httplib::Request& req, const httplib::Response& res)
{
    const QByteArray time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toUtf8();
    const std::string target = req.target.empty() ? req.path : req.target;
    const std::string stars = res.get_header_value(kStarCountHeader);
    std::fprintf(stderr, "%s %s %s -> %d, %s étoile(s)\n", time.constData(), req.method.c_str(),
                 target.c_str(), res.status, stars.empty() ? "0" : stars.c_str());
}

bool writePortFile(const QString& path, int port)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "%s : %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    file.write(QByteArray::number(port) + '\n');
    if (!file.commit()) {
        std::fprintf(stderr, "%s : %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

// Waits for SIGTERM, SIGINT or SIGHUP (blocked in every thread, so they
// queue here) or for the safety deadline, then stops the server. It keeps
// asking the server to stop until the listening loop has really ended,
// because a stop that arrives before the loop starts is not remembered.
void stopOnSignal(httplib::Server& server, ce::service::ShutdownLatch& latch, const sigset_t& stopSignals,
                  int exitAfterSeconds, const std::atomic<bool>& listenDone)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(exitAfterSeconds);
    while (!listenDone) {
        if (exitAfterSeconds > 0 && Clock::now() >= deadline) {
            std::fprintf(stderr, "Arrêt après %d s\n", exitAfterSeconds);
            break;
        }
        const timespec slice{0, 200'000'000};
        const int received = sigtimedwait(&stopSignals, nullptr, &slice);
        if (received > 0)
            break;
    }
    latch.release();
    while (!listenDone) {
        server.stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto options = ce::service::parseServiceOptions(arguments);
    if (!options) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error()));
        return 2;
    }
    const ServiceOptions& opt = *options;
    const auto catalogue = ce::service::readExtract(opt.extractPath);
    if (!catalogue) {
        std::fprintf(stderr, "%s\n", qPrintable(catalogue.error()));
        return 2;
    }

    std::vector<ce::service::GaiaStar> gaia;
    if (!opt.gaiaExtractPath.isEmpty()) {
        auto read = ce::service::readGaiaExtract(opt.gaiaExtractPath);
        if (!read) {
            std::fprintf(stderr, "%s\n", qPrintable(read.error()));
            return 2;
        }
        gaia = std::move(read.value());
    }

    // Block the stop signals before any thread exists, so every thread
    // inherits the mask and only the waiter below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    // A client that hangs up early must not end the service.
    std::signal(SIGPIPE, SIG_IGN);

    httplib::Server server;
    ce::service::ShutdownLatch latch;
    server.set_keep_alive_timeout(1);
    server.set_logger(logRequest);
    // gzip at most: brotli costs the service seconds on an answer that plain
    // transfer sends in a few hundredths of a second. The HTTP library picks
    // the encoding from the request's Accept-Encoding (and is built with
    // brotli), so that header is narrowed to gzip, or to nothing, before the
    // request is routed. The request belongs to the library's connection
    // loop and is not a constant object: changing it here is sound.
    server.set_pre_routing_handler([](const httplib::Request& req, httplib::Response&) {
        auto& headers = const_cast<httplib::Headers&>(req.headers);  // names compared without case
        const auto [first, last] = headers.equal_range("Accept-Encoding");
        for (auto it = first; it != last; ++it)
            it->second = it->second.find("gzip") != std::string::npos ? "gzip" : "identity";
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.Get(kQueryPath, [&](const httplib::Request& req, httplib::Response& res) {
        if (opt.hang) {
            latch.wait();
            res.status = 503;
            res.set_content(ce::service::errorPage(503, QStringLiteral("Service arrêté")).toStdString(),
                            "text/html");
            return;
        }
        if (opt.delayMs > 0)
            latch.waitFor(std::chrono::milliseconds(opt.delayMs));
        if (opt.forcedStatus != 0) {
            res.status = opt.forcedStatus;
            res.set_content(ce::service::errorPage(opt.forcedStatus, QStringLiteral("Réponse imposée"))
                                .toStdString(),
                            "text/html");
            return;
        }
        // The raw query, because the HTTP layer keeps "+" as a plus sign.
        const auto questionMark = req.target.find('?');
        const std::string rawQuery = questionMark == std::string::npos ? std::string()
                                                                       : req.target.substr(questionMark + 1);
        const auto reply = ce::service::answerQuery(*catalogue, ce::service::decodeQueryString(rawQuery),
                                                    {.withMarker = !opt.noMarker});
        res.status = reply.status;
        res.set_header(kStarCountHeader, std::to_string(reply.starCount));
        res.set_content(reply.body.toStdString(), "text/html");
    });
    server.Get(kAsuPath, [&](const httplib::Request& req, httplib::Response& res) {
        if (opt.hang) {
            latch.wait();
            res.status = 503;
            res.set_content("#*** Service arrêté\n", "text/plain");
            return;
        }
        if (opt.delayMs > 0)
            latch.waitFor(std::chrono::milliseconds(opt.delayMs));
        if (opt.forcedStatus != 0) {
            res.status = opt.forcedStatus;
            res.set_content("#*** Réponse imposée\n", "text/plain");
            return;
        }
        const auto questionMark = req.target.find('?');
        const std::string rawQuery = questionMark == std::string::npos ? std::string()
                                                                       : req.target.substr(questionMark + 1);
        const auto request = ce::service::parseAsuRequest(ce::service::decodeQueryString(rawQuery));
        if (!request) {
            res.status = 400;
            res.set_content(("#*** " + request.error() + u'\n').toStdString(), "text/plain");
            return;
        }
        if (request->catalogue == ce::service::AsuCatalogueId::GaiaDr3 && opt.gaiaExtractPath.isEmpty()) {
            res.status = 404;
            res.set_content("#*** Catalogue I/355/gaiadr3 absent de ce service\n", "text/plain");
            return;
        }
        const QByteArray answer =
            ce::service::asuAnswer(*request, *catalogue, gaia, {.dropFirstColumn = opt.noMarker});
        res.set_header(kStarCountHeader, std::to_string(ce::service::asuRowCount(answer)));
        res.set_content(answer.toStdString(), "text/tab-separated-values; charset=utf-8");
    });
    // Other paths and requests refused by the HTTP layer: a small HTML page
    // with the status, as web servers give.
    server.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&,
                                                                     httplib::Response& res) {
        if (!res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        const QString message =
            res.status == 404 ? QStringLiteral("Page introuvable") : QStringLiteral("Requête refusée");
        res.set_content(ce::service::errorPage(res.status, message).toStdString(), "text/html");
        return httplib::Server::HandlerResponse::Handled;
    }));

    int port = opt.port;
    if (port == 0) {
        port = server.bind_to_any_port("127.0.0.1");
        if (port <= 0) {
            std::fprintf(stderr, "Aucun port libre sur 127.0.0.1\n");
            return 1;
        }
    } else if (!server.bind_to_port("127.0.0.1", port)) {
        std::fprintf(stderr, "Port %d indisponible sur 127.0.0.1\n", port);
        return 1;
    }
    std::printf("PORT %d\n", port);
    std::fflush(stdout);
    if (!opt.portFile.isEmpty() && !writePortFile(opt.portFile, port))
        return 1;
    std::fprintf(stderr, "Service USNO-A2.0 sur http://127.0.0.1:%d, %zu étoile(s) dans %s\n", port,
                 catalogue->size(), qPrintable(opt.extractPath));

    std::atomic<bool> listenDone = false;
    std::thread waiter(stopOnSignal, std::ref(server), std::ref(latch), std::cref(stopSignals),
                       opt.exitAfterSeconds, std::cref(listenDone));
    const bool listened = server.listen_after_bind();
    listenDone = true;
    waiter.join();
    return listened ? 0 : 1;
}
