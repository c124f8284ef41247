#pragma once
// The French reason for a failure reported by the system.
//
// Qt's own descriptions (QFile::errorString(), strerror) are English; every
// message the program shows is French, so a system failure is named here
// from its error number or from Qt's file error category. Network failures
// have their French reasons beside the download (catalogue/flow), built on
// the same words.

#include <QFileDevice>
#include <QString>

namespace ce {

// systemErrorReason: the French reason for a C library error number.
// Given:  errnoValue, an errno value (ENOSPC, EACCES, ...).
// Returns: a short lower-case French phrase, e.g. « plus de place sur le
//          disque » for ENOSPC; an unknown number gives « erreur système
//          n° <number> ». Never empty.
QString systemErrorReason(int errnoValue);

// fileErrorReason: the French reason for a failed file operation.
// Given:  the QFileDevice error category and the errno value read right
//         after the failing call (0 when unknown).
// Returns: systemErrorReason(errnoValue) when errnoValue is not 0, else a
//          phrase for the category (« écriture impossible » for
//          WriteError, ...). Never empty.
QString fileErrorReason(QFileDevice::FileError error, int errnoValue);

}  // namespace ce
