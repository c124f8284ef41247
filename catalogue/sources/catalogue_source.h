#pragma once
// Where the stars of a field come from: one catalogue source behind one
// small interface.
//
// Usage:
//  1. Build a FieldRequest from the field (catalogueQueryAround gives the
//     J2000.0 centre and the texts of the present service's query).
//  2. makeCatalogueSource(kind) gives the source; pathAndQuery(request) is
//     what to append to the service's base address ("http://host[:port]").
//  3. readerAnswer(answer bytes, request) turns the service's answer into
//     the page that the catalogue reader reads (catalogue/catalogue_reader.h:
//     a "</b>" marker, then 65-column records with the identifier in columns
//     6-19, RA and Dec J2000.0 in degrees, red and blue magnitudes), so that
//     the reader, the matching and the overlay stay the same whatever the
//     source. An answer the source cannot read fails with a reason worded
//     in the language it is given.

#include "catalogue/query_address.h"
#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace ce {

enum class CatalogueSourceKind {
    Service,       // the service named in serveur.cfg, usnoa_res protocol
    VizierUsnoA2,  // VizieR-style ASU, catalogue I/252 (USNO-A2.0)
    VizierGaiaDr3, // VizieR-style ASU, catalogue I/355/gaiadr3 (Gaia DR3)
};

// What a source needs of the field.
struct FieldRequest {
    CatalogueQuery query;   // J2000.0 centre (degrees) and the present service's texts
    QString epochText;      // txt_epoch as typed
    QString radiusText;     // txt_distance, arcminutes, as typed
    QString magnitudeText;  // txt_mag (or txt_mag2 for the full map), as typed
};

class CatalogueSource {
public:
    virtual ~CatalogueSource() = default;
    virtual CatalogueSourceKind kind() const = 0;
    // A short stable name, used in the cache key and options.ini
    // ("service", "vizier-usnoa2", "vizier-gaiadr3").
    virtual QString key() const = 0;
    // The path and query string of the one GET, or the reason, worded in
    // `lang`, why the field cannot be asked for (a radius or magnitude that
    // is not a number).
    virtual Result<QString> pathAndQuery(const FieldRequest& request, const TextLookup& lang) const = 0;
    // The service's answer as the page the catalogue reader reads, or why
    // the answer cannot be read (catalogue.read.*).
    virtual Result<QByteArray> readerAnswer(const QByteArray& answer, const FieldRequest& request,
                                            const TextLookup& lang) const = 0;
};

std::unique_ptr<CatalogueSource> makeCatalogueSource(CatalogueSourceKind kind);

// The kind named by key(); Service for an unknown name.
CatalogueSourceKind catalogueSourceKind(const QString& key);

}  // namespace ce
