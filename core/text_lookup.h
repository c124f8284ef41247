#pragma once
// The texts the user reads, by key, in the language in use.
//
// Code below the windows that words a message or a label (a report, a
// reading error, a reason) takes one of these from its caller instead of
// holding the words itself, so that the language file decides every text
// and the pure libraries stay free of the language table. The program's
// LanguageTable is one; a key the language lacks gives the program's
// French, and a key nobody knows gives the key itself.
//
// Keys are lower-case letters, digits, "." and "_" ("report.title"); a
// text may hold %1, %2... for values, filled with one multi-argument arg().

#include <QString>

namespace ce {

class TextLookup {
public:
    virtual ~TextLookup() = default;
    virtual QString text(const QString& key) const = 0;

protected:
    TextLookup() = default;
    TextLookup(const TextLookup&) = default;
    TextLookup& operator=(const TextLookup&) = default;
    TextLookup(TextLookup&&) = default;
    TextLookup& operator=(TextLookup&&) = default;
};

}  // namespace ce
