#pragma once
// Command line of the local catalogue service:
//
//   catalogue-service --extract FILE [--gaia-extract FILE] [--port N]
//                     [--port-file FILE] [--delay-ms N] [--hang] [--status N]
//                     [--no-marker] [--exit-after-seconds N]
//
// --extract feeds the usnoa_res queries and the ASU queries of I/252,
// --gaia-extract (tools/catalogue_service/gaia_extract.h) those of
// I/355/gaiadr3; without it a Gaia query is answered 404.
//
// The service listens on 127.0.0.1 only. Port 0 (the default) takes a free
// port; the port is printed as "PORT <n>" and written to the port file.
// --delay-ms, --hang, --status and --no-marker make it misbehave on purpose
// so that the program's failure handling can be tried against it.

#include "core/result.h"

#include <QString>
#include <QStringList>

namespace ce::service {

struct ServiceOptions {
    QString extractPath;
    QString gaiaExtractPath;    // empty: no Gaia DR3
    int port = 0;               // 0: any free port
    QString portFile;           // empty: none
    int delayMs = 0;            // wait before every answer
    bool hang = false;          // accept requests and never answer them
    int forcedStatus = 0;       // 0: normal answers; else every answer has this status
    bool noMarker = false;      // answer pages without the data-start marker,
                                // ASU answers without their first column
    int exitAfterSeconds = 0;   // 0: run until SIGTERM or SIGINT
};

// Reads the arguments (the first one is the program name). Fails with the
// usage text completed by the reason when an option is unknown, a number is
// out of range or --extract is missing.
Result<ServiceOptions> parseServiceOptions(const QStringList& arguments);

}  // namespace ce::service
