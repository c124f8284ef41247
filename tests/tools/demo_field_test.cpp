// The demonstration field generator: zones, projection, synthetic catalogue,
// the linear catalogue plane, the project file, the committed
// demonstration data, the plate-like and wide colour fields, their flaws,
// and the off-centre click sets.

#include "tools/catalogue_service/sky_distance.h"
#include "tools/catalogue_service/usnoa_answer.h"
#include "tools/demo_field/click_sets.h"
#include "image/fits_reader.h"
#include "image/header_hints.h"
#include "tests/core/key_echo.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_project.h"
#include "tools/demo_field/field_presets.h"
#include "tools/demo_field/synthetic_catalogue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
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
    const auto fits = readFitsImage(dir + QStringLiteral("/demo.fits"), std::int64_t(1) << 30, ce::test::KeyEcho());
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

// Helpers for reading generated images.

int grey(const QImage& image, int x, int y)
{
    return image.format() == QImage::Format_Grayscale8 ? image.constScanLine(y)[x] : qGreen(image.pixel(x, y));
}

// Whether a drawn star (catalogued or not) other than `self`, brighter
// than `brightestMag`, lies within `radiusPx` of its saturated top's edge.
bool hasNeighbour(const DemoField& field, const DemoStar& self, double radiusPx, double brightestMag,
                  const RenderParameters& render = {})
{
    const auto near = [&](const DemoStar& s) {
        return s.drawn && &s != &self && s.placed.magR < brightestMag &&
               std::hypot(s.placed.xPx - self.placed.xPx, s.placed.yPx - self.placed.yPx) <
                   radiusPx + saturatedTopDiameterPx(s.placed.magR, render) / 2;
    };
    return std::any_of(field.stars.begin(), field.stars.end(), near) ||
           std::any_of(field.uncatalogued.begin(), field.uncatalogued.end(), near);
}

// Flux-weighted centroid over a disc about the truth rounded to a pixel,
// the background taken as the median of a ring outside it.
QPointF centroid(const QImage& image, double xPx, double yPx, int radiusPx)
{
    const int cx = static_cast<int>(std::lround(xPx)), cy = static_cast<int>(std::lround(yPx));
    std::vector<int> ring;
    for (int dy = -radiusPx - 6; dy <= radiusPx + 6; ++dy)
        for (int dx = -radiusPx - 6; dx <= radiusPx + 6; ++dx) {
            const double r = std::hypot(dx, dy);
            if (r > radiusPx + 2 && r <= radiusPx + 6)
                ring.push_back(grey(image, cx + dx, cy + dy));
        }
    std::nth_element(ring.begin(), ring.begin() + ring.size() / 2, ring.end());
    const double background = ring[ring.size() / 2];
    double sum = 0, sx = 0, sy = 0;
    for (int dy = -radiusPx; dy <= radiusPx; ++dy)
        for (int dx = -radiusPx; dx <= radiusPx; ++dx) {
            if (std::hypot(dx, dy) > radiusPx)
                continue;
            const double w = std::max(grey(image, cx + dx, cy + dy) - background, 0.0);
            sum += w;
            sx += w * (cx + dx);
            sy += w * (cy + dy);
        }
    return sum > 0 ? QPointF(sx / sum, sy / sum) : QPointF(-1, -1);
}

bool wellInside(const QImage& image, const PlacedStar& s, double marginPx)
{
    return s.xPx >= marginPx && s.yPx >= marginPx && s.xPx <= image.width() - 1 - marginPx &&
           s.yPx <= image.height() - 1 - marginPx;
}

// The plate-like field is shared by the tests below: generated once.
const DemoField& plateField()
{
    static const DemoField field = generateDemoField(platePreset(5).field);
    return field;
}

TEST(PlateField, SaturatedTopsAreFlatAndUnsaturatedStarsSitOnTheTruth)
{
    const DemoFieldPreset preset = platePreset(5);
    const DemoField& field = plateField();
    ASSERT_EQ(field.image.size(), QSize(3000, 3000));
    ASSERT_EQ(field.image.format(), QImage::Format_Grayscale8);

    // Enough stars for the program's query: 150 to 500 brighter than Mag max.
    service::UsnoaQuery query;
    query.raDeg = preset.field.geometry.centreRaDeg;
    query.decDeg = preset.field.geometry.centreDecDeg;
    query.radiusArcmin = preset.queryRadiusArcmin;
    query.magFaint = preset.queryMagFaint;
    query.maxCount = 5000;
    const auto selected = service::selectStars(field.catalogue, query);
    EXPECT_GE(selected.size(), 150u);
    EXPECT_LE(selected.size(), 500u);

    // Saturated stars: a run of 255 across the centre, row and column, as
    // wide as asked (one pixel either way for the pixel grid, one for noise),
    // and every pixel well inside the top at 255.
    const RenderParameters& render = preset.field.render;
    int saturated = 0;
    double widest = 0;
    for (const DemoStar& s : field.stars) {
        const double top = saturatedTopDiameterPx(s.placed.magR, render);
        widest = std::max(widest, top);
        if (top < 7 || !wellInside(field.image, s.placed, 30) || hasNeighbour(field, s, top + 12, 15, render))
            continue;
        ++saturated;
        const int cx = static_cast<int>(std::lround(s.placed.xPx)), cy = static_cast<int>(std::lround(s.placed.yPx));
        const auto run = [&](int stepX, int stepY) {
            int first = 0, last = 0;
            while (grey(field.image, cx + (first - 1) * stepX, cy + (first - 1) * stepY) == 255) --first;
            while (grey(field.image, cx + (last + 1) * stepX, cy + (last + 1) * stepY) == 255) ++last;
            return std::pair(first, last);
        };
        for (const auto& [stepX, stepY] : {std::pair{1, 0}, {0, 1}}) {
            const auto [first, last] = run(stepX, stepY);
            EXPECT_NEAR(last - first + 1, top, 2.0) << qPrintable(s.placed.id) << " mag " << s.placed.magR;
            const double truth = stepX ? s.placed.xPx - cx : s.placed.yPx - cy;
            EXPECT_NEAR((first + last) / 2.0, truth, 1.0) << qPrintable(s.placed.id);  // centred on the truth
        }
        const int inner = static_cast<int>(top / 2 - 1.5);  // the whole inner disc is flat
        for (int dy = -inner; dy <= inner; ++dy)
            for (int dx = -inner; dx <= inner; ++dx) {
                if (std::hypot(dx, dy) <= inner) {
                    ASSERT_EQ(grey(field.image, cx + dx, cy + dy), 255) << qPrintable(s.placed.id);
                }
            }
    }
    EXPECT_GE(saturated, 20);
    EXPECT_GT(widest, 30);
    EXPECT_LE(widest, 40);

    // Unsaturated stars: the flux-weighted centroid lands on the truth.
    // Grain and photon noise move single centroids by up to about 0.3 px
    // and their mean by a few hundredths; a convention slip (half a pixel,
    // a swapped axis) would move them all.
    int unsaturated = 0;
    double sumDx = 0, sumDy = 0, worst = 0;
    for (const DemoStar& s : field.stars) {
        if (s.placed.magR < 12.6 || s.placed.magR > 13.0 || !wellInside(field.image, s.placed, 30) ||
            hasNeighbour(field, s, 18, 19, render))
            continue;
        ++unsaturated;
        int peak = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                peak = std::max(peak, grey(field.image, static_cast<int>(std::lround(s.placed.xPx)) + dx,
                                        static_cast<int>(std::lround(s.placed.yPx)) + dy));
        EXPECT_LT(peak, 255) << qPrintable(s.placed.id);
        const QPointF c = centroid(field.image, s.placed.xPx, s.placed.yPx, 6);
        sumDx += c.x() - s.placed.xPx;
        sumDy += c.y() - s.placed.yPx;
        worst = std::max(worst, std::hypot(c.x() - s.placed.xPx, c.y() - s.placed.yPx));
    }
    ASSERT_GE(unsaturated, 10);
    EXPECT_LT(std::hypot(sumDx, sumDy) / unsaturated, 0.1);
    EXPECT_LT(worst, 0.35);

    // Without noise, grain or gradient every isolated unsaturated star sits
    // within 0.1 px of the truth.
    DemoFieldParameters quiet = platePreset(5).field;
    quiet.geometry.widthPx = quiet.geometry.heightPx = 1200;
    quiet.render.readNoise = 0;
    quiet.render.gain = 1e12;
    quiet.render.grainSigma = 0;
    quiet.render.skyGradientXPerPx = quiet.render.skyGradientYPerPx = 0;
    const DemoField clean = generateDemoField(quiet);
    int checked = 0;
    for (const DemoStar& s : clean.stars) {
        if (s.placed.magR < 12.4 || s.placed.magR > 14 || !wellInside(clean.image, s.placed, 30) ||
            hasNeighbour(clean, s, 18, 19, render))
            continue;
        ++checked;
        const QPointF c = centroid(clean.image, s.placed.xPx, s.placed.yPx, 8);
        EXPECT_LT(std::hypot(c.x() - s.placed.xPx, c.y() - s.placed.yPx), 0.1) << qPrintable(s.placed.id);
    }
    EXPECT_GE(checked, 5);
}

TEST(WideColourField, NorthToTheRightSouthOfTheEquatorInColour)
{
    const DemoFieldPreset preset = wideColourPreset(3);
    const DemoField field = generateDemoField(preset.field);
    ASSERT_EQ(field.image.size(), QSize(800, 600));
    EXPECT_NE(field.image.format(), QImage::Format_Grayscale8);
    const FieldGeometry& g = preset.field.geometry;
    EXPECT_LT(g.centreDecDeg, -1);
    EXPECT_GT(g.centreDecDeg, -5);
    EXPECT_NEAR(800 / g.pixelsPerDegree, 4.44, 0.01);  // 20"/px

    // North to the right, east up: declination grows with x, right
    // ascension as y falls, one degree per pixelsPerDegree (0.05 degree
    // for the tangent plane's stretch at the corners).
    const double xc = 399.5, yc = 299.5, cosDec = std::cos(g.centreDecDeg * kRadPerDeg);
    int bright = 0, south = 0, onImage = 0;
    for (std::size_t i = 0; i < field.stars.size(); ++i) {
        const DemoStar& s = field.stars[i];
        if (!s.inImage)
            continue;
        ++onImage;
        const service::CatalogueStar& c = field.catalogue[i];
        EXPECT_NEAR(c.decDeg - g.centreDecDeg, (s.placed.xPx - xc) / g.pixelsPerDegree, 0.05) << qPrintable(c.id);
        EXPECT_NEAR((c.raDeg - g.centreRaDeg) * cosDec, -(s.placed.yPx - yc) / g.pixelsPerDegree, 0.05)
            << qPrintable(c.id);
        south += c.decDeg < 0 ? 1 : 0;
        bright += s.placed.magR < preset.queryMagFaint ? 1 : 0;
    }
    EXPECT_GT(south, onImage * 9 / 10);
    EXPECT_GE(bright, 100);
    EXPECT_LE(bright, 400);

    // Colour from B - R: over the unsaturated, isolated stars the red
    // excess of the reddest exceeds that of the bluest.
    double redOfRed = 0, blueOfRed = 0, redOfBlue = 0, blueOfBlue = 0;
    for (const DemoStar& s : field.stars) {
        if (s.placed.magR < 8.5 || s.placed.magR > 10.5 || !wellInside(field.image, s.placed, 10) ||
            hasNeighbour(field, s, 8, 13))
            continue;
        const double colour = s.placed.magB - s.placed.magR;
        if (colour > 0.6 && colour < 1.2)
            continue;
        double red = 0, blue = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QRgb v = field.image.pixel(static_cast<int>(std::lround(s.placed.xPx)) + dx,
                                                 static_cast<int>(std::lround(s.placed.yPx)) + dy);
                red += qRed(v) - qGreen(v);
                blue += qBlue(v) - qGreen(v);
            }
        (colour >= 1.2 ? redOfRed : redOfBlue) += red;
        (colour >= 1.2 ? blueOfRed : blueOfBlue) += blue;
    }
    EXPECT_GT(redOfRed, 0);
    EXPECT_LT(blueOfRed, 0);
    EXPECT_LT(redOfBlue, 0);
    EXPECT_GT(blueOfBlue, 0);

    DemoProject project;  // the project file says south
    project.centreDecDeg = g.centreDecDeg;
    EXPECT_EQ(projectText(project).split('\n').at(6), "-\r");
}

TEST(RealFlaws, MissingStarsDefectsHalosAndEmptySky)
{
    DemoFieldParameters p = platePreset(11).field;
    p.geometry.widthPx = p.geometry.heightPx = 1500;
    const DemoField plain = generateDemoField(p);
    addRealFlaws(p);
    const DemoField flawed = generateDemoField(p);

    // Exactly 5 % left out of the catalogue among the bright image stars,
    // and 5 % of the remaining ones not drawn.
    int brightOnImage = 0;
    for (const DemoStar& s : plain.stars)
        brightOnImage += s.inImage && s.placed.magR < 13 ? 1 : 0;
    ASSERT_GE(brightOnImage, 30);
    const auto brightCount = [](const std::vector<DemoStar>& stars, bool wantDrawn) {
        return std::count_if(stars.begin(), stars.end(),
                             [&](const DemoStar& s) {
                                 return s.inImage && s.drawn == wantDrawn && s.placed.magR < 13;
                             });
    };
    const long uncatalogued = brightCount(flawed.uncatalogued, true);
    EXPECT_EQ(uncatalogued, std::lround(0.05 * brightOnImage));
    EXPECT_EQ(brightCount(flawed.stars, false), std::lround(0.05 * (brightOnImage - uncatalogued)));
    EXPECT_EQ(flawed.catalogue.size() + flawed.uncatalogued.size(), plain.catalogue.size());
    std::set<QString> ids;
    for (const auto& c : flawed.catalogue)
        ids.insert(c.id);
    for (const DemoStar& s : flawed.uncatalogued)
        EXPECT_FALSE(ids.count(s.placed.id)) << qPrintable(s.placed.id);
    // Undrawn bright stars leave the sky; uncatalogued ones are there.
    for (const DemoStar& s : flawed.stars)
        if (!s.drawn && s.placed.magR < 13 && wellInside(flawed.image, s.placed, 20) &&
            !hasNeighbour(flawed, s, 20, 16, p.render)) {
            EXPECT_LT(grey(flawed.image, std::lround(s.placed.xPx), std::lround(s.placed.yPx)), 90)
                << qPrintable(s.placed.id);
        }
    for (const DemoStar& s : flawed.uncatalogued)
        if (s.placed.magR < 12.5 && wellInside(flawed.image, s.placed, 2)) {
            EXPECT_GT(grey(flawed.image, std::lround(s.placed.xPx), std::lround(s.placed.yPx)), 200)
                << qPrintable(s.placed.id);
        }

    // Defects draw from their own stream: on the same stars the noise is
    // unchanged, 40 hot pixels turn single pixels white and a scratch
    // brightens pixels along one straight line.
    std::vector<PlacedStar> stars;
    for (const DemoStar& s : plain.stars)
        stars.push_back(s.placed);
    RenderParameters r = p.render;
    r.haloPeak = 0;
    r.scratchCount = r.hotPixelCount = 0;
    const QImage base = renderStarField(800, 600, stars, r);
    r.hotPixelCount = 40;
    const QImage hot = renderStarField(800, 600, stars, r);
    r.hotPixelCount = 0;
    r.scratchCount = 1;
    const QImage scratched = renderStarField(800, 600, stars, r);
    int hotChanged = 0, notWhite = 0;
    std::vector<QPoint> scratch;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            if (hot.pixel(x, y) != base.pixel(x, y)) {
                ++hotChanged;
                notWhite += grey(hot, x, y) == 255 ? 0 : 1;
            }
            if (grey(scratched, x, y) > grey(base, x, y) + 30)
                scratch.push_back({x, y});
        }
    EXPECT_GE(hotChanged, 35);  // a few may fall on saturated stars or each other
    EXPECT_LE(hotChanged, 40);
    EXPECT_EQ(notWhite, 0);
    ASSERT_GE(scratch.size(), 600u);
    const QPoint a = scratch.front(), b = scratch.back();
    for (const QPoint& q : scratch) {
        const double off = std::fabs((b.x() - a.x()) * (q.y() - a.y()) - (q.x() - a.x()) * (b.y() - a.y())) /
                           std::hypot(b.x() - a.x(), b.y() - a.y());
        ASSERT_LT(off, 2.5) << q.x() << "," << q.y();
    }

    // Halos: a ring brighter than the sky inside and outside it.
    int rings = 0;
    for (const DemoStar& s : flawed.stars) {
        const double top = saturatedTopDiameterPx(s.placed.magR, p.render);
        const double ring = p.render.haloRadiusFactor * top;
        if (top < p.render.haloMinTopDiameterPx || !s.drawn || !wellInside(flawed.image, s.placed, ring + 12) ||
            hasNeighbour(flawed, s, ring + 12, 14, p.render))
            continue;
        ++rings;
        const auto meanAt = [&](double radius) {
            double sum = 0;
            for (int k = 0; k < 72; ++k)
                sum += grey(flawed.image, std::lround(s.placed.xPx + radius * std::cos(k * 5 * kRadPerDeg)),
                            std::lround(s.placed.yPx + radius * std::sin(k * 5 * kRadPerDeg)));
            return sum / 72;
        };
        EXPECT_GT(meanAt(ring), meanAt(ring + 8) + 0.5 * p.render.haloPeak * top / p.render.maxTopDiameterPx)
            << qPrintable(s.placed.id);
    }
    EXPECT_GE(rings, 1);

    // Empty sky: the same catalogue, nothing on the image brighter than
    // the noise but the defects.
    p.drawStars = false;
    p.render.hotPixelCount = p.render.scratchCount = 0;
    const DemoField empty = generateDemoField(p);
    EXPECT_EQ(empty.catalogue.size(), flawed.catalogue.size());
    int above = 0;
    for (int y = 0; y < empty.image.height(); ++y)
        for (int x = 0; x < empty.image.width(); ++x)
            above += grey(empty.image, x, y) > 40 + 6 + 8 * 5 ? 1 : 0;  // sky, gradient, 8 sigma
    EXPECT_EQ(above, 0);
}

TEST(ClickSets, SpreadBrightStarsClickedOffCentre)
{
    const DemoField& field = plateField();
    const auto sets = offCentreClickSets(field, 60, 9);
    ASSERT_EQ(sets.size(), 60u);
    // The seed fixes the stars and the clicks.
    const auto fingerprint = [](const std::vector<FiveStarClicks>& s) {
        std::vector<std::tuple<int, int, int>> all;
        for (const FiveStarClicks& set : s)
            for (const ClickedStar& c : set)
                all.emplace_back(c.starIndex, c.clickPx.x(), c.clickPx.y());
        return all;
    };
    EXPECT_EQ(fingerprint(offCentreClickSets(field, 60, 9)), fingerprint(sets));
    EXPECT_NE(fingerprint(offCentreClickSets(field, 60, 10)), fingerprint(sets));

    // The 20 brightest drawn stars at least 25 px inside the image.
    std::vector<int> order;
    for (std::size_t i = 0; i < field.stars.size(); ++i)
        if (field.stars[i].drawn && wellInside(field.image, field.stars[i].placed, 25))
            order.push_back(static_cast<int>(i));
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return field.stars[a].placed.magR < field.stars[b].placed.magR; });
    const std::set<int> brightest(order.begin(), order.begin() + 20);

    std::set<std::set<int>> distinct;
    double largestOffset = 0;
    for (const FiveStarClicks& set : sets) {
        std::set<int> members;
        for (int a = 0; a < 5; ++a) {
            const PlacedStar& sa = field.stars[set[a].starIndex].placed;
            members.insert(set[a].starIndex);
            EXPECT_TRUE(brightest.count(set[a].starIndex)) << qPrintable(sa.id);
            const double offset = std::hypot(set[a].clickPx.x() - sa.xPx, set[a].clickPx.y() - sa.yPx);
            EXPECT_LE(offset, 3.0);
            largestOffset = std::max(largestOffset, offset);
            for (int b = a + 1; b < 5; ++b) {
                const PlacedStar& sb = field.stars[set[b].starIndex].placed;
                EXPECT_GE(std::hypot(sa.xPx - sb.xPx, sa.yPx - sb.yPx), 300.0);
                for (int c = b + 1; c < 5; ++c) {
                    const PlacedStar& sc = field.stars[set[c].starIndex].placed;
                    // Every height of the triangle: twice the area over each side.
                    const double twiceArea =
                        std::fabs((sb.xPx - sa.xPx) * (sc.yPx - sa.yPx) - (sc.xPx - sa.xPx) * (sb.yPx - sa.yPx));
                    for (const double side : {std::hypot(sb.xPx - sa.xPx, sb.yPx - sa.yPx),
                                              std::hypot(sc.xPx - sa.xPx, sc.yPx - sa.yPx),
                                              std::hypot(sc.xPx - sb.xPx, sc.yPx - sb.yPx)})
                        EXPECT_GE(twiceArea / side, 150.0);
                }
            }
        }
        EXPECT_EQ(members.size(), 5u);
        distinct.insert(members);
    }
    EXPECT_EQ(distinct.size(), 60u);
    EXPECT_GT(largestOffset, 2.0);  // clicks really are off the centre

    // Too few candidates: no set rather than a crowded one.
    ClickSetOptions few;
    few.brightestCount = 4;
    EXPECT_TRUE(offCentreClickSets(field, 5, 1, few).empty());
}

}  // namespace
}  // namespace ce::demo
