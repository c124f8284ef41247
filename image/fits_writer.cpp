#include "image/fits_writer.h"

#include <QFile>

#include <fitsio.h>

namespace ce {

namespace {

void writeCard(fitsfile* file, const HeaderCard& card, int& status)
{
    const QByteArray key = card.keyword.toLatin1();
    const QByteArray comment = card.comment.toLatin1();
    const char* note = comment.isEmpty() ? nullptr : comment.constData();
    bool isLong = false, isDouble = false;
    long long whole = card.value.toLongLong(&isLong);
    double real = card.value.toDouble(&isDouble);
    if (isLong) {
        fits_update_key(file, TLONGLONG, key.constData(), &whole, note, &status);
    } else if (isDouble) {
        fits_update_key(file, TDOUBLE, key.constData(), &real, note, &status);
    } else if (card.value == u"T" || card.value == u"F") {
        int logical = card.value == u"T" ? 1 : 0;
        fits_update_key(file, TLOGICAL, key.constData(), &logical, note, &status);
    } else {
        QByteArray text = card.value.toLatin1();
        fits_update_key(file, TSTRING, key.constData(), text.data(), note, &status);
    }
}

template <typename T>
void writeAs(fitsfile* file, int type, const std::vector<double>& stored, int& status)
{
    std::vector<T> values(stored.begin(), stored.end());
    LONGLONG first[3] = {1, 1, 1};
    fits_write_pixll(file, type, first, LONGLONG(values.size()), values.data(), &status);
}

QString failure(const QString& path, int status)
{
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    fits_clear_errmsg();
    return QStringLiteral("Écriture du fichier FITS impossible : %1 (CFITSIO : %2)")
        .arg(path, QString::fromLatin1(text));
}

}  // namespace

Status writeFitsImage(const QString& path, const FitsImageContent& content)
{
    QFile::remove(path);
    QByteArray name = QFile::encodeName(path);
    if (content.tileCompressed)
        name += "[compress R]";
    int status = 0;
    fitsfile* file = nullptr;
    fits_create_file(&file, name.constData(), &status);
    if (status != 0)
        return Status::failure(failure(path, status));
    long axes[3] = {content.width, content.height, content.planes};
    fits_create_img(file, content.bitpix, content.planes > 1 ? 3 : 2, axes, &status);
    for (const HeaderCard& card : content.cards)
        writeCard(file, card, status);
    // The values given are the stored ones: no scaling on the way out.
    if (!content.tileCompressed)
        fits_set_bscale(file, 1.0, 0.0, &status);
    // The tile compressor takes only values of the image's own type.
    switch (content.bitpix) {
    case 8: writeAs<unsigned char>(file, TBYTE, content.stored, status); break;
    case 16: writeAs<short>(file, TSHORT, content.stored, status); break;
    case 32: writeAs<int>(file, TINT, content.stored, status); break;
    case -32: writeAs<float>(file, TFLOAT, content.stored, status); break;
    default: writeAs<double>(file, TDOUBLE, content.stored, status); break;
    }
    int closing = 0;
    fits_close_file(file, &closing);
    if (status == 0)
        status = closing;
    if (status != 0)
        return Status::failure(failure(path, status));
    return succeeded();
}

}  // namespace ce
