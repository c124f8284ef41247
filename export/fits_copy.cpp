#include "export/fits_copy.h"

#include "core/system_reason.h"
#include "image/fits_hdu.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <fitsio.h>

#include <cerrno>
#include <cstdio>

namespace ce {

namespace {

QString cfitsioFailure(const QString& path, int status, const TextLookup& lang)
{
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    fits_clear_errmsg();
    return lang.text(QStringLiteral("fits.write_failed")).arg(path, QString::fromLatin1(text));
}

void removeOldSolution(fitsfile* file, int& status)
{
    int count = 0;
    fits_get_hdrspace(file, &count, nullptr, &status);
    // From the end, so that the numbers of the cards not yet seen stay.
    for (int n = count; n >= 1 && status == 0; --n) {
        char keyword[FLEN_KEYWORD] = {}, value[FLEN_VALUE] = {}, comment[FLEN_COMMENT] = {};
        fits_read_keyn(file, n, keyword, value, comment, &status);
        if (status == 0 && isWorldCoordinateKeyword(QString::fromLatin1(keyword)))
            fits_delete_record(file, n, &status);
    }
}

void addCards(fitsfile* file, const QList<QByteArray>& cards, int& status)
{
    for (const QByteArray& card : cards) {
        if (status != 0)
            return;
        const QByteArray keyword = card.left(8).trimmed();
        QByteArray record = card;
        if (keyword == "COMMENT" || keyword == "HISTORY" || card.mid(8, 2) != "= ")
            fits_write_record(file, record.constData(), &status);
        else
            fits_update_card(file, keyword.constData(), record.constData(), &status);
    }
}

}  // namespace

bool isWorldCoordinateKeyword(const QString& keyword)
{
    static const QRegularExpression primary(QStringLiteral(
        "^(?:(?:CTYPE|CRVAL|CRPIX|CDELT|CROTA|CUNIT)\\d+|(?:CD|PC|PV|PS)\\d+_\\d+|"
        "LONPOLE|LATPOLE|RADESYS|RADECSYS|EQUINOX|EPOCH|WCSAXES|"
        "(?:A|B|AP|BP)_(?:ORDER|\\d+_\\d+|DMAX))$"));
    return primary.match(keyword).hasMatch();
}

Status copyFitsWithCards(const QString& original, const QString& target, const QList<QByteArray>& cards,
                         const TextLookup& lang)
{
    if (QFileInfo(original).absoluteFilePath() == QFileInfo(target).absoluteFilePath())
        return Status::failure(lang.text(QStringLiteral("export.fitscopy.same")).arg(target));

    // A name of our own beside the target for CFITSIO to create.
    QString scratch;
    {
        QTemporaryFile reserve(target + QStringLiteral(".XXXXXX"));
        if (!reserve.open())
            return Status::failure(lang.text(QStringLiteral("file.save_failed"))
                                       .arg(target, fileErrorReason(reserve.error(), errno, lang)));
        scratch = reserve.fileName();
    }  // removed here: CFITSIO refuses to create a file that exists

    int status = 0;
    fitsfile* in = nullptr;
    fits_open_diskfile(&in, QFile::encodeName(original).constData(), READONLY, &status);
    if (status != 0)
        return Status::failure(cfitsioFailure(original, status, lang));
    fitsfile* out = nullptr;
    fits_create_diskfile(&out, QFile::encodeName(scratch).constData(), &status);
    if (status == 0) {
        fits_copy_file(in, out, 1, 1, 1, &status);
        if (status == 0 && !moveToFirstImage(out, status) && status == 0)
            status = NOT_IMAGE;
        removeOldSolution(out, status);
        addCards(out, cards, status);
        int closing = 0;
        fits_close_file(out, &closing);
        if (status == 0)
            status = closing;
    }
    int closingIn = 0;
    fits_close_file(in, &closingIn);
    if (status != 0) {
        QFile::remove(scratch);
        return Status::failure(cfitsioFailure(target, status, lang));
    }
    if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(target).constData()) != 0) {
        const int reason = errno;
        QFile::remove(scratch);
        return Status::failure(lang.text(QStringLiteral("file.save_failed"))
                                   .arg(target, systemErrorReason(reason, lang)));
    }
    return succeeded();
}

}  // namespace ce
