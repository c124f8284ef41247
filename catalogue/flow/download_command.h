#pragma once
// The "1-Download" command: from the field centre typed in the main window
// to a fresh data.txt holding the chosen catalogue source's stars.

#include "app/language_table.h"
#include "core/program_paths.h"
#include "core/result.h"

#include <QString>

namespace ce {

class ReductionController;
struct CatalogueOptions;

// readServiceAddress: the base address of the catalogue service.
// Given: the program folder, which holds serveur.cfg (one line,
// "http://host[:port]").
// Returns: the address without a trailing "/", or a message in `lang`
// (catalogue.address.unknown, catalogue.address.nofile) naming the file when
// it is missing, unreadable, empty or holds no http(s) address with a host.
Result<QString> readServiceAddress(const QString& programFolder, const TextLookup& lang);

// Where a request goes, and where that address came from in the user's
// words (language texts "catalogue.origin.*": serveur.cfg with its path,
// the --service option, the CINQ_ETOILES_SERVICE variable, or the mirror
// chosen in Options > Catalogue).
struct ServiceAddress {
    QString base;    // "http://host[:port]", no trailing "/"
    QString origin;
};

// catalogueServiceAddress: the address given for this run (paths) first,
// else serveur.cfg for the present service, else the chosen VizieR mirror.
// An unusable address fails with a message that names its origin.
Result<ServiceAddress> catalogueServiceAddress(const ProgramPaths& paths, const CatalogueOptions& options,
                                               const LanguageTable& lang);

// runDownloadData: the whole command, in this order:
//  1. the centre fields by the locale rule and the J2000.0 query; the chosen
//     source (options.ini) builds its request; a field that is not a number
//     stops here, before any request;
//  2. the service address (catalogueServiceAddress);
//  3. language message 8 in the status list;
//  4. the answer: from the cache when one no older than the chosen age is
//     kept (text "catalogue.fromcache" in the status list), else one GET
//     (the controller's download limits), kept in the cache once read;
//  5. the source's page saved as data.txt in the data folder (replaced only
//     when complete) and the field's J2000.0 centre recorded beside it;
//  6. language message 9.
// Any failure (fields, address, network, HTTP status, time-out, cancel,
// size, an answer the source cannot read, the file write) puts one status
// line and one message box with the reason (naming where the address came
// from when the service was asked), posts no message 9 and leaves data.txt
// and its recorded centre as they were. Returns whether data.txt holds a
// new answer.
Status runDownloadData(ReductionController& controller);

}  // namespace ce
