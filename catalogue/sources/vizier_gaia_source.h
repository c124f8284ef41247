#pragma once
// Gaia DR3 (VizieR catalogue I/355/gaiadr3) from a VizieR-style ASU service.
//
// Asked columns: Source (source_id), RA_ICRS and DE_ICRS (degrees, ICRS,
// epoch 2016.0), pmRA (mu_alpha*, mas/yr) and pmDE (mas/yr), Gmag, BPmag,
// RPmag; sorted on Gmag, limited to Gmag < Mag max.
// Every position is carried linearly from 2016.0 to the observation epoch
// (the Epoch box, a year) with its proper motion (catalogue/sources/
// proper_motion.h); a star without proper motion stays where it is. The red
// magnitude written is RP, the blue one BP. Each record carries the whole
// identifier after column 65 ("Gaia DR3 <source_id>", catalogueRecordNote).

#include "catalogue/sources/catalogue_source.h"

namespace ce {

inline constexpr double kGaiaDr3EpochYear = 2016.0;

class VizierGaiaSource final : public CatalogueSource {
public:
    CatalogueSourceKind kind() const override { return CatalogueSourceKind::VizierGaiaDr3; }
    QString key() const override;
    // Fails, before any request, when the Epoch box does not hold a year
    // between 1000 and 3000.
    Result<QString> pathAndQuery(const FieldRequest& request, const TextLookup& lang) const override;
    // Fails on a missing column, on a row whose source_id or position cannot
    // be read (naming the row), and when the Epoch box does not hold a year
    // between 1000 and 3000.
    Result<QByteArray> readerAnswer(const QByteArray& answer, const FieldRequest& request,
                                    const TextLookup& lang) const override;
};

// The identifier written in the 14 columns the reader keeps: "DR3 " and the
// source_id, or only its last 10 digits when it is longer (a source_id has
// up to 19 digits; the last ones tell the stars of one field apart).
QString gaiaShortIdentifier(const QString& sourceId);

}  // namespace ce
