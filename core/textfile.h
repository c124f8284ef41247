#pragma once
// Line-oriented text files: the program's configuration, language and
// project files, and the downloaded catalogue answer.
//
// Reading: the bytes are UTF-8 when they are valid UTF-8 (a leading byte
// order mark is dropped), Windows-1252 otherwise; a line ends at CR LF, CR or
// LF, and a final line end does not make an extra empty line.
// Writing: every line is followed by CR LF; the bytes are Windows-1252 when
// every character has a Windows-1252 byte, UTF-8 otherwise, so nothing typed
// is lost. Files are replaced atomically (QSaveFile): a failed save leaves
// the previous file as it was.
// Failures are worded by the "file." and "reason." texts of the lookup the
// caller passes, so they read in the language in use.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ce {

// Windows-1252 bytes to text. Every byte maps to one character; the five
// bytes that Windows-1252 leaves unassigned (81, 8D, 8F, 90, 9D) map to the
// control characters of the same value, as Latin-1 does.
QString decodeWindows1252(const QByteArray& bytes);

// Text to Windows-1252 bytes. Fails with text "file.not_cp1252" of `lang`
// (the character's code point, four hex digits) when a character has no
// byte there.
Result<QByteArray> encodeWindows1252(const QString& text, const TextLookup& lang);

// Bytes of a text file to text: UTF-8 when valid, else Windows-1252.
QString decodeText(const QByteArray& bytes);

// Text to the bytes a text file holds: Windows-1252 when every character
// fits and the result reads back unchanged through decodeText, UTF-8
// otherwise. (Windows-1252 bytes that happen to form valid UTF-8, such as
// "Ã©", would read back as other characters; such texts go out as UTF-8.)
QByteArray encodeText(const QString& text);

// Splits at CR LF, CR or LF; a final line end makes no extra empty line.
// An empty text gives no line.
QStringList splitLines(const QString& text);

// The whole file as bytes. Errors: text "file.not_found" (the path) when
// the file does not exist, else "file.read_failed" (the path, the system's
// reason from core/system_reason.h).
Result<QByteArray> readFileBytes(const QString& path, const TextLookup& lang);

// The lines of a text file (see above). Errors as readFileBytes.
Result<QStringList> readTextLines(const QString& path, const TextLookup& lang);

// Replaces the file with the lines, each followed by CR LF. Error: text
// "file.save_failed" (the path, the system's reason); the previous file is
// then untouched.
Status writeTextLines(const QString& path, const QStringList& lines, const TextLookup& lang);

// Replaces the file with the bytes, atomically; errors as writeTextLines.
Status writeFileBytes(const QString& path, const QByteArray& bytes, const TextLookup& lang);

}  // namespace ce
