#pragma once
// The service named in serveur.cfg, asked with the usnoa_res protocol
// (catalogue/query_address.h). Its answer page is kept byte for byte.

#include "catalogue/sources/catalogue_source.h"

namespace ce {

class ServiceSource final : public CatalogueSource {
public:
    CatalogueSourceKind kind() const override { return CatalogueSourceKind::Service; }
    QString key() const override;
    // The query of catalogueQueryAround, unchanged.
    Result<QString> pathAndQuery(const FieldRequest& request, const TextLookup& lang) const override;
    // The answer unchanged; an answer without the data marker "</b>   1 U"
    // fails (catalogue.read.nostars, with the bytes received).
    Result<QByteArray> readerAnswer(const QByteArray& answer, const FieldRequest& request,
                                    const TextLookup& lang) const override;
};

}  // namespace ce
