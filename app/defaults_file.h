#pragma once
// defaut.cfg: the user's usual reduction parameters, nine lines.
//
// Lines 1..8 are field texts exactly as typed (txt_calcul, txt_corrasd,
// txt_corrdec, txt_distance, txt_mag, txt_mag2, txt_tolerance, txt_url);
// line 9 is the state of the CheckDecideur box (0 clear, 1 ticked,
// 2 greyed). Loading is tolerant: it stops at the first bad or missing line
// and keeps what it had read; it never reports anything.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace ce {

struct DefaultSettings {
    QString txt_calcul = QStringLiteral("10");
    QString txt_corrasd;
    QString txt_corrdec;
    QString txt_distance = QStringLiteral("20");
    QString txt_mag = QStringLiteral("13");
    QString txt_mag2 = QStringLiteral("16");
    QString txt_tolerance = QStringLiteral("7");
    QString txt_url;
    int CheckDecideur = 0;  // the window passes its layout state in `base`
};

inline constexpr int kDefaultsLineCount = 9;

struct DefaultsReading {
    DefaultSettings settings;  // the file's values for the first valuesRead
    int valuesRead = 0;        // 0..9, in file order
};

// Given the file's lines, the decimal separator of the locale rule (used for
// line 9) and the values to keep where the file says nothing; returns the
// settings with the first valuesRead values taken from the file. Line 9 is
// rounded half to even to a 16-bit integer and must then be 0, 1 or 2.
DefaultsReading readDefaults(const QStringList& lines, const DefaultSettings& base,
                             QChar decimalPoint);

// The nine lines of the file.
QStringList defaultsLines(const DefaultSettings& settings);

// programFolder + "/defaut.cfg"
QString defaultsPath(const QString& programFolder);

// Reads the file beside the program; a missing or unreadable file reads
// nothing (valuesRead 0). Uses the system locale's decimal separator.
DefaultsReading loadDefaults(const QString& programFolder, const DefaultSettings& base, const TextLookup& lang);

// Writes the nine lines, replacing the file as a whole; a failure is worded
// by `lang`.
Status saveDefaults(const QString& programFolder, const DefaultSettings& settings, const TextLookup& lang);

}  // namespace ce
