#pragma once
// The language table: every caption, message and hint of the user interface,
// read once at start-up from lang.cfg.
//
// Sections of the file, in order, each closed by its marker line (compared
// exactly): heading line, configuration-window texts, "[CONFIG2]", [CONFIG2]
// texts, "[FORM]", [FORM] texts, "[WIZARD]", [WIZARD] texts, "[SUGESTIONS]",
// suggestions, "[END]". The marker that closes a section takes the slot after
// the section's last text. Capacities (marker included): 20 configuration
// texts (slots 1..20), 20 [CONFIG2], 200 [FORM], 25 [WIZARD], 41 suggestions
// (slots 0..40).
//
// Messages from 21 on and suggestions from 15 on came with later versions
// of the program: a language file written before them (a user's own
// translation) simply lacks those lines, and the program then uses its own
// French text (the shipped lang.cfg built into the program, see
// builtin_texts.h) instead of failing.
//
// Every other text follows "[END]" as lines "key=text" (key: lower-case
// letters, digits, "." and "_", prefixed by area: "ui.", "box.", "calib."...);
// any other line there is ignored, so a file without them still reads, and
// a key the file lacks takes the built-in French text too. A text may hold
// %1, %2 for the values the program puts in, and "\n" for a line break
// (a box's text of several lines).

#include "core/result.h"

#include <QString>
#include <QStringList>

#include <array>
#include <map>

namespace ce {

struct LanguageTable {
    std::array<QString, 21> config{};     // configuration text N = config[N], N >= 1
    std::array<QString, 21> config2{};    // [CONFIG2] line N
    std::array<QString, 201> form{};      // [FORM] line N
    std::array<QString, 26> wizard{};     // [WIZARD] line N
    std::array<QString, 41> suggestions{};// suggestion N, N >= 0
    std::array<QString, 156> messages{};  // language message N (filled by fillMessages)

    // Language message N, 0..155: the file's text, or for N >= 21 the
    // program's own French text when the file has none; empty outside.
    QString message(int n) const;
    // Suggestion N, 0..40, with the same fallback from 15 on; empty outside.
    QString suggestion(int n) const;

    // Language message N := [FORM] line 45 + N for N = 0..155 (the key "Form").
    void fillMessages();

    std::map<QString, QString> keyed{};   // the "key=text" lines after [END]
    // The text for `key`: the file's, else the program's own French; the key
    // itself only when neither has it, so that a missing line shows which
    // text is wanted instead of nothing.
    QString text(const QString& key) const;
};

// Parses the lines of lang.cfg (already split, line ends removed). Fails with
// a French message naming the line number where reading stopped: a missing
// marker (« … le marqueur [FORM] est introuvable (fin du fichier à la ligne
// 12) ») or a section over its capacity.
Result<LanguageTable> parseLanguageTable(const QStringList& lines);

// Reads the language file at `path` and parses it. Fails with the file's
// own reason when it cannot be read, or with the parsing message (which
// then names the file).
Result<LanguageTable> loadLanguageFile(const QString& path);

// Reads programFolder + "/lang.cfg" and parses it. Fails with the file's
// own reason when it cannot be read, or with the parsing message (which
// then names the file).
Result<LanguageTable> loadLanguageTable(const QString& programFolder);

}  // namespace ce
