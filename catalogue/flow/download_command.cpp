#include "catalogue/flow/download_command.h"

#include "app/flow/field_centre.h"
#include "app/flow/reduction_controller.h"
#include "catalogue/cache/catalogue_cache.h"
#include "catalogue/flow/catalogue_download.h"
#include "catalogue/flow/catalogue_options.h"
#include "catalogue/query_address.h"
#include "catalogue/sources/catalogue_source.h"
#include "core/textfile.h"

#include <QDateTime>
#include <QDir>
#include <QUrl>

#include <memory>
#include <optional>

namespace ce {

namespace {

// Reports the reason once in the status list and once in a message box and
// returns it as the failure. data.txt is left as it was: the catalogue of
// the field it was downloaded for stays usable, and its recorded centre
// keeps it from being matched against another field.
Status reportFailure(ReductionController& controller, const QString& message)
{
    controller.AddStatus(message);
    controller.view().showMessage(message, QString(), true);
    return Status::failure(message);
}

// A base address as the program uses it: http(s), a host, no trailing "/".
std::optional<QString> usableBase(const QString& typed)
{
    const QString address = typed.trimmed();
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (address.isEmpty() || !url.isValid() || url.host().isEmpty()
        || (scheme != u"http" && scheme != u"https"))
        return std::nullopt;
    QString base = address;
    while (base.endsWith(u'/'))
        base.chop(1);
    return base;
}

}  // namespace

Result<QString> readServiceAddress(const QString& programFolder, const TextLookup& lang)
{
    const QString path = programFolder + QStringLiteral("/serveur.cfg");
    const Result<QStringList> lines = readTextLines(path, lang);
    if (!lines) {
        return Result<QString>::failure(
            lang.text(QStringLiteral("catalogue.address.unknown")).arg(lines.error()));
    }
    const std::optional<QString> base = usableBase(lines->isEmpty() ? QString() : lines->first());
    if (!base) {
        return Result<QString>::failure(
            lang.text(QStringLiteral("catalogue.address.nofile")).arg(path));
    }
    return Result<QString>::success(*base);
}

Result<ServiceAddress> catalogueServiceAddress(const ProgramPaths& paths, const CatalogueOptions& options,
                                               const LanguageTable& lang)
{
    using R = Result<ServiceAddress>;
    if (paths.serviceOrigin != ProgramPaths::ServiceOrigin::None) {
        const QString origin = lang.text(paths.serviceOrigin == ProgramPaths::ServiceOrigin::Option
                                             ? QStringLiteral("catalogue.origin.option")
                                             : QStringLiteral("catalogue.origin.environment"));
        const std::optional<QString> base = usableBase(paths.serviceAddress);
        if (!base)
            return R::failure(lang.text(QStringLiteral("catalogue.address.bad")).arg(paths.serviceAddress, origin));
        return R::success({*base, origin});
    }
    if (options.source == CatalogueSourceKind::Service) {
        const Result<QString> base = readServiceAddress(paths.programFolder, lang);
        if (!base)
            return R::failure(base.error());
        return R::success({*base, lang.text(QStringLiteral("catalogue.origin.file"))
                                      .arg(paths.programFile(QStringLiteral("serveur.cfg")))});
    }
    const QString origin = lang.text(QStringLiteral("catalogue.origin.options"));
    const std::optional<QString> base = usableBase(options.vizierAddress);
    if (!base)
        return R::failure(lang.text(QStringLiteral("catalogue.address.bad")).arg(options.vizierAddress, origin));
    return R::success({*base, origin});
}

Status runDownloadData(ReductionController& controller)
{
    ReductionView& view = controller.view();
    const ProgramPaths& paths = controller.paths();
    const LanguageTable& lang = controller.lang();
    const auto refused = [&lang](const QString& reason) {
        return lang.text(QStringLiteral("net.refusedbefore")).arg(reason);
    };

    const Result<FieldCentre> centre = readFieldCentre(view, lang);
    if (!centre)
        return reportFailure(controller, refused(centre.error()));
    FieldRequest request;
    request.epochText = view.text(QStringLiteral("txt_epoch"));
    request.radiusText = view.text(QStringLiteral("txt_distance"));
    request.magnitudeText = view.text(QStringLiteral("txt_mag"));
    const Result<CatalogueQuery> query = catalogueQueryAround(
        centre->raDeg, centre->decDeg, centre->sign, request.epochText, request.radiusText,
        request.magnitudeText, lang);
    if (!query)
        return reportFailure(controller, refused(query.error()));
    request.query = *query;

    const CatalogueOptions options = loadCatalogueOptions(paths.dataFolder);
    const std::unique_ptr<CatalogueSource> source = makeCatalogueSource(options.source);
    const Result<QString> pathAndQuery = source->pathAndQuery(request, lang);
    if (!pathAndQuery)
        return reportFailure(controller, refused(pathAndQuery.error()));
    const Result<ServiceAddress> service = catalogueServiceAddress(paths, options, lang);
    if (!service)
        return reportFailure(controller, refused(service.error()));

    controller.AddStatus(lang.message(8));
    const auto failed = [&lang](const QString& reason) { return lang.text(QStringLiteral("net.failed")).arg(reason); };
    const QString from = QStringLiteral(" (%1)").arg(service->origin);

    // A fresh enough answer to the same question is served from the cache.
    const CatalogueCache cache(paths.dataFile(QStringLiteral("cache")));
    const QString cacheKey = CatalogueCache::keyFor(source->key(), *pathAndQuery);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    std::optional<QByteArray> page;
    if (const std::optional<QByteArray> cached = cache.lookup(cacheKey, options.cacheMaxAgeDays, now)) {
        Result<QByteArray> converted = source->readerAnswer(*cached, request, lang);
        if (converted) {
            page = *converted;
            controller.AddStatus(lang.text(QStringLiteral("catalogue.fromcache")).arg(cache.folder()));
        }
    }
    if (!page) {
        const QUrl url(service->base + *pathAndQuery, QUrl::TolerantMode);
        const Result<QByteArray> answer = downloadAnswer(url, view.downloadMonitor(),
                                                         controller.downloadLimits(), controller.lang());
        if (!answer)
            return reportFailure(controller, failed(answer.error()) + from);
        const Result<QByteArray> converted = source->readerAnswer(*answer, request, lang);
        if (!converted)
            return reportFailure(controller, failed(converted.error()) + from);
        page = *converted;
        // A cache that cannot be written costs only the offline reuse.
        if (const Status kept = cache.store(cacheKey, *answer, lang); !kept)
            controller.AddStatus(kept.error());
    }

    // data.txt is replaced only by a complete page (QSaveFile: a temporary
    // file renamed over it), and its field is recorded with it.
    QDir().mkpath(paths.dataFolder);
    const Status saved = writeFileBytes(paths.catalogueFile(), *page, lang);
    if (!saved)
        return reportFailure(controller, failed(saved.error()));
    const Status recorded = recordCatalogueCentre(
        paths.dataFolder, {query->raJ2000Deg, query->decJ2000Deg, source->key()}, lang);
    if (!recorded)
        return reportFailure(controller, failed(recorded.error()));

    controller.AddStatus(lang.message(9));
    return succeeded();
}

}  // namespace ce
