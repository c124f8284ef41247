// Reading FITS images: every BITPIX with BZERO/BSCALE, blank and NaN pixels,
// a cube, a tile-compressed file, the orientation, and broken files. The
// files are written with CFITSIO by the test itself.

#include "image/fits_reader.h"
#include "image/fits_writer.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using ce::FitsImageContent;
using ce::HeaderCard;

constexpr std::int64_t kPlenty = std::int64_t(1) << 30;

// Stored value of FITS pixel (column, row), both from 0, in one plane.
double storedAt(int column, int row, int plane) { return column + 10 * row + 50 * plane; }

FitsImageContent gradient(int bitpix, int width, int height, int planes = 1)
{
    FitsImageContent content;
    content.bitpix = bitpix;
    content.width = width;
    content.height = height;
    content.planes = planes;
    for (int p = 0; p < planes; ++p)
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) content.stored.push_back(storedAt(column, row, p));
    return content;
}

class FitsReaderTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
    ce::test::KeyEcho lang;
};

TEST_F(FitsReaderTest, EveryBitpixWithScalingReadsPhysicalValuesWithRowOneAtTheBottom)
{
    struct Row { const char* name; int bitpix; double bzero, bscale; };
    const Row rows[] = {
        {"8 bit", 8, 0.0, 1.0},
        {"unsigned 16 bit", 16, 32768.0, 1.0},
        {"16 bit scaled", 16, -100.0, 0.5},
        {"32 bit", 32, 1000.0, 2.0},
        {"64 bit", 64, 0.0, 1.0},
        {"float", -32, 0.0, 1.0},
        {"double scaled", -64, 5.0, 3.0},
    };
    for (const Row& r : rows) {
        FitsImageContent content = gradient(r.bitpix, 6, 4);
        if (r.bscale != 1.0 || r.bzero != 0.0)
            content.cards = {{"BZERO", QString::number(r.bzero, 'f', 1), {}}, {"BSCALE", QString::number(r.bscale, 'f', 1), {}}};
        ASSERT_TRUE(ce::writeFitsImage(path("g.fits"), content).ok()) << r.name;
        const auto read = ce::readFitsImage(path("g.fits"), kPlenty, lang);
        ASSERT_TRUE(read.ok()) << r.name << ": " << read.error().toStdString();
        EXPECT_EQ(read->bitpix, r.bitpix) << r.name;
        ASSERT_EQ(read->plane.width, 6);
        ASSERT_EQ(read->plane.height, 4);
        // Display row 0 is FITS row 4 (index 3); display row 3 is FITS row 1.
        for (int y : {0, 3})
            for (int x : {0, 5})
                EXPECT_DOUBLE_EQ(read->plane.at(x, y), r.bzero + r.bscale * storedAt(x, 3 - y, 0))
                    << r.name << " at " << x << "," << y;
    }
}

TEST_F(FitsReaderTest, BlankAndNanPixelsAreNanAndCubesGiveTheirFirstPlane)
{
    FitsImageContent ints = gradient(16, 5, 3, 3);
    ints.stored[7] = -999;  // FITS column 3, row 2 of plane 1
    ints.cards = {{"BLANK", "-999", {}}};
    ASSERT_TRUE(ce::writeFitsImage(path("cube.fits"), ints).ok());
    auto read = ce::readFitsImage(path("cube.fits"), kPlenty, lang);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(read->plane.values.size(), 15u);  // one plane of the three
    EXPECT_TRUE(std::isnan(read->plane.at(2, 1)));
    EXPECT_FLOAT_EQ(read->plane.at(4, 0), float(storedAt(4, 2, 0)));

    FitsImageContent floats = gradient(-32, 4, 4);
    floats.stored[0] = std::nan("");
    ASSERT_TRUE(ce::writeFitsImage(path("nan.fits"), floats).ok());
    read = ce::readFitsImage(path("nan.fits"), kPlenty, lang);
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(std::isnan(read->plane.at(0, 3)));
    EXPECT_FALSE(std::isnan(read->plane.at(1, 3)));
}

TEST_F(FitsReaderTest, TileCompressedImageAndItsHeaderAreRead)
{
    FitsImageContent content = gradient(16, 40, 30);
    content.tileCompressed = true;
    content.cards = {{"OBJCTRA", "01 34 50", {}}, {"FOCALLEN", "1200.5", {}}, {"SIMUL", "T", {}}};
    const ce::Status written = ce::writeFitsImage(path("c.fits.fz"), content);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    const auto read = ce::readFitsImage(path("c.fits.fz"), kPlenty, lang);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(read->plane.width, 40);
    EXPECT_FLOAT_EQ(read->plane.at(39, 0), float(storedAt(39, 29, 0)));
    QStringList seen;
    for (const HeaderCard& card : read->header)
        if (card.keyword == u"OBJCTRA" || card.keyword == u"FOCALLEN" || card.keyword == u"SIMUL")
            seen << card.keyword + u'=' + card.value;
    EXPECT_EQ(seen.join(u' ').toStdString(), "OBJCTRA=01 34 50 FOCALLEN=1200.5 SIMUL=T");
}

TEST_F(FitsReaderTest, BrokenFilesGiveOneSentenceNamingTheFile)
{
    ASSERT_TRUE(ce::writeFitsImage(path("ok.fits"), gradient(16, 50, 50)).ok());
    QFile whole(path("ok.fits"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QFile cut(path("cut.fits"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(2880 + 100));  // the header and a sliver of the data
    cut.close();
    QFile junk(path("junk.fits"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("SIMPLE  = nonsense, not a FITS header at all");
    junk.close();

    for (const char* name : {"cut.fits", "junk.fits"}) {
        const auto read = ce::readFitsImage(path(name), kPlenty, lang);
        ASSERT_FALSE(read.ok()) << name;
        // The file by its full path, then CFITSIO's own reason (not empty).
        const QStringList said = ce::test::spoken(read.error()).split(u'|');
        ASSERT_EQ(said.size(), 3) << read.error().toStdString();
        EXPECT_EQ(said[0], QStringLiteral("fits.unreadable"));
        EXPECT_EQ(said[1], path(name));
        EXPECT_FALSE(said[2].isEmpty());
    }
    EXPECT_EQ(ce::test::spoken(ce::readFitsImage(path("absent.fits"), kPlenty, lang).error()),
              QStringLiteral("file.not_found|") + path("absent.fits"));

    // Too large for the memory allowed: the size and the memory needed are said.
    const auto large = ce::readFitsImage(path("ok.fits"), 5000, lang);
    ASSERT_FALSE(large.ok());
    EXPECT_TRUE(ce::test::spoken(large.error()).startsWith(QStringLiteral("image.too_large|50|50|")))
        << large.error().toStdString();
    // Mebibytes rounded up (457.8 -> 458), megapixels in the language's own
    // locale: the key echo names no locale, which reads as C.
    EXPECT_EQ(ce::test::spoken(ce::imageTooLargeMessage(12000, 10000, 480000000, 268435456, lang)),
              QStringLiteral("image.too_large|12000|10000|120.0|458|256"));
}

}  // namespace
