#pragma once
// The program's own French texts, and the numbers of the language messages
// and suggestions that later versions added.
//
// The shipped French lang.cfg is built into the program. A language file
// written before a text existed, or a translation that misses one, lacks
// it, and LanguageTable falls back to the built-in French text.
// Texts with %1, %2, ... are filled with one multi-argument arg(), so a
// value that itself holds "%1" is never substituted again.

#include <QString>

namespace ce {

inline constexpr int kFirstLaterMessage = 21;
inline constexpr int kFirstLaterSuggestion = 15;

namespace msg {
// %1 candidate number, %2 candidates found, %3 its decision count.
inline constexpr int kDeciderSkipped = 21;
// %1 candidate number, %2 candidates found.
inline constexpr int kCollinearSkipped = 22;
// %1 stars used, %2 rms pixels, %3 rms arcseconds.
inline constexpr int kRefined = 23;
// %1 the reason.
inline constexpr int kNotRefined = 24;
// %1 declination of the field centre (degrees), %2 Corr Asd, %3 Corr Dec.
inline constexpr int kClassicalCosDec = 25;
inline constexpr int kClassicalNeedsCentre = 26;
// %1 Corr Asd / Corr Dec, %2 cos δ of the centre, %3 suggested Corr Asd.
inline constexpr int kScaleRatioHint = 27;
// %1 stars marked.
inline constexpr int kMarkCount = 28;
// %1 the factor's caption.
inline constexpr int kFullMapNoScale = 29;
inline constexpr int kRefineOption = 30;       // Options menu caption
// %1 stars still marked.
inline constexpr int kMarkRemoved = 31;
// Messages 32 to 39 belong to the image windows.
inline constexpr int kAutoCaption = 40;        // the "5-Auto" button
// %1 sets tried.
inline constexpr int kAutoNothingVerified = 41;
// %1 detections, %2 sets tried, %3 catalogue stars under the brightest
// detections (best candidate), %4 milliseconds.
inline constexpr int kAutoJournal = 42;
// %1 sets tried, %2 of at most, %3 best verification so far.
inline constexpr int kAutoProgress = 43;
}  // namespace msg

namespace sug {
// "calcul" when no candidate was offered to the user.
inline constexpr int kNothingProposed = 15;
}  // namespace sug

struct LanguageTable;

// The French language file the program was built with, read once (messages
// filled). Its own accessors never fall back any further.
const LanguageTable& builtinLanguage();

// The French text of message n (n >= kFirstLaterMessage), empty when the
// program has none.
QString builtinMessage(int n);
// The French text of suggestion n (n >= kFirstLaterSuggestion), empty when
// the program has none.
QString builtinSuggestion(int n);
// The French text for `key`, empty when the program has none.
QString builtinText(const QString& key);

}  // namespace ce
