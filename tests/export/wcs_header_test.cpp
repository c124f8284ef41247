// The WCS header means to WCSLIB what the solution means to the program:
// pixel → sky through WCSLIB agrees with the program's own pixel → sky to
// 0.01" over the whole image (grid with the corners), for refined models
// and for the three-star solution's tangent-plane equivalent, with the
// rows of a picture file and of a FITS image; CFITSIO reads every card
// back with its value.

#include "export/wcs_header.h"

#include "core/plate_solution.h"
#include "export/fits_cards.h"
#include "tests/core/key_echo.h"
#include "tests/export/wcslib_check.h"

#include <QTemporaryDir>

#include <fitsio.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ce::testing {
namespace {

constexpr double kAgreementArcsec = 0.01;
constexpr double kRad = std::numbers::pi / 180.0;

// A model of `arcsecPerPx`, turned by `turnDeg`, north up and east left
// (or mirrored), tangent point at the pixel (cx, cy).
TanWcs model(double ra, double dec, double arcsecPerPx, double turnDeg, bool mirror, double cx, double cy)
{
    const double s = arcsecPerPx / 3600.0, c = std::cos(turnDeg * kRad), n = std::sin(turnDeg * kRad);
    const double east = mirror ? 1.0 : -1.0;  // ξ grows to the left on a sky image
    TanWcs w;
    w.crvalRaDeg = ra, w.crvalDecDeg = dec, w.crpixX = cx, w.crpixY = cy;
    // y downwards: η grows upwards.
    w.cd11 = east * s * c, w.cd12 = east * s * n;
    w.cd21 = s * n, w.cd22 = -s * c;
    return w;
}

std::function<std::pair<double, double>(double, double)> fitsPixels(RowOrder rows, int height)
{
    return [rows, height](double x, double y) {
        return std::pair{x + 1.0, rows == RowOrder::BottomFirst ? height - y : y + 1.0};
    };
}

TEST(WcsHeader, WcslibAgreesWithTheProgramOverTheWholeImage)
{
    struct Row {
        const char* name;
        TanWcs wcs;
        int width, height;
    };
    // The three-star solution of a plate at +22°: 1.6"/px turned 8°, its
    // linear plane (U = ra·corrAsd, V = dec·corrDec) seen through the
    // tangent plane at the field centre.
    const double corrDec = 2250.0, corrAsd = corrDec * std::cos(22.18 * kRad);
    const double c8 = std::cos(8 * kRad), s8 = std::sin(8 * kRad);
    PlateSolution linear;
    linear.A = -c8, linear.B = s8, linear.C = 23.71 * corrAsd - (-c8 * 550 + s8 * 400);
    linear.D = s8, linear.E = c8 * -1, linear.F = 22.18 * corrDec - (s8 * 550 - c8 * 400);
    const std::optional<TanWcs> threeStar = tanFromLinearSolution(linear, corrAsd, corrDec, 23.70, 22.20);
    ASSERT_TRUE(threeStar);

    const Row rows[] = {
        {"demonstration field", model(23.708, 22.18, 1.6, 8, false, 549.5, 399.5), 1100, 800},
        {"plate, tangent point off the image", model(157.5, 35.0, 1.08, 0.7, false, -300, 3400), 3000, 3000},
        {"mirror image", model(95.0, -2.5, 20.0, 90, true, 400, 300), 800, 600},
        {"across 0h", model(359.95, -12.0, 3.0, 181, false, 1000, 700), 2000, 1400},
        {"one degree from the pole", model(10.0, 89.0, 2.5, 45, false, 1500, 1000), 3000, 2000},
        {"far south", model(250.0, -72.0, 7.0, -30, false, 640, 512), 1280, 1024},
        {"three-star solution", *threeStar, 1100, 800},
    };
    for (const Row& r : rows) {
        for (const RowOrder order : {RowOrder::TopFirst, RowOrder::BottomFirst}) {
            const char* rowsName = order == RowOrder::TopFirst ? "top first" : "bottom first";
            WcsExport e;
            e.wcs = r.wcs, e.imageWidth = r.width, e.imageHeight = r.height, e.rows = order;
            const Result<QByteArray> header = wcsHeaderFile(e, test::KeyEcho());
            ASSERT_TRUE(header) << r.name << ": " << qPrintable(header.error());
            WcslibReader reader(*header);
            ASSERT_TRUE(reader.ok()) << r.name << ": " << qPrintable(reader.failure);
            EXPECT_EQ(reader.prm().naxis, 2) << r.name;
            EXPECT_STREQ(reader.prm().radesys, "ICRS") << r.name;
            EXPECT_DOUBLE_EQ(reader.prm().equinox, 2000.0) << r.name;
            const double worst =
                worstDisagreementArcsec(reader, r.wcs, r.width, r.height, fitsPixels(order, r.height));
            EXPECT_LT(worst, kAgreementArcsec) << r.name << ", " << rowsName;
        }
    }
}

TEST(WcsHeader, RowsStoredBottomFirstMirrorTheRowNumber)
{
    // Reading the header for the wrong row order must show: the top-left
    // pixel of a FITS image is FITS row `height`, not row 1.
    const TanWcs w = model(83.8, -5.4, 2.0, 15, false, 300, 200);
    WcsExport e;
    e.wcs = w, e.imageWidth = 640, e.imageHeight = 480, e.rows = RowOrder::BottomFirst;
    WcslibReader reader(*wcsHeaderFile(e, test::KeyEcho()));
    ASSERT_TRUE(reader.ok());
    const SkyPoint topLeft = pixelToSky(w, 0, 0);
    EXPECT_LT(angularSeparationArcsec(*reader.sky(1, 480), topLeft), kAgreementArcsec);
    EXPECT_GT(angularSeparationArcsec(*reader.sky(1, 1), topLeft), 100.0);
}

TEST(WcsHeader, CfitsioReadsEveryCardOfTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WcsExport e;
    e.wcs = model(23.708, 22.18, 1.6, 8, false, 549.25, 399.75);
    e.imageWidth = 1100, e.imageHeight = 800, e.rows = RowOrder::BottomFirst;
    e.dateObs = QStringLiteral("2024-10-05T22:14:00");
    e.refined = true, e.starsUsed = 187, e.rmsPx = 0.123, e.rmsArcsec = 0.197;
    e.starNames = {QStringLiteral("U1050_00000001"), QStringLiteral("U1050_00000002")};
    const Result<QByteArray> header = wcsHeaderFile(e, test::KeyEcho());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->size() % 2880, 0);
    for (qsizetype i = 0; i < header->size(); ++i)
        ASSERT_TRUE(header->at(i) >= 32 && header->at(i) <= 126) << "byte " << i;
    const QString path = dir.filePath(QStringLiteral("field.wcs"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(*header);
    }

    int status = 0;
    fitsfile* f = nullptr;
    fits_open_file(&f, QFile::encodeName(path).constData(), READONLY, &status);
    ASSERT_EQ(status, 0);
    int naxis = -1;
    fits_get_img_dim(f, &naxis, &status);
    EXPECT_EQ(naxis, 0);
    const FitsTan expected = toFitsPixels(e.wcs, e.imageHeight, e.rows);
    const std::pair<const char*, double> numbers[] = {
        {"CRVAL1", expected.crval1Deg}, {"CRVAL2", expected.crval2Deg}, {"CRPIX1", 550.25},
        {"CRPIX2", 800 - 399.75},       {"CD1_1", expected.cd11},        {"CD1_2", expected.cd12},
        {"CD2_1", expected.cd21},       {"CD2_2", expected.cd22},        {"EQUINOX", 2000.0},
        {"LONPOLE", 180.0},             {"IMAGEW", 1100},                {"IMAGEH", 800},
        {"WCSAXES", 2},
    };
    for (const auto& [key, value] : numbers) {
        double read = NAN;
        fits_read_key(f, TDOUBLE, key, &read, nullptr, &status);
        EXPECT_EQ(status, 0) << key;
        EXPECT_EQ(read, value) << key;
        status = 0;
    }
    // The second column of CD turns sign for rows stored bottom first.
    EXPECT_EQ(expected.cd12, -e.wcs.cd12);
    EXPECT_EQ(expected.cd22, -e.wcs.cd22);
    const std::pair<const char*, const char*> texts[] = {
        {"CTYPE1", "RA---TAN"}, {"CTYPE2", "DEC--TAN"}, {"RADESYS", "ICRS"},
        {"CUNIT1", "deg"},      {"CUNIT2", "deg"},      {"DATE-OBS", "2024-10-05T22:14:00"},
    };
    for (const auto& [key, value] : texts) {
        char read[FLEN_VALUE] = {};
        fits_read_key(f, TSTRING, key, read, nullptr, &status);
        EXPECT_EQ(status, 0) << key;
        EXPECT_STREQ(read, value) << key;
        status = 0;
    }
    // The comments: the refined fit with its stars and rms.
    int cards = 0;
    fits_get_hdrspace(f, &cards, nullptr, &status);
    QString comments;
    for (int n = 1; n <= cards; ++n) {
        char card[FLEN_CARD] = {};
        fits_read_record(f, n, card, &status);
        if (QByteArray(card).startsWith("COMMENT")) comments += QString::fromLatin1(card + 8).trimmed() + u' ';
    }
    EXPECT_TRUE(comments.contains(QStringLiteral("187 catalogue stars"))) << qPrintable(comments);
    EXPECT_TRUE(comments.contains(QStringLiteral("0.123 pixel = 0.197 arcsec"))) << qPrintable(comments);
    EXPECT_TRUE(comments.contains(QStringLiteral("U1050_00000001 U1050_00000002"))) << qPrintable(comments);
    EXPECT_FALSE(comments.contains(QStringLiteral("Unrefined")));
    fits_close_file(f, &status);

    // The three-star solution says so, and a picture file has no DATE-OBS
    // unless given.
    e.refined = false, e.dateObs.clear(), e.starNames.clear();
    const QByteArray unrefined = *wcsHeaderFile(e, test::KeyEcho());
    EXPECT_TRUE(unrefined.contains("COMMENT Unrefined solution"));
    EXPECT_FALSE(unrefined.contains("DATE-OBS"));
}

TEST(WcsHeader, RefusesWhatFitsCannotSay)
{
    WcsExport good;
    good.wcs = model(10, 10, 1, 0, false, 5, 5);
    good.imageWidth = good.imageHeight = 10;
    ASSERT_TRUE(wcsHeaderFile(good, test::KeyEcho()));
    struct Row {
        const char* name;
        void (*spoil)(WcsExport&);
        const char* reason;
    };
    // A NaN in the matrix also leaves it without an inverse: the reason
    // names the first fault found.
    const Row rows[] = {
        {"NaN centre", [](WcsExport& e) { e.wcs.crvalRaDeg = NAN; }, "export.fail.not_finite"},
        {"infinite pixel", [](WcsExport& e) { e.wcs.crpixY = INFINITY; }, "export.fail.not_finite"},
        {"no inverse", [](WcsExport& e) { e.wcs.cd11 = e.wcs.cd12 = 0; }, "export.fail.singular"},
        {"NaN matrix", [](WcsExport& e) { e.wcs.cd21 = NAN; }, "export.fail.singular"},
        {"no width", [](WcsExport& e) { e.imageWidth = 0; }, "export.fail.no_size"},
        {"negative height", [](WcsExport& e) { e.imageHeight = -3; }, "export.fail.no_size"},
    };
    for (const Row& r : rows) {
        WcsExport e = good;
        r.spoil(e);
        const Result<QByteArray> header = wcsHeaderFile(e, test::KeyEcho());
        EXPECT_FALSE(header) << r.name;
        if (!header) {
            EXPECT_EQ(test::spoken(header.error()), QString::fromLatin1(r.reason)) << r.name;
        }
    }
}

}  // namespace
}  // namespace ce::testing
