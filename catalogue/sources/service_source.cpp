// The present service (serveur.cfg, usnoa_res protocol): its answer is
// already the reader's page.

#include "catalogue/sources/service_source.h"

#include "catalogue/catalogue_reader.h"

namespace ce {

QString ServiceSource::key() const { return QStringLiteral("service"); }

Result<QString> ServiceSource::pathAndQuery(const FieldRequest& request, const TextLookup&) const
{
    return Result<QString>::success(request.query.pathAndQuery);
}

Result<QByteArray> ServiceSource::readerAnswer(const QByteArray& answer, const FieldRequest&,
                                               const TextLookup& lang) const
{
    if (!answer.contains(kCatalogueDataMarker)) {
        return Result<QByteArray>::failure(
            lang.text(QStringLiteral("catalogue.read.nostars")).arg(answer.size()));
    }
    return Result<QByteArray>::success(answer);
}

}  // namespace ce
