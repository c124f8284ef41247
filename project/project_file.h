#pragma once
// Project files (".pam"): the seventeen parameters of a reduction as typed.
//
// Lines 1..16 are field texts exactly as they stand, in the alphabetical
// order of the field names; line 17 the state of CheckDecideur as a decimal
// integer. Opening checks the whole file before anything is applied, so a
// short or bad file changes no field.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>

namespace ce {

struct ProjectFields {
    QString txt_calcul;
    QString txt_corrasd;
    QString txt_corrdec;
    std::array<QString, 3> txt_dec{};   // degrees, arc-minutes, arc-seconds
    QString txt_dec_sign_show_0;         // "+" or "-"
    QString txt_distance;
    QString txt_epoch;
    QString txt_mag;
    QString txt_mag2;
    std::array<QString, 3> txt_ra{};    // hours, minutes, seconds
    QString txt_tolerance;
    QString txt_url;
    int CheckDecideur = 0;               // 0 clear, 1 ticked, 2 greyed

    friend bool operator==(const ProjectFields&, const ProjectFields&) = default;
};

inline constexpr int kProjectLineCount = 17;

// The name to save under: `chosen` unchanged when it contains ".pam"
// anywhere (letter case counts), else `chosen` + ".pam".
QString projectFileName(const QString& chosen);

// The seventeen lines of the file.
QStringList projectLines(const ProjectFields& fields);

// Given the file's lines (anything after line 17 is ignored), the locale's
// decimal separator for line 17 and the file name for messages. Fails,
// naming the file and the line, when fewer than 17 lines exist or line 17
// is not a whole number 0, 1 or 2 after half-to-even rounding; the reasons
// are "project.read." texts of `lang`.
Result<ProjectFields> parseProject(const QStringList& lines, QChar decimalPoint,
                                   const QString& fileName, const TextLookup& lang);

// Reads and checks the file at `path` (system locale).
Result<ProjectFields> loadProject(const QString& path, const TextLookup& lang);

// Writes the seventeen lines to `path` as given (apply projectFileName
// first); an empty path is refused with project.save.no_name.
Status saveProject(const QString& path, const ProjectFields& fields, const TextLookup& lang);

}  // namespace ce
