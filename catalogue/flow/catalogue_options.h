#pragma once
// The catalogue settings kept in the data folder's options.ini (QSettings,
// INI format), and the record of which field data.txt belongs to.
//
//   [catalogue]
//   source=service | vizier-usnoa2 | vizier-gaiadr3
//   vizier=https://vizier.cds.unistra.fr      (the VizieR mirror's base address)
//   cacheDays=30                              (0: never serve from the cache)
//   [data]
//   raJ2000=23.708333                         (centre of the field data.txt
//   decJ2000=22.183611                         was downloaded for, degrees)
//   source=vizier-gaiadr3

#include "catalogue/sources/catalogue_source.h"
#include "core/result.h"
#include "core/text_lookup.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ce {

// The official VizieR mirrors offered in Options > Catalogue; the first is
// the default.
QStringList vizierMirrors();

struct CatalogueOptions {
    CatalogueSourceKind source = CatalogueSourceKind::Service;
    QString vizierAddress = vizierMirrors().first();
    int cacheMaxAgeDays = 30;
};

// The settings in `dataFolder`/options.ini; defaults for what is missing or
// unusable (an unknown source is the present service; a negative age 30).
CatalogueOptions loadCatalogueOptions(const QString& dataFolder);
// Writes them; fails with text "file.not_saved" of `lang` naming options.ini
// when it cannot.
Status saveCatalogueOptions(const QString& dataFolder, const CatalogueOptions& options, const TextLookup& lang);

struct CatalogueCentre {
    double raJ2000Deg = 0;
    double decJ2000Deg = 0;
    QString sourceKey;
};

// The field centre recorded for data.txt, if any.
std::optional<CatalogueCentre> recordedCatalogueCentre(const QString& dataFolder);
// Records it; fails as saveCatalogueOptions.
Status recordCatalogueCentre(const QString& dataFolder, const CatalogueCentre& centre, const TextLookup& lang);

}  // namespace ce
