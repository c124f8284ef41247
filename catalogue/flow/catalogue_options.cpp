#include "catalogue/flow/catalogue_options.h"

#include <QDir>
#include <QSettings>

namespace ce {
namespace {

QString optionsPath(const QString& dataFolder) { return dataFolder + QStringLiteral("/options.ini"); }

Status synced(QSettings& settings, const TextLookup& lang)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return Status::failure(lang.text(QStringLiteral("file.not_saved")).arg(settings.fileName()));
    return succeeded();
}

}  // namespace

QStringList vizierMirrors()
{
    return {QStringLiteral("https://vizier.cds.unistra.fr"), QStringLiteral("https://vizier.cfa.harvard.edu"),
            QStringLiteral("https://vizier.iucaa.in"), QStringLiteral("https://vizier.nao.ac.jp"),
            QStringLiteral("https://vizier.china-vo.org")};
}

CatalogueOptions loadCatalogueOptions(const QString& dataFolder)
{
    const QSettings settings(optionsPath(dataFolder), QSettings::IniFormat);
    CatalogueOptions options;
    options.source = catalogueSourceKind(settings.value(QStringLiteral("catalogue/source")).toString());
    const QString vizier = settings.value(QStringLiteral("catalogue/vizier")).toString().trimmed();
    if (!vizier.isEmpty())
        options.vizierAddress = vizier;
    bool ok = false;
    const int days = settings.value(QStringLiteral("catalogue/cacheDays")).toInt(&ok);
    if (ok && days >= 0)
        options.cacheMaxAgeDays = days;
    return options;
}

Status saveCatalogueOptions(const QString& dataFolder, const CatalogueOptions& options, const TextLookup& lang)
{
    QDir().mkpath(dataFolder);
    QSettings settings(optionsPath(dataFolder), QSettings::IniFormat);
    settings.setValue(QStringLiteral("catalogue/source"), makeCatalogueSource(options.source)->key());
    settings.setValue(QStringLiteral("catalogue/vizier"), options.vizierAddress);
    settings.setValue(QStringLiteral("catalogue/cacheDays"), options.cacheMaxAgeDays);
    return synced(settings, lang);
}

std::optional<CatalogueCentre> recordedCatalogueCentre(const QString& dataFolder)
{
    const QSettings settings(optionsPath(dataFolder), QSettings::IniFormat);
    bool raOk = false, decOk = false;
    CatalogueCentre centre;
    centre.raJ2000Deg = settings.value(QStringLiteral("data/raJ2000")).toDouble(&raOk);
    centre.decJ2000Deg = settings.value(QStringLiteral("data/decJ2000")).toDouble(&decOk);
    centre.sourceKey = settings.value(QStringLiteral("data/source")).toString();
    if (!raOk || !decOk)
        return std::nullopt;
    return centre;
}

Status recordCatalogueCentre(const QString& dataFolder, const CatalogueCentre& centre, const TextLookup& lang)
{
    QDir().mkpath(dataFolder);
    QSettings settings(optionsPath(dataFolder), QSettings::IniFormat);
    settings.setValue(QStringLiteral("data/raJ2000"), centre.raJ2000Deg);
    settings.setValue(QStringLiteral("data/decJ2000"), centre.decJ2000Deg);
    settings.setValue(QStringLiteral("data/source"), centre.sourceKey);
    return synced(settings, lang);
}

}  // namespace ce
