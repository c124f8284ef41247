#pragma once
// The "1-Download" command: from the field centre typed in the main window
// to a fresh data.txt holding the catalogue service's answer.

#include "core/result.h"

#include <QString>

namespace ce {

class ReductionController;

// readServiceAddress: the base address of the catalogue service.
// Given: the program folder, which holds serveur.cfg (one line,
// "http://host[:port]").
// Returns: the address without a trailing "/", or a message naming the file
// when it is missing, unreadable, empty or holds no http(s) address with a
// host.
Result<QString> readServiceAddress(const QString& programFolder);

// runDownloadData: the whole command, in this order:
//  1. the centre fields by the locale rule (QLocale::system()'s decimal
//     separator) and the J2000.0 query; a field that is not a number stops
//     here, before any request;
//  2. the service address from serveur.cfg;
//  3. language message 8 in the status list; data.txt deleted;
//  4. one GET (the controller's download limits), the body saved unchanged
//     as data.txt in the data folder;
//  5. language message 9.
// Any failure (fields, serveur.cfg, network, HTTP status, time-out, cancel,
// size, an answer without the catalogue's data marker, the file write) puts
// one status line and one message box with the reason, posts no message 9
// and leaves data.txt empty, so that no catalogue of an earlier field is
// read by mistake. Returns whether data.txt holds a new answer.
Status runDownloadData(ReductionController& controller);

}  // namespace ce
