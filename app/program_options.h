#pragma once
// The program's own settings that none of the original files has room for,
// kept between runs in options.ini in the data folder (INI format).
//
// A missing or unreadable file gives the defaults; each setting is written
// back the moment the user changes it.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QString>

namespace ce {

struct ProgramOptions {
    // After "Oui", fit the solution to every catalogue star measured on the
    // image (on), or keep the three-star solution exactly (off).
    bool refineSolution = true;
    // The language file chosen for the next start (a file name beside the
    // program); empty: lang.cfg.
    QString languageFile;
};

// The options file of a data folder: dataFolder + "/options.ini".
QString optionsPath(const QString& dataFolder);

// Reads the options; what the file lacks keeps its default.
ProgramOptions loadOptions(const QString& dataFolder);

// Writes the options into the file, keeping the other keys it holds.
// A failure is options.save_failed of `lang`, naming the file.
Status saveOptions(const QString& dataFolder, const ProgramOptions& options, const TextLookup& lang);

}  // namespace ce
