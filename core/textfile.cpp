#include "core/textfile.h"

#include "core/system_reason.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <variant>

namespace ce {
namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the code page is Latin-1. The
// five unassigned bytes keep their own value (C1 controls).
constexpr std::array<char16_t, 32> kCp1252High = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

bool isAscii(const QByteArray& bytes)
{
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) return false;
    return true;
}

// The text when the bytes are valid UTF-8 (a leading byte order mark dropped).
std::optional<QString> decodeUtf8Strict(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end of the bytes is an error too,
    // not a state kept for a next call.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

// The Windows-1252 bytes of the text, or its first character that has no
// byte there.
std::variant<QByteArray, char16_t> toWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        const auto high = std::find(kCp1252High.begin(), kCp1252High.end(), u);
        if (high == kCp1252High.end())
            return u;
        bytes.append(static_cast<char>(0x80 + (high - kCp1252High.begin())));
    }
    return bytes;
}

QString saveErrorMessage(const QString& path, const QString& reason, const TextLookup& lang)
{
    return lang.text(QStringLiteral("file.save_failed")).arg(path, reason);
}

QString readErrorMessage(const QString& path, const QString& reason, const TextLookup& lang)
{
    return lang.text(QStringLiteral("file.read_failed")).arg(path, reason);
}

// A save killed between writing its temporary file ("config.cfg.Ab12Cd")
// and the rename leaves that file behind. The next save of the same file
// removes such leftovers once they are old enough that no other save can
// still be writing them.
void removeStaleSaveFiles(const QString& path)
{
    constexpr qint64 kStaleAfterSeconds = 60;
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QRegularExpression leftover(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(target.fileName())
                                            + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfoList candidates = folder.entryInfoList(
        {target.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : candidates) {
        if (leftover.match(info.fileName()).hasMatch()
            && info.lastModified().toUTC().secsTo(now) > kStaleAfterSeconds)
            QFile::remove(info.absoluteFilePath());
    }
}

}  // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kCp1252High[byte - 0x80]) : QChar(char16_t(byte));
    }
    return text;
}

Result<QByteArray> encodeWindows1252(const QString& text, const TextLookup& lang)
{
    std::variant<QByteArray, char16_t> encoded = toWindows1252(text);
    if (const char16_t* missing = std::get_if<char16_t>(&encoded))
        return Result<QByteArray>::failure(lang.text(QStringLiteral("file.not_cp1252"))
                                               .arg(QString::number(*missing, 16).toUpper(), 4, u'0'));
    return Result<QByteArray>::success(std::get<QByteArray>(std::move(encoded)));
}

QString decodeText(const QByteArray& bytes)
{
    if (std::optional<QString> utf8 = decodeUtf8Strict(bytes)) return *utf8;
    return decodeWindows1252(bytes);
}

QByteArray encodeText(const QString& text)
{
    const std::variant<QByteArray, char16_t> encoded = toWindows1252(text);
    // Windows-1252 only when reading the bytes back gives the same text: pure
    // ASCII, or bytes that are not valid UTF-8 (so no reader takes them as
    // UTF-8) and carry no byte order mark.
    if (const QByteArray* cp1252 = std::get_if<QByteArray>(&encoded);
        cp1252 && (isAscii(*cp1252) || !decodeUtf8Strict(*cp1252)))
        return *cp1252;
    // A text that itself begins with U+FEFF gets a byte order mark in front,
    // which the reader drops, so the text's own one survives the round trip.
    if (text.startsWith(QChar(0xFEFF)))
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return text.toUtf8();
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(text.mid(start));
    return lines;
}

Result<QByteArray> readFileBytes(const QString& path, const TextLookup& lang)
{
    QFile file(path);
    if (!QFileInfo::exists(path))
        return Result<QByteArray>::failure(lang.text(QStringLiteral("file.not_found")).arg(path));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return Result<QByteArray>::failure(readErrorMessage(path, fileErrorReason(file.error(), errno, lang), lang));
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Result<QByteArray>::failure(readErrorMessage(path, fileErrorReason(file.error(), errno, lang), lang));
    return Result<QByteArray>::success(bytes);
}

Result<QStringList> readTextLines(const QString& path, const TextLookup& lang)
{
    const Result<QByteArray> bytes = readFileBytes(path, lang);
    if (!bytes) return Result<QStringList>::failure(bytes.error());
    return Result<QStringList>::success(splitLines(decodeText(*bytes)));
}

Status writeFileBytes(const QString& path, const QByteArray& bytes, const TextLookup& lang)
{
    removeStaleSaveFiles(path);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(saveErrorMessage(path, fileErrorReason(file.error(), errno, lang), lang));
    // A small write only fills QSaveFile's buffer; the bytes reach the disk
    // at flush(). Qt's commit() renames the temporary file over the old one
    // even when that last write failed (a full disk), so the write and the
    // flush are both checked here, before anything replaces the old file.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = fileErrorReason(file.error(), errno, lang);
        file.cancelWriting();
        file.commit();  // after cancelWriting: removes the temporary file only
        return Status::failure(saveErrorMessage(path, reason, lang));
    }
    errno = 0;
    if (!file.commit())
        return Status::failure(saveErrorMessage(path, fileErrorReason(file.error(), errno, lang), lang));
    return succeeded();
}

Status writeTextLines(const QString& path, const QStringList& lines, const TextLookup& lang)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return writeFileBytes(path, encodeText(text), lang);
}

}  // namespace ce
