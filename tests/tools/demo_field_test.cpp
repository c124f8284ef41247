// The demonstration field generator: zones, projection, synthetic catalogue,
// the linear catalogue plane, the project file, and the committed
// demonstration data.

#include "tools/catalogue_service/sky_distance.h"
#include "tools/catalogue_service/usnoa_answer.h"
#include "image/fits_reader.h"
#include "image/header_hints.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_project.h"
#include "tools/demo_field/synthetic_catalogue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace ce::demo {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
// The demonstration centre, 1h34m50s +22 11 01 (J2000.0).
constexpr double kDemoRaDeg = (1 + 34 / 60.0 + 50 / 3600.0) * 15.0;
constexpr double kDemoDecDeg = 22 + 11 / 60.0 + 1 / 3600.0;

TEST(FieldProjection, OrientationScaleAndRoundTrip)
{
    const double cx = (1100 - 1) / 2.0, cy = (800 - 1) / 2.0;
    // North up and east left; mirrored, east right; turned 90 degrees, north to the right.
    const FieldProjection plain({kDemoRaDeg, kDemoDecDeg, 2250, 0, false, 1100, 800});
    EXPECT_LT(plain.skyToPixel(kDemoRaDeg + 0.1, kDemoDecDeg)->x(), cx - 100);
    EXPECT_GT(FieldProjection({kDemoRaDeg, kDemoDecDeg, 2250, 0, true, 1100, 800}).skyToPixel(kDemoRaDeg + 0.1, kDemoDecDeg)->x(), cx + 100);
    const double northPx = 2250 / kRadPerDeg * std::tan(0.1 * kRadPerDeg);  // gnomonic offset on the meridian
    EXPECT_NEAR(FieldProjection({kDemoRaDeg, kDemoDecDeg, 2250, 90, false, 1100, 800}).skyToPixel(kDemoRaDeg, kDemoDecDeg + 0.1)->x(), cx + northPx, 1e-6);

    // Distance on the image is tan(distance), direction the position angle,
    // both from the catalogue service's spherical formulas.
    for (const auto& [dRa, dDec] : {std::pair{0.3, 0.2}, {0.05, -0.33}, {-0.4, -0.4}}) {
        const double ra = kDemoRaDeg + dRa, dec = kDemoDecDeg + dDec;
        const auto pixel = plain.skyToPixel(ra, dec);
        ASSERT_TRUE(pixel);
        const double dx = pixel->x() - cx, dy = pixel->y() - cy;
        EXPECT_NEAR(std::hypot(dx, dy), 2250 / kRadPerDeg * std::tan(service::angularDistanceDeg(kDemoRaDeg, kDemoDecDeg, ra, dec) * kRadPerDeg), 1e-6);
        const double angle = std::atan2(-dx, -dy) / kRadPerDeg;  // north is -y, east -x
        EXPECT_NEAR(angle < 0 ? angle + 360 : angle, service::positionAngleDeg(kDemoRaDeg, kDemoDecDeg, ra, dec), 1e-7);
    }
    EXPECT_FALSE(plain.skyToPixel(kDemoRaDeg + 180, -kDemoDecDeg));  // far hemisphere

    const FieldProjection turned({0.1, -45, 1800, 33, true, 640, 480});  // across 0h, turned, mirrored
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {639.0, 479.0}, {-300.0, 900.0}}) {
        const SkyPosition sky = turned.pixelToSky(x, y);
        EXPECT_TRUE(sky.raDeg >= 0 && sky.raDeg < 360) << sky.raDeg;
        const auto back = turned.skyToPixel(sky.raDeg, sky.decDeg);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->x(), x, 1e-6);
        EXPECT_NEAR(back->y(), y, 1e-6);
    }
}

TEST(SyntheticCatalogue, LooksLikeAnExtract)
{
    // floor((dec + 90) / 7.5) * 75, the pole in the last band.
    for (const auto& [dec, zone] : {std::pair{22.5, "1125"}, {22.49999, "1050"}, {-90.0, "0000"}, {90.0, "1725"}})
        EXPECT_EQ(usnoZone(dec), QString::fromLatin1(zone)) << dec;
    SyntheticCatalogueParameters p;
    p.seed = 7;
    p.centreRaDeg = 0.2;  // the cap crosses 0h
    p.centreDecDeg = 22.3;
    p.radiusArcmin = 30;
    p.starCount = 3000;
    p.magMin = 8;
    p.magMax = 18;
    const auto stars = makeSyntheticCatalogue(p);
    ASSERT_EQ(stars.size(), 3000u);
    int brightest = 0, faintest = 0;
    for (std::size_t i = 0; i < stars.size(); ++i) {
        const auto& s = stars[i];
        ASSERT_TRUE(service::isUsnoIdentifier(s.id)) << qPrintable(s.id);
        EXPECT_EQ(s.id.mid(1, 4), usnoZone(s.decDeg));
        // Rounded positions may sit 1e-5 degree past the radius.
        EXPECT_LE(service::angularDistanceDeg(p.centreRaDeg, p.centreDecDeg, s.raDeg, s.decDeg) * 60, 30.001);
        EXPECT_TRUE(s.raDeg >= 0 && s.raDeg < 360 && s.magR >= 8 && s.magR <= 18) << qPrintable(s.id);
        brightest += s.magR < 9 ? 1 : 0;
        faintest += s.magR >= 17 ? 1 : 0;
        if (i > 0 && stars[i - 1].id.left(5) == s.id.left(5)) {  // numbers grow with RA within a zone
            EXPECT_LT(stars[i - 1].id, s.id);
            EXPECT_LE(stars[i - 1].raDeg, s.raDeg);
        }
    }
    // Counts grow tenfold per 1/0.3 magnitude: about 500 times more at the faint end.
    EXPECT_GT(faintest, 20 * std::max(brightest, 1));
}

// That bright stars are found where they are, by the program's own star
// refinement, is part of the whole reduction window test.
TEST(DemoField, LinearCataloguePlaneKeepsDistances)
{
    // The program's plane U = RA * corrAsd, V = Dec * corrDec (rounded half
    // to even) must agree with image distances to a few pixels.
    DemoFieldParameters p;
    p.seed = 3;
    p.geometry = {kDemoRaDeg, kDemoDecDeg, 2250, 8, false, 1100, 800};
    p.catalogueRadiusArcmin = 20;
    p.starCount = 600;
    p.render.referencePeak = 0;
    const DemoField field = generateDemoField(p);
    const LinearScaleFactors f = linearScaleFactors(kDemoDecDeg, 2250);
    EXPECT_NEAR(f.corrAsd, 2250 * 0.9259786, 0.001);  // cos(22.183611 deg), desk calculator
    EXPECT_DOUBLE_EQ(f.corrDec, 2250);
    double worst = 0;
    int pairs = 0;
    const auto plane = [](double degA, double degB, double scale) { return std::nearbyint(degA * scale) - std::nearbyint(degB * scale); };
    for (std::size_t i = 0; i < field.stars.size(); ++i)
        for (std::size_t j = i + 1; j < field.stars.size(); ++j) {
            if (!field.stars[i].inImage || !field.stars[j].inImage) continue;
            const auto &a = field.catalogue[i], &b = field.catalogue[j];
            const double inPlane = std::hypot(plane(a.raDeg, b.raDeg, f.corrAsd), plane(a.decDeg, b.decDeg, f.corrDec));
            const double image = std::hypot(field.stars[i].placed.xPx - field.stars[j].placed.xPx,
                                            field.stars[i].placed.yPx - field.stars[j].placed.yPx);
            worst = std::max(worst, std::fabs(inPlane - image));
            ++pairs;
        }
    EXPECT_GT(pairs, 1000);
    EXPECT_LT(worst, 3.0);
}

TEST(DemoProjectFile, SeventeenLinesWithWholeSeconds)
{
    const WholeSexagesimal carried = wholeSexagesimal(10 + 59 / 60.0 + 59.6 / 3600);  // 59.6 s carries
    EXPECT_EQ(std::tuple(carried.whole, carried.minutes, carried.seconds), std::tuple(11, 0, 0));
    EXPECT_FALSE(wholeSexagesimal(-0.0001).negative);  // rounds to zero: no sign
    DemoProject project;
    project.centreRaDeg = kDemoRaDeg;
    project.centreDecDeg = -kDemoDecDeg;
    project.corrAsd = 2083.5089;
    project.corrDec = 2250;
    project.imagePath = QStringLiteral("demo/demo.png");
    EXPECT_EQ(projectText(project), QByteArray("10\r\n2083.51\r\n2250\r\n22\r\n11\r\n1\r\n-\r\n20\r\n2000.0\r\n13\r\n"
                                               "16\r\n1\r\n34\r\n50\r\n7\r\ndemo/demo.png\r\n0\r\n"));
}

TEST(DemoData, CommittedFieldServesTheDefaultQuery)
{
    const QString dir = QStringLiteral(CE_DEMO_DATA_DIR);
    const auto catalogue = service::readExtract(dir + QStringLiteral("/extract.txt"));
    ASSERT_TRUE(catalogue.ok()) << qPrintable(catalogue.error());
    service::UsnoaQuery query;  // the program's default query: 20', magnitude 13
    query.raDeg = kDemoRaDeg;
    query.decDeg = kDemoDecDeg;
    query.radiusArcmin = 20;
    query.magFaint = 13;
    query.maxCount = 5000;
    const auto selected = service::selectStars(*catalogue, query);
    EXPECT_GE(selected.size(), 40u);
    EXPECT_LE(selected.size(), 120u);
    query.magFaint = 16;  // the full map stays under the reader's 4000 records
    EXPECT_LT(service::selectStars(*catalogue, query).size(), 4000u);
    QFile project(dir + QStringLiteral("/demo.pam"));
    ASSERT_TRUE(project.open(QIODevice::ReadOnly));
    const QByteArray text = project.readAll();
    EXPECT_EQ(text.count("\r\n"), 17);
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 18);  // no lone line feed
    EXPECT_EQ(lines[15], "demo/demo.png\r");
    EXPECT_NEAR(lines[1].trimmed().toDouble(), linearScaleFactors(kDemoDecDeg, lines[2].trimmed().toDouble()).corrAsd, 0.01);
    EXPECT_FALSE(QImage(dir + QStringLiteral("/demo.png")).isNull());

    // The 16-bit FITS of the same field: its header gives the project's centre,
    // epoch and scale factors, and its brightest stars are flat-topped at 65535.
    const auto fits = readFitsImage(dir + QStringLiteral("/demo.fits"), std::int64_t(1) << 30);
    ASSERT_TRUE(fits.ok()) << fits.error().toStdString();
    EXPECT_EQ(fits->bitpix, 16);
    EXPECT_EQ(QSize(fits->plane.width, fits->plane.height), QImage(dir + QStringLiteral("/demo.png")).size());
    EXPECT_EQ(*std::max_element(fits->plane.values.begin(), fits->plane.values.end()), 65535.0f);
    const HeaderHints hints = headerHints(fits->header, std::nullopt);
    ASSERT_TRUE(hints.centre && hints.epochYear && hints.scale);
    EXPECT_NEAR(hints.centre->raDeg, kDemoRaDeg, 0.5 / 3600 * 15);
    EXPECT_NEAR(hints.centre->decDeg, kDemoDecDeg, 0.1 / 3600);
    EXPECT_NEAR(hints.scale->corrAsd, lines[1].trimmed().toDouble(), 0.1);
    EXPECT_NEAR(hints.scale->corrDec, lines[2].trimmed().toDouble(), 0.1);
    EXPECT_NEAR(*hints.epochYear, 2024.76, 0.01);
    QFile fitsProject(dir + QStringLiteral("/demo-fits.pam"));
    ASSERT_TRUE(fitsProject.open(QIODevice::ReadOnly));
    EXPECT_EQ(fitsProject.readAll(), QByteArray(text).replace("demo/demo.png", "demo/demo.fits"));
}

}  // namespace
}  // namespace ce::demo
