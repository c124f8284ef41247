#include "image/gui/decoded_image.h"

#include "image/fits_reader.h"

#include <QFileInfo>
#include <QImageReader>

namespace ce {

namespace {

// Why a picture could not be read, in the user's language: the reader's own
// descriptions are English.
QString readerFailure(QImageReader::ImageReaderError error, const TextLookup& lang)
{
    const auto text = [&lang](const char* key) { return lang.text(QLatin1String(key)); };
    switch (error) {
    case QImageReader::FileNotFoundError: return text("image.read.not_found");
    case QImageReader::DeviceError: return text("image.read.device");
    case QImageReader::UnsupportedFormatError: return text("image.read.format");
    case QImageReader::InvalidDataError: return text("image.read.data");
    case QImageReader::UnknownError: break;
    }
    return text("image.read.unknown");
}

bool isSixteenBit(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Grayscale16:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        return true;
    default:
        return false;
    }
}

// The linear plane of a 16-bit picture: the grey count, or the mean of the
// three colour counts.
LinearPlane planeOf16Bit(const QImage& image)
{
    LinearPlane plane;
    plane.width = image.width();
    plane.height = image.height();
    plane.values.resize(std::size_t(plane.width) * std::size_t(plane.height));
    float* out = plane.values.data();
    if (image.format() == QImage::Format_Grayscale16) {
        for (int y = 0; y < plane.height; ++y) {
            const auto* row = reinterpret_cast<const quint16*>(image.constScanLine(y));
            for (int x = 0; x < plane.width; ++x)
                *out++ = float(row[x]);
        }
        return plane;
    }
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA64);
    for (int y = 0; y < plane.height; ++y) {
        const auto* row = reinterpret_cast<const QRgba64*>(rgba.constScanLine(y));
        for (int x = 0; x < plane.width; ++x)
            *out++ = float((double(row[x].red()) + row[x].green() + row[x].blue()) / 3.0);
    }
    return plane;
}

DecodedImage fromLinear(LinearPlane plane, StretchPreset preset)
{
    DecodedImage decoded;
    decoded.bounds = presetBounds(plane, preset);
    decoded.display = renderStretched(plane, decoded.bounds);
    decoded.linear = std::move(plane);
    return decoded;
}

Result<DecodedImage> decodeFits(const QString& path, StretchPreset preset, std::int64_t maxBytes,
                                const TextLookup& lang)
{
    Result<FitsImage> read = readFitsImage(path, maxBytes, lang);
    if (!read)
        return Result<DecodedImage>::failure(read.error());
    DecodedImage decoded = fromLinear(std::move(read.value().plane), preset);
    decoded.header = std::move(read.value().header);
    decoded.fits = true;
    return Result<DecodedImage>::success(std::move(decoded));
}

Result<DecodedImage> decodeWithQt(const QString& path, StretchPreset preset, std::int64_t maxBytes,
                                  const TextLookup& lang)
{
    QImageReader reader(path);
    // Qt's own default stops at 128 MB, about 33 megapixels of 32-bit colour.
    QImageReader::setAllocationLimit(int(std::min<std::int64_t>(maxBytes >> 20, INT32_MAX)));
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (size.isValid()) {
        const std::int64_t bytesPerPixel = isSixteenBit(format) ? 8 : 4;
        const std::int64_t needed = std::int64_t(size.width()) * size.height() * bytesPerPixel;
        if (needed > maxBytes)
            return Result<DecodedImage>::failure(
                imageTooLargeMessage(size.width(), size.height(), needed, maxBytes, lang));
    }
    QImage loaded = reader.read();
    if (loaded.isNull())
        return Result<DecodedImage>::failure(readerFailure(reader.error(), lang));
    if (isSixteenBit(loaded.format())) {
        LinearPlane plane = planeOf16Bit(loaded);
        loaded = QImage();
        return Result<DecodedImage>::success(fromLinear(std::move(plane), preset));
    }
    DecodedImage decoded;
    const bool grey = loaded.format() == QImage::Format_Grayscale8 || loaded.isGrayscale();
    decoded.display = loaded.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    return Result<DecodedImage>::success(std::move(decoded));
}

}  // namespace

std::int32_t DecodedImage::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= display.width() || y >= display.height())
        return -1;
    if (display.format() == QImage::Format_Grayscale8) {
        const std::int32_t grey = display.constScanLine(y)[x];
        return grey * 65793;  // the same level in blue, green and red
    }
    const QRgb rgb = reinterpret_cast<const QRgb*>(display.constScanLine(y))[x];
    return std::int32_t(qBlue(rgb)) * 65536 + std::int32_t(qGreen(rgb)) * 256 + std::int32_t(qRed(rgb));
}

bool isFitsFile(const QString& absolutePath)
{
    const QString name = QFileInfo(absolutePath).fileName().toLower();
    for (const char* suffix : {".fits", ".fit", ".fts", ".fz", ".fits.gz", ".fit.gz"})
        if (name.endsWith(QLatin1String(suffix)))
            return true;
    return looksLikeFits(absolutePath);
}

QImage renderStretched(const LinearPlane& plane, const StretchBounds& bounds)
{
    QImage grey(plane.width, plane.height, QImage::Format_Grayscale8);
    if (grey.isNull())
        return grey;
    for (int y = 0; y < plane.height; ++y) {
        uchar* row = grey.scanLine(y);
        const float* in = plane.values.data() + std::size_t(y) * std::size_t(plane.width);
        for (int x = 0; x < plane.width; ++x)
            row[x] = stretchValue(in[x], bounds);
    }
    return grey;
}

Result<DecodedImage> decodeImageFile(const QString& absolutePath, StretchPreset preset,
                                     std::int64_t maxBytes, const TextLookup& lang)
{
    if (!QFileInfo(absolutePath).isFile())
        return Result<DecodedImage>::failure(lang.text(QStringLiteral("file.not_found")).arg(absolutePath));
    if (isFitsFile(absolutePath))
        return decodeFits(absolutePath, preset, maxBytes, lang);
    return decodeWithQt(absolutePath, preset, maxBytes, lang);
}

}  // namespace ce
