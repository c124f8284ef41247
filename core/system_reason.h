#pragma once
// The reason for a failure reported by the system, in the language in use.
//
// Qt's own descriptions (QFile::errorString(), strerror) are English and
// not the user's choice; every message the program shows is worded by its
// language file, so a system failure is named here from its error number or
// from Qt's file error category, through the "reason." texts. Network
// failures have their reasons beside the download (catalogue/flow), built
// on the same words.

#include "core/text_lookup.h"

#include <QFileDevice>
#include <QString>

namespace ce {

// systemErrorReason: the reason for a C library error number, in `lang`.
// Given:  errnoValue, an errno value (ENOSPC, EACCES, ...).
// Returns: a short lower-case phrase, e.g. text "reason.enospc" (« plus de
//          place sur le disque ») for ENOSPC; an unknown number gives
//          "reason.errno" filled with the number.
QString systemErrorReason(int errnoValue, const TextLookup& lang);

// fileErrorReason: the reason for a failed file operation, in `lang`.
// Given:  the QFileDevice error category and the errno value read right
//         after the failing call (0 when unknown).
// Returns: systemErrorReason(errnoValue, lang) when errnoValue is not 0,
//          else the phrase for the category ("reason.write" for
//          WriteError, ...; "reason.unknown" for none).
QString fileErrorReason(QFileDevice::FileError error, int errnoValue, const TextLookup& lang);

}  // namespace ce
