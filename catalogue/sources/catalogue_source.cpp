#include "catalogue/sources/catalogue_source.h"

#include "catalogue/sources/service_source.h"
#include "catalogue/sources/vizier_gaia_source.h"
#include "catalogue/sources/vizier_usno_source.h"

namespace ce {

std::unique_ptr<CatalogueSource> makeCatalogueSource(CatalogueSourceKind kind)
{
    switch (kind) {
    case CatalogueSourceKind::VizierUsnoA2:
        return std::make_unique<VizierUsnoSource>();
    case CatalogueSourceKind::VizierGaiaDr3:
        return std::make_unique<VizierGaiaSource>();
    case CatalogueSourceKind::Service:
        break;
    }
    return std::make_unique<ServiceSource>();
}

CatalogueSourceKind catalogueSourceKind(const QString& key)
{
    for (const auto kind : {CatalogueSourceKind::VizierUsnoA2, CatalogueSourceKind::VizierGaiaDr3})
        if (makeCatalogueSource(kind)->key() == key)
            return kind;
    return CatalogueSourceKind::Service;
}

}  // namespace ce
