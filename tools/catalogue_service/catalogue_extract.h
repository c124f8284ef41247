#pragma once
// The star list that the local catalogue service answers from.
//
// An extract is a plain text file, one star a line:
//
//     U1050_00123456  23.70884 +22.18361 12.3 13.1
//
// identifier, right ascension and declination (J2000.0, decimal degrees,
// "." as separator), red and blue magnitudes; fields separated by blanks or
// tabs. Blank lines and lines starting with "#" are ignored. A line that does
// not fit refuses the whole file, naming the line, so the service never
// answers from half a catalogue.

#include "core/result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace ce::service {

struct CatalogueStar {
    QString id;        // "U" + 4-digit zone + "_" + 8-digit number, 14 characters
    double raDeg = 0;  // right ascension, degrees, J2000.0, 0 <= ra < 360
    double decDeg = 0; // declination, degrees, J2000.0, -90..+90
    double magR = 0;   // red magnitude, -9.9..99.9
    double magB = 0;   // blue magnitude, -9.9..99.9
};

// True for a USNO-A2.0 identifier: "U", four digits, "_", eight digits.
bool isUsnoIdentifier(const QString& id);

// Reads an extract from its text; `sourceName` names it in messages.
// Fails with « Ligne N de <source> illisible : <reason> » on the first bad line.
Result<std::vector<CatalogueStar>> parseExtract(const QByteArray& text, const QString& sourceName);

// Reads the extract file at `path`; a missing or unreadable file fails with
// « Fichier introuvable : <path> » or the system's reason.
Result<std::vector<CatalogueStar>> readExtract(const QString& path);

// The text of an extract holding `stars`, positions with 5 decimals and
// magnitudes with 1 decimal (the catalogue's own precision), LF line ends.
QByteArray extractText(const std::vector<CatalogueStar>& stars);

}  // namespace ce::service
