#pragma once
// Shared by the fuzz targets: a broken property stops the run with the
// property's name, so libFuzzer keeps the input that broke it as a crash.

#include "core/textfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace ce::fuzz {

[[noreturn]] inline void broken(const char* property, const QString& detail = QString())
{
    std::fprintf(stderr, "property broken: %s\n%s\n", property, qUtf8Printable(detail));
    std::abort();
}

inline void require(bool holds, const char* property, const QString& detail = QString())
{
    if (!holds)
        broken(property, detail);
}

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The lines as the program writes them and reads them back: each followed
// by CR LF, encoded as a text file, decoded and split again.
inline QStringList writtenAndReadBack(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return splitLines(decodeText(encodeText(text)));
}

}  // namespace ce::fuzz
