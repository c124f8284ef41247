// Decoding image files into pictures: 16-bit TIFF and FITS stretched to
// grey, a 6000 x 6000 picture, the stretch presets, and the decode cache
// that reuses an unchanged file and decodes a changed one.

#include "image/fits_writer.h"
#include "image/gui/image_store.h"
#include "tests/core/key_echo.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ImageStoreTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
    ce::test::KeyEcho lang;
};

TEST_F(ImageStoreTest, SixteenBitTiffIsStretchedAndKeepsItsLinearCounts)
{
    // A dark sky of 1000 counts with one star of 60000 counts, in grey and in colour.
    QImage grey(64, 48, QImage::Format_Grayscale16);
    for (int y = 0; y < 48; ++y) {
        auto* row = reinterpret_cast<quint16*>(grey.scanLine(y));
        for (int x = 0; x < 64; ++x) row[x] = quint16(1000 + (x * 7 + y * 3) % 50);
    }
    reinterpret_cast<quint16*>(grey.scanLine(20))[30] = 60000;
    ASSERT_TRUE(grey.save(path("grey16.tif")));
    QImage colour = grey.convertToFormat(QImage::Format_RGBA64);
    ASSERT_TRUE(colour.save(path("colour16.tiff")));

    for (const char* name : {"grey16.tif", "colour16.tiff"}) {
        ce::ImageStore store;
        ASSERT_TRUE(store.load(path(name), lang).ok()) << name;
        const ce::DecodedImage& image = store.current();
        EXPECT_EQ(image.display.format(), QImage::Format_Grayscale8) << name;
        ASSERT_TRUE(store.hasLinear()) << name;
        EXPECT_NEAR(store.linear().at(30, 20), 60000.0, 1.0) << name;
        EXPECT_NEAR(store.linear().at(0, 0), 1000.0, 1.0) << name;
        // The star is white, the sky spread over the grey levels below it.
        EXPECT_EQ(image.pixel(30, 20), 255 * 65793) << name;
        EXPECT_LT(image.pixel(0, 0), 128 * 65793) << name;
        EXPECT_EQ(image.pixel(64, 0), -1);
    }
}

TEST_F(ImageStoreTest, FitsShowsRowOneAtTheBottomAndTheStretchCanChange)
{
    ce::FitsImageContent content;
    content.bitpix = 16;
    content.width = 100;
    content.height = 100;
    for (int i = 0; i < 100 * 100; ++i) content.stored.push_back(i / 100);  // FITS row r holds r - 1
    content.cards = {{"BZERO", "32768", {}}};
    ASSERT_TRUE(ce::writeFitsImage(path("rows.fits"), content).ok());
    ce::ImageStore store;
    ASSERT_TRUE(store.load(path("rows.fits"), lang).ok());
    EXPECT_TRUE(store.current().fits);
    const auto grey = [&store](int y) { return store.current().pixel(0, y) / 65793; };
    EXPECT_EQ(grey(99), 0);     // FITS row 1, the faintest, at the bottom
    EXPECT_EQ(grey(0), 255);    // FITS row 100 at the top
    EXPECT_GT(grey(40), grey(60));
    const int autoMiddle = grey(50);
    store.setStretchBounds({32768.0 + 48.0, 32768.0 + 50.0});  // display row 50 is FITS row 50, value 49
    EXPECT_EQ(grey(50), 128);
    EXPECT_EQ(grey(40), 255);
    store.setStretch(ce::StretchPreset::MinMax);
    EXPECT_NEAR(grey(50), autoMiddle, 2);
}

TEST_F(ImageStoreTest, LargePictureLoadsAndTooLargeOneSaysItsSize)
{
    QImage large(6000, 6000, QImage::Format_RGB32);
    large.fill(QColor(10, 20, 30));
    large.setPixelColor(5999, 5999, QColor(200, 100, 50));
    ASSERT_TRUE(large.save(path("large.bmp")));
    large = QImage();
    ce::ImageStore store;
    ASSERT_TRUE(store.load(path("large.bmp"), lang).ok());  // 144 MB as 32-bit: over Qt's own 128 MB default
    EXPECT_EQ(store.current().display.size(), QSize(6000, 6000));
    EXPECT_EQ(store.current().pixel(5999, 5999), 50 * 65536 + 100 * 256 + 200);

    ce::ImageStore small;
    small.setMemoryLimit(100 << 20);
    const ce::Status refused = small.load(path("large.bmp"), lang);
    ASSERT_FALSE(refused.ok());
    // 6000 x 6000 at 4 bytes: 137.3 MiB, said rounded up.
    EXPECT_EQ(ce::test::spoken(refused.error()), QStringLiteral("image.too_large|6000|6000|36.0|138|100"));
}

TEST_F(ImageStoreTest, UnchangedFileIsNotDecodedAgainAndAChangedOneIs)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(path("champ.png")));
    ce::ImageStore store;
    ASSERT_TRUE(store.load(path("champ.png"), lang).ok());
    EXPECT_TRUE(store.lastLoadDecoded());
    EXPECT_EQ(store.current().display.format(), QImage::Format_Grayscale8);  // white is grey: one byte a pixel
    ASSERT_TRUE(store.load(path("champ.png"), lang).ok());
    EXPECT_FALSE(store.lastLoadDecoded());
    EXPECT_EQ(store.decodeCount(), 1);

    // Same size, new content and a new time: decoded again.
    picture.fill(QColor(255, 0, 0));
    ASSERT_TRUE(picture.save(path("champ.png")));
    QFile file(path("champ.png"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(store.load(path("champ.png"), lang).ok());
    EXPECT_TRUE(store.lastLoadDecoded());
    EXPECT_EQ(store.current().pixel(0, 0), 255);  // red
    EXPECT_EQ(store.decodeCount(), 2);

    // A failed load keeps the picture held.
    EXPECT_EQ(ce::test::spoken(store.load(path("absent.png"), lang).error()),
              QStringLiteral("file.not_found|") + path("absent.png"));
    EXPECT_EQ(store.current().pixel(0, 0), 255);

    // A file no picture reader knows, and a PNG cut short: the reader's
    // reason, not the file's absence.
    QFile junk(path("notes.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("these are not pixels");
    junk.close();
    const QString junkSaid = ce::test::spoken(store.load(path("notes.png"), lang).error());
    EXPECT_TRUE(junkSaid.startsWith(u"image.read.") && junkSaid != u"image.read.not_found") << junkSaid.toStdString();
    EXPECT_EQ(store.current().pixel(0, 0), 255);
}

}  // namespace
