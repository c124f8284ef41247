#include "catalogue/flow/download_command.h"

#include "app/flow/field_centre.h"
#include "app/flow/reduction_controller.h"
#include "catalogue/catalogue_reader.h"
#include "catalogue/flow/catalogue_download.h"
#include "catalogue/query_address.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace ce {

namespace {

// Leaves an empty data.txt behind, reports the reason once in the status
// list and once in a message box, and returns it as the failure.
Status reportFailure(ReductionController& controller, const QString& message)
{
    const QString path = controller.paths().catalogueFile();
    QDir().mkpath(controller.paths().dataFolder);
    QFile::remove(path);
    QFile empty(path);
    if (empty.open(QIODevice::WriteOnly))
        empty.close();
    controller.AddStatus(message);
    controller.view().showMessage(message, QString(), true);
    return Status::failure(message);
}

}  // namespace

Result<QString> readServiceAddress(const QString& programFolder)
{
    const QString path = programFolder + QStringLiteral("/serveur.cfg");
    const Result<QStringList> lines = readTextLines(path);
    if (!lines) {
        return Result<QString>::failure(
            QStringLiteral("adresse du service de catalogue inconnue (%1)").arg(lines.error()));
    }
    const QString address = lines->isEmpty() ? QString() : lines->first().trimmed();
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (address.isEmpty() || !url.isValid() || url.host().isEmpty()
        || (scheme != u"http" && scheme != u"https")) {
        return Result<QString>::failure(
            QStringLiteral("Le fichier %1 ne donne pas l'adresse du service de catalogue "
                           "(une ligne http://hôte[:port])")
                .arg(path));
    }
    QString base = address;
    while (base.endsWith(u'/'))
        base.chop(1);
    return Result<QString>::success(base);
}

Status runDownloadData(ReductionController& controller)
{
    ReductionView& view = controller.view();
    const QString refused = QStringLiteral("Téléchargement impossible : ");

    const Result<FieldCentre> centre = readFieldCentre(view);
    if (!centre)
        return reportFailure(controller, refused + centre.error());
    const Result<CatalogueQuery> query = catalogueQueryAround(
        centre->raDeg, centre->decDeg, centre->sign, view.text(QStringLiteral("txt_epoch")),
        view.text(QStringLiteral("txt_distance")), view.text(QStringLiteral("txt_mag")));
    if (!query)
        return reportFailure(controller, refused + query.error());
    const Result<QString> base = readServiceAddress(controller.paths().programFolder);
    if (!base)
        return reportFailure(controller, refused + base.error());

    controller.AddStatus(controller.lang().message(8));
    const QString path = controller.paths().catalogueFile();
    QFile::remove(path);

    const QUrl url(*base + query->pathAndQuery, QUrl::TolerantMode);
    const Result<QByteArray> answer = downloadAnswer(url, view.downloadMonitor(),
                                                     controller.downloadLimits());
    const QString failed = QStringLiteral("Échec du téléchargement du catalogue : ");
    if (!answer)
        return reportFailure(controller, failed + answer.error());
    if (!answer->contains(kCatalogueDataMarker)) {
        return reportFailure(controller,
                             failed + QStringLiteral("la réponse du service ne contient aucune "
                                                     "liste d'étoiles (%1 octets reçus)")
                                          .arg(answer->size()));
    }

    QDir().mkpath(controller.paths().dataFolder);
    const Status saved = writeFileBytes(path, *answer);
    if (!saved)
        return reportFailure(controller, failed + saved.error());

    controller.AddStatus(controller.lang().message(9));
    return succeeded();
}

}  // namespace ce
