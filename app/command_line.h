#pragma once
// The program's command line and environment.
//
//   cinq-etoiles [--service URL]
//
// --service URL (or "--service=URL") gives the catalogue service's base
// address for this run only, whatever serveur.cfg or the chosen VizieR
// mirror says; without it, a non-empty CINQ_ETOILES_SERVICE environment
// variable does the same. Nothing is written back: the next run without
// them uses serveur.cfg again.

#include "core/program_paths.h"
#include "core/result.h"
#include "core/text_lookup.h"

#include <QString>
#include <QStringList>

namespace ce {

inline constexpr char kServiceVariable[] = "CINQ_ETOILES_SERVICE";

// applyCommandLine
// Given: the arguments (the first is the program's name), the value of the
//        environment variable (empty when unset) and the paths to complete.
// Returns: the paths with serviceAddress and serviceOrigin set (the option
//          before the variable; the address as given, checked when a
//          download uses it).
// Fails (the reason, then the usage line usage.line of `lang`) on an
//        unknown option, a --service without its address, or any other
//        argument (usage.unexpected).
Result<ProgramPaths> applyCommandLine(const QStringList& arguments, const QString& serviceVariable,
                                      const TextLookup& lang,
                                      ProgramPaths paths);

}  // namespace ce
