#pragma once
// The transfer encodings a catalogue request accepts, and undoing them.
//
// Requests ask for "gzip, identity" only: gzip is cheap to make and to
// undo, while the heavier encodings a network library offers by default
// (brotli, zstd) cost the service far more time than the transfer they save
// on an answer of a few hundred kilobytes.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QByteArray>

namespace ce {

inline constexpr char kAcceptedEncodings[] = "gzip, identity";

// decodeAnswerBody
// Given: the Content-Encoding header of the answer (case-insensitive; empty
//        or "identity" for none) and the body, and the largest decoded size
//        accepted, bytes.
// Returns: the decoded body.
// Fails, worded in `lang`, on another encoding (catalogue.read.encoding),
//        on a gzip stream that is damaged (catalogue.read.gzip) or cut short
//        (catalogue.read.gzipcut), and on one that decodes to more than
//        maxBytes (catalogue.read.toolarge).
Result<QByteArray> decodeAnswerBody(const QByteArray& contentEncoding, const QByteArray& body,
                                    qint64 maxBytes, const TextLookup& lang);

}  // namespace ce
