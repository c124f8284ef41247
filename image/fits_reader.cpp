#include "image/fits_reader.h"

#include "image/fits_hdu.h"

#include <QFile>
#include <QLocale>

#include <fitsio.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace ce {

namespace {

struct FitsCloser {
    void operator()(fitsfile* file) const
    {
        int status = 0;
        fits_close_file(file, &status);
    }
};
using FitsHandle = std::unique_ptr<fitsfile, FitsCloser>;

QString cfitsioReason(int status)
{
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    // The detailed message stack says more (which keyword, which HDU); its
    // first line is enough.
    char detail[FLEN_ERRMSG] = {};
    QString reason = QString::fromLatin1(text);
    if (fits_read_errmsg(detail) != 0 && detail[0] != '\0')
        reason += QStringLiteral(" : ") + QString::fromLatin1(detail).trimmed();
    fits_clear_errmsg();
    return reason;
}

QString unreadable(const QString& path, int status, const TextLookup& lang)
{
    return lang.text(QStringLiteral("fits.unreadable")).arg(path, cfitsioReason(status));
}

// The card's value as text: a string without its quotes (a doubled quote
// inside stands for one), anything else as written.
QString cardValue(const char* raw)
{
    QString value = QString::fromLatin1(raw).trimmed();
    if (value.size() >= 2 && value.startsWith(u'\'') && value.endsWith(u'\'')) {
        value = value.mid(1, value.size() - 2);
        value.replace(QStringLiteral("''"), QStringLiteral("'"));
        while (value.endsWith(u' '))
            value.chop(1);
    }
    return value;
}

QList<HeaderCard> readHeader(fitsfile* file, int& status)
{
    QList<HeaderCard> cards;
    int count = 0;
    fits_get_hdrspace(file, &count, nullptr, &status);
    for (int n = 1; n <= count && status == 0; ++n) {
        char key[FLEN_KEYWORD] = {}, value[FLEN_VALUE] = {}, comment[FLEN_COMMENT] = {};
        fits_read_keyn(file, n, key, value, comment, &status);
        if (status == 0 && key[0] != '\0')
            cards.append({QString::fromLatin1(key).trimmed().toUpper(), cardValue(value),
                          QString::fromLatin1(comment)});
    }
    return cards;
}

}  // namespace

QString imageTooLargeMessage(std::int64_t width, std::int64_t height, std::int64_t bytesNeeded,
                             std::int64_t bytesAllowed, const TextLookup& lang)
{
    const QLocale locale(lang.text(QStringLiteral("ui.locale")));
    const double megapixels = double(width) * double(height) / 1e6;
    const auto mebibytes = [](std::int64_t bytes) { return QString::number((bytes + (1 << 20) - 1) >> 20); };
    return lang.text(QStringLiteral("image.too_large"))
        .arg(QString::number(width), QString::number(height), locale.toString(megapixels, 'f', 1),
             mebibytes(bytesNeeded), mebibytes(bytesAllowed));
}

bool looksLikeFits(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(9) == QByteArrayLiteral("SIMPLE  =");
}

Result<FitsImage> readFitsImage(const QString& path, std::int64_t maxBytes, const TextLookup& lang)
{
    if (!QFile::exists(path))
        return Result<FitsImage>::failure(lang.text(QStringLiteral("file.not_found")).arg(path));
    int status = 0;
    fitsfile* raw = nullptr;
    // CFITSIO reads its own extended file-name syntax ("x.fits[1]"); the
    // disk-file entry point takes the name literally.
    const QByteArray name = QFile::encodeName(path);
    fits_open_diskfile(&raw, name.constData(), READONLY, &status);
    if (status != 0)
        return Result<FitsImage>::failure(unreadable(path, status, lang));
    FitsHandle file(raw);

    if (!moveToFirstImage(file.get(), status)) {
        if (status != 0)
            return Result<FitsImage>::failure(unreadable(path, status, lang));
        return Result<FitsImage>::failure(lang.text(QStringLiteral("fits.no_image")).arg(path));
    }

    FitsImage image;
    int axes = 0;
    LONGLONG size[3] = {0, 0, 1};
    fits_get_img_paramll(file.get(), 3, &image.bitpix, &axes, size, &status);
    if (status != 0)
        return Result<FitsImage>::failure(unreadable(path, status, lang));
    const std::int64_t width = size[0], height = size[1];
    const std::int64_t bytesNeeded = width * height * std::int64_t(sizeof(float));
    if (width <= 0 || height <= 0 || width > 1000000 || height > 1000000)
        return Result<FitsImage>::failure(lang.text(QStringLiteral("fits.bad_size")).arg(path));
    if (bytesNeeded > maxBytes)
        return Result<FitsImage>::failure(imageTooLargeMessage(width, height, bytesNeeded, maxBytes, lang));

    image.header = readHeader(file.get(), status);
    if (status != 0)
        return Result<FitsImage>::failure(unreadable(path, status, lang));

    // The first plane in one read, FITS row 1 first; then the rows are put
    // in display order, from the top.
    image.plane.width = int(width);
    image.plane.height = int(height);
    image.plane.values.resize(std::size_t(width * height));
    float blank = std::nanf("");
    LONGLONG first[3] = {1, 1, 1};
    int anyBlank = 0;
    fits_read_pixll(file.get(), TFLOAT, first, width * height, &blank, image.plane.values.data(), &anyBlank,
                    &status);
    float* values = image.plane.values.data();
    for (std::int64_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(values + top * width, values + (top + 1) * width, values + bottom * width);
    if (status != 0)
        return Result<FitsImage>::failure(unreadable(path, status, lang));
    return Result<FitsImage>::success(std::move(image));
}

}  // namespace ce
