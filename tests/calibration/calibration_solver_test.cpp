// Scale factors from three stars and from the sensor geometry. Expected
// values come by hand from the model P = CX² ΔRA² + CY² ΔDec² (pixels²,
// degrees) and from the closed form CX = 60 F NX / (3438 W), CY likewise.

#include "calibration/calibration_solver.h"
#include "tests/core/key_echo.h"

#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

namespace {

using ce::test::spoken;
const ce::test::KeyEcho kLang;

// CX = 1200, CY = 800 with binary-exact offsets: star 2 is 0.25° and 0.5° away
// (300, 400 px: P12 = 250000), star 3 0.5° and 0.0625° (600, 50 px: P13 = 362500).
const std::array<ce::CalibrationStar, 3> kStars{
    {{100, 100, 10.0, 20.0}, {400, 500, 10.25, 20.5}, {700, 150, 10.5, 20.0625}}};

TEST(CalibrationSolver, ThreeStarsReproduceTheirDistancesOrSayWhyNot)
{
    const auto s = ce::solveThreeStars(kStars, kLang);
    ASSERT_TRUE(s.ok()) << s.error().toStdString();
    EXPECT_EQ(std::pair(s->p12, s->p13), std::pair(250000.0, 362500.0));
    EXPECT_EQ(ce::calibrationReport(QStringLiteral("Résultat"), *s), "Résultat: CX = 1200 et CY = 800");

    // 65535 px apart, which a 16-bit difference could not hold: A0 = 100, A1 = 1, A2 = 1, A3 = 100, D = 9999.
    const auto wide = ce::solveThreeStars({{{-32768, 0, 0, 0}, {32767, 0, 10, 1}, {-32768, 32767, 1, 10}}}, kLang);
    ASSERT_TRUE(wide.ok());
    const double p12 = 4294836225.0, p13 = 1073676289.0;  // 65535², 32767²
    EXPECT_EQ(wide->p12, p12);
    EXPECT_DOUBLE_EQ(wide->u, (100 * p12 - p13) / 9999);
    EXPECT_DOUBLE_EQ(wide->v, (100 * p13 - p12) / 9999);

    // Stars 2 and 3 on star 1's declination: A1 = A3 = 0, so D = 0.
    auto flat = kStars;
    flat[1].decDeg = flat[2].decDeg = flat[0].decDeg;
    EXPECT_EQ(spoken(ce::solveThreeStars(flat, kLang).error()), "number.division_by_zero");
    // A0 = A1 = A2 = 1, A3 = 2: D = 1, U = 2 P12 - P13, V = P13 - P12.
    EXPECT_EQ(spoken(ce::solveScale(100, 300, 1, 1, 1, 2, kLang).error()), "calib.no_root|CX²|-100|Corr Asd");
    EXPECT_EQ(spoken(ce::solveScale(300, 100, 1, 1, 1, 2, kLang).error()), "calib.no_root|CY²|-200|Corr Dec");
    EXPECT_EQ(spoken(ce::solveScale(1, 1, HUGE_VAL, 1, 1, 1, kLang).error()), "number.overflow");
}

TEST(CalibrationSolver, CalibrationBoxes)
{
    using Boxes = std::array<QString, 8>;
    // RA 1h34m50s = 5690 s / 240 s per degree; Dec -(22 + 11/60 + 1/3600).
    const auto south = ce::readCalibrationBoxes(Boxes{"512", "384", "1", "34", "50", "22", "11", "01"}, "-", u'.', kLang);
    ASSERT_TRUE(south.ok()) << south.error().toStdString();
    EXPECT_EQ(south->y, 384);
    EXPECT_LT(std::hypot(south->raDeg - 23.708333333333, south->decDeg + 22.183611111111), 1e-11);

    // inError "": read, with that X and RA; else the message, naming the box.
    const struct { Boxes boxes; QChar point; int x; double raDeg; const char* inError; } rows[] = {
        {{"1", "1", "0", "1", "abc", "0", "0", "0"}, u'.', 1, 0.25, ""},  // letters as seconds: leading number 0
        {{"1", "1", "1,5", "0", "0", "0", "0", "0"}, u',', 1, 22.5, ""},
        {{"", "", "1", "0", "0", "0", "0", "0"}, u'.', 0, 0, "number.not_a_number|X"},
        {{"40000", "1", "1", "0", "0", "0", "0", "0"}, u'.', 0, 0, "number.overflow_field|X"},
        {{"1", "1", "1", "0", "0", "0", ",", "0"}, u'.', 0, 0, "number.not_a_number|field.dec_minutes"},
    };
    for (const auto& row : rows) {
        const auto star = ce::readCalibrationBoxes(row.boxes, QStringLiteral("+"), row.point, kLang);
        ASSERT_EQ(star.ok(), *row.inError == 0) << row.inError << ": " << star.error().toStdString();
        EXPECT_TRUE(star.ok() ? star->x == row.x && std::fabs(star->raDeg - row.raDeg) < 1e-12
                              : spoken(star.error()) == QString::fromUtf8(row.inError)) << row.inError;
    }
}

ce::SensorInput sensor(double w, double h, double nx, double ny, double f) { return {w, h, nx, ny, f, f}; }

TEST(ClassicalCalibration, WorkedExamplesPixelPitchAndBoxes)
{
    // 9 mm over 1000 px both ways, 1000 mm focal length.
    const auto r = ce::solveClassical(sensor(9, 9, 1000, 1000, 1000), kLang);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_NEAR(r->scale.corrDec, 60.0 * 1000 * 1000 / (3438.0 * 9), 1e-9);  // the closed form
    EXPECT_EQ(std::round(r->scale.corrAsd * 10) / 10, 1939.1);  // 5 significant digits
    EXPECT_EQ(r->scale.p12, 300.0 * 300 + 480 * 480);
    EXPECT_TRUE(ce::classicalReport(QString(), *r, u'.').endsWith(QStringLiteral("\rCCD size: 30.942' x 30.942'")));
    // A rectangular sensor: each axis follows its own pixel pitch.
    EXPECT_NEAR(ce::solveClassical(sensor(6.9, 4.6, 765, 400, 2032), kLang).value().scale.corrDec,
                60.0 * 2032 * 400 / (3438.0 * 4.6), 1e-9);

    const struct { ce::SensorInput in; const char* inError; } zeros[] = {
        {sensor(9, 9, 1000, 1000, 0), "number.zero_field|field.focal"},
        {sensor(9, 9, 1000, 0, 1000), "number.zero_field|field.height"},
        {sensor(0, 9, 1000, 1000, 1000), "number.division_by_zero"},  // no width: D = 0
    };
    for (const auto& z : zeros)
        EXPECT_EQ(spoken(ce::solveClassical(z.in, kLang).error()), QString::fromLatin1(z.inError));

    // Millimetres by the leading-number rule: a trailing unit is dropped.
    using Boxes = std::array<QString, 5>;
    const auto unit = ce::readSensorBoxes(Boxes{"9 mm", "6,5", "1000", "800", "1000"}, u'.', kLang);
    ASSERT_TRUE(unit.ok()) << unit.error().toStdString();
    EXPECT_EQ(std::tuple(unit->widthMm, unit->heightMm, unit->heightPx), std::tuple(9.0, 6.0, 800.0));
    EXPECT_EQ(spoken(ce::readSensorBoxes(Boxes{"9", "9", "1000", "", "1000"}, u'.', kLang).error()),
              "number.not_a_number|field.height");
}

}  // namespace
