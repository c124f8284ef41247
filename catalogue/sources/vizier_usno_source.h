#pragma once
// USNO-A2.0 (VizieR catalogue I/252, table I/252/out) from a VizieR-style
// ASU service.
//
// Asked columns: USNO-A2.0 ("1050-01234567"), RAJ2000 and DEJ2000 (degrees,
// J2000.0), Rmag, Bmag; sorted on Rmag, limited to Rmag < Mag max.
// Identifiers are written in the present service's form "U1050_01234567",
// so that a star has the same identification whichever source gave it.

#include "catalogue/sources/catalogue_source.h"

namespace ce {

class VizierUsnoSource final : public CatalogueSource {
public:
    CatalogueSourceKind kind() const override { return CatalogueSourceKind::VizierUsnoA2; }
    QString key() const override;
    Result<QString> pathAndQuery(const FieldRequest& request, const TextLookup& lang) const override;
    // Fails on a missing column or on a row whose identifier or position
    // cannot be read (naming the row); an empty magnitude is written blank.
    Result<QByteArray> readerAnswer(const QByteArray& answer, const FieldRequest& request,
                                    const TextLookup& lang) const override;
};

// "1050-01234567" -> "U1050_01234567"; empty when the text is not 4 digits,
// "-", 8 digits.
QString usnoIdentifierFromVizier(const QString& vizierId);

}  // namespace ce
