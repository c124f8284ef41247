#pragma once
// The language files beside the program and the one chosen for the next
// start.
//
// A language file is lang*.cfg in the program folder ("lang.cfg" is the
// French one and the default); its name for the user is its heading line
// (the file's first line). The choice is a file name only, kept in
// options.ini of the data folder (see program_options.h), so a choice
// never reaches outside the program folder.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QList>
#include <QString>

namespace ce {

inline constexpr char kDefaultLanguageFile[] = "lang.cfg";

struct LanguageFile {
    QString fileName;  // e.g. "lang-en.cfg", no folder
    QString name;      // its heading line; the file name when unreadable or empty
};

// Every lang*.cfg of `programFolder`, "lang.cfg" first, then by file name.
// `lang` words the reading of the files, whose failures only leave a file
// named by its file name.
QList<LanguageFile> findLanguageFiles(const QString& programFolder, const TextLookup& lang);

// The file name to read at start-up for the saved choice `chosen`: its
// file-name part, or "lang.cfg" when nothing was chosen or the choice does
// not look like a language file (lang*.cfg).
QString languageFileToRead(const QString& chosen);

}  // namespace ce
