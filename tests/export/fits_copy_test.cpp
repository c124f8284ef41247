// The copy of a FITS image with the solution: the same pixels (also when
// tile-compressed), the new cards and none of an older solution, the
// original byte for byte as it was, and no file at all when it fails.

#include "export/fits_copy.h"
#include "tests/core/key_echo.h"

#include "export/wcs_header.h"
#include "image/fits_writer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fitsio.h>

#include <gtest/gtest.h>

#include <cmath>

namespace ce {
namespace {

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<absent>";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// A 16-bit camera image of 37 x 23 with an older solution in its header.
FitsImageContent camera(bool compressed)
{
    FitsImageContent c;
    c.bitpix = 16, c.width = 37, c.height = 23, c.tileCompressed = compressed;
    for (int i = 0; i < c.width * c.height; ++i) c.stored.push_back(double((i * 7919) % 60000) - 30000);
    c.cards = {{"BZERO", "32768", ""},       {"BSCALE", "1", ""},           {"DATE-OBS", "2024-10-05T22:14:00", ""},
               {"CTYPE1", "RA---TAN-SIP", ""}, {"CTYPE2", "DEC--TAN-SIP", ""}, {"CDELT1", "-0.0004", ""},
               {"CDELT2", "0.0004", ""},     {"PC1_1", "1.0", ""},          {"CROTA2", "12.0", ""},
               {"A_ORDER", "2", ""},         {"A_0_2", "1e-6", ""},        {"CTYPE1A", "LINEAR", ""},
               {"OBJECT", "M 31", ""}};
    // The tile compressor is given the values of the image's own type:
    // no scaling on the way in.
    if (compressed) c.cards.erase(c.cards.begin(), c.cards.begin() + 2);
    return c;
}

// The stored values of the first image with two axes or more.
std::vector<double> pixels(const QString& path, int& status)
{
    fitsfile* f = nullptr;
    fits_open_image(&f, QFile::encodeName(path).constData(), READONLY, &status);
    long size[2] = {0, 0};
    fits_get_img_size(f, 2, size, &status);
    std::vector<double> values(std::size_t(size[0] * size[1]));
    long first[2] = {1, 1};
    int anyNull = 0;
    fits_set_bscale(f, 1.0, 0.0, &status);
    fits_read_pix(f, TDOUBLE, first, long(values.size()), nullptr, values.data(), &anyNull, &status);
    int closing = 0;
    if (f) fits_close_file(f, &closing);
    return values;
}

QList<QByteArray> solutionCards()
{
    WcsExport e;
    e.wcs.crvalRaDeg = 10.68, e.wcs.crvalDecDeg = 41.27, e.wcs.crpixX = 18, e.wcs.crpixY = 11;
    e.wcs.cd11 = -2e-4, e.wcs.cd22 = -2e-4;
    e.imageWidth = 37, e.imageHeight = 23, e.rows = RowOrder::BottomFirst;
    e.dateObs = QStringLiteral("2024-10-05T22:14:00");
    return *wcsCards(e, ce::test::KeyEcho());
}

TEST(FitsCopy, SamePixelsNewSolutionOriginalUntouched)
{
    for (const bool compressed : {false, true}) {
        QTemporaryDir dir;
        const QString original = dir.filePath(compressed ? QStringLiteral("m31.fits.fz") : QStringLiteral("m31.fits"));
        const QString copy = dir.filePath(QStringLiteral("m31-wcs.fits"));
        const Status written = writeFitsImage(original, camera(compressed));
        ASSERT_TRUE(written) << qPrintable(written.error());
        const QByteArray before = digest(original);

        const Status done = copyFitsWithCards(original, copy, solutionCards(), test::KeyEcho());
        ASSERT_TRUE(done) << qPrintable(done.error());
        EXPECT_EQ(digest(original), before) << compressed;

        int status = 0;
        EXPECT_EQ(pixels(copy, status), pixels(original, status)) << compressed;
        EXPECT_EQ(status, 0);

        fitsfile* f = nullptr;
        fits_open_image(&f, QFile::encodeName(copy).constData(), READONLY, &status);
        ASSERT_EQ(status, 0);
        char text[FLEN_VALUE] = {};
        fits_read_key(f, TSTRING, "CTYPE1", text, nullptr, &status);
        EXPECT_STREQ(text, "RA---TAN");
        double value = 0;
        fits_read_key(f, TDOUBLE, "CRVAL2", &value, nullptr, &status);
        EXPECT_EQ(value, 41.27);
        fits_read_key(f, TDOUBLE, "CD2_2", &value, nullptr, &status);
        EXPECT_EQ(value, 2e-4);  // rows bottom first: the sign turns
        fits_read_key(f, TSTRING, "OBJECT", text, nullptr, &status);
        EXPECT_STREQ(text, "M 31");
        fits_read_key(f, TSTRING, "CTYPE1A", text, nullptr, &status);
        EXPECT_STREQ(text, "LINEAR") << "an alternate solution is not ours to remove";
        EXPECT_EQ(status, 0);
        // The older solution is gone, not mixed with the new one.
        for (const char* gone : {"CDELT1", "CDELT2", "PC1_1", "CROTA2", "A_ORDER", "A_0_2"}) {
            int missing = 0;
            fits_read_key(f, TDOUBLE, gone, &value, nullptr, &missing);
            EXPECT_EQ(missing, KEY_NO_EXIST) << gone;
            fits_clear_errmsg();
        }
        // DATE-OBS once, not twice.
        int cards = 0, dates = 0;
        fits_get_hdrspace(f, &cards, nullptr, &status);
        for (int n = 1; n <= cards; ++n) {
            char card[FLEN_CARD] = {};
            fits_read_record(f, n, card, &status);
            dates += QByteArray(card).startsWith("DATE-OBS");
        }
        EXPECT_EQ(dates, 1);
        fits_close_file(f, &status);
    }
}

TEST(FitsCopy, FailuresLeaveNoFileAndNeverTouchTheOriginal)
{
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("m31.fits"));
    ASSERT_TRUE(writeFitsImage(original, camera(false)));
    const QByteArray before = digest(original);

    const test::KeyEcho lang;
    const Status self = copyFitsWithCards(original, original, solutionCards(), lang);
    EXPECT_EQ(test::spoken(self.error()), QStringLiteral("export.fitscopy.same|") + original);
    EXPECT_EQ(digest(original), before);
    const Status selfOtherSpelling =
        copyFitsWithCards(original, dir.path() + QStringLiteral("/./m31.fits"), solutionCards(), lang);
    EXPECT_FALSE(selfOtherSpelling);
    EXPECT_EQ(digest(original), before);

    // A folder that is a file: nothing can be created in it.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString underFile = dir.filePath(QStringLiteral("blocker/copy.fits"));
    const Status blocked = copyFitsWithCards(original, underFile, solutionCards(), lang);
    EXPECT_EQ(test::spoken(blocked.error()), QStringLiteral("file.save_failed|%1|reason.enotdir").arg(underFile));

    // Not a FITS file: fails, no copy, no scratch file left beside it.
    const QString text = dir.filePath(QStringLiteral("notes.fits"));
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a FITS file at all\n");
    notes.close();
    const Status notFits = copyFitsWithCards(text, dir.filePath(QStringLiteral("notes-wcs.fits")), solutionCards(), lang);
    EXPECT_TRUE(test::spoken(notFits.error()).startsWith(QStringLiteral("fits.write_failed|%1|").arg(text)))
        << qPrintable(notFits.error());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << qPrintable(QDir(dir.path()).entryList().join(u' '));
    EXPECT_EQ(digest(original), before);
}

TEST(FitsCopy, RemovesOnlyThePrimarySolution)
{
    for (const char* k : {"CTYPE1", "CRVAL2", "CRPIX1", "CDELT2", "CROTA2", "CUNIT1", "CD1_1", "CD2_2", "PC1_2",
                          "PV2_1", "LONPOLE", "LATPOLE", "RADESYS", "RADECSYS", "EQUINOX", "EPOCH", "WCSAXES",
                          "A_ORDER", "B_1_1", "AP_0_2", "BP_ORDER", "A_DMAX"})
        EXPECT_TRUE(isWorldCoordinateKeyword(QString::fromLatin1(k))) << k;
    for (const char* k : {"CTYPE1A", "CD1_1B", "DATE-OBS", "OBJECT", "NAXIS1", "BZERO", "CRVAL", "AIRMASS",
                          "EXPTIME", "A", "PCOUNT"})
        EXPECT_FALSE(isWorldCoordinateKeyword(QString::fromLatin1(k))) << k;
}

}  // namespace
}  // namespace ce
