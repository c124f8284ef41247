// Scale factors from three stars and from the sensor geometry.
//
// Expected values are derived by hand from the model
//     P = CX² ΔRA² + CY² ΔDec²   (pixels², degrees)
// and, for the classical calibration, from the closed form
//     CX = 60 F NX / (3438 W),  CY = 60 F NY / (3438 H).

#include "calibration/calibration_solver.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

// Stars chosen for CX = 1200, CY = 800 with binary-exact offsets:
// star 2 is 0.25° and 0.5° away (300 and 400 px, P12 = 250000),
// star 3 is 0.5° and 0.0625° away (600 and 50 px, P13 = 362500).
const std::array<ce::CalibrationStar, 3> kExactStars{{
    {100, 100, 10.0, 20.0},
    {400, 500, 10.25, 20.5},
    {700, 150, 10.5, 20.0625},
}};

TEST(CalibrationSolver, ThreeStarsReproduceTheirDistances)
{
    const auto s = ce::solveThreeStars(kExactStars);
    ASSERT_TRUE(s.ok()) << s.error().toStdString();
    EXPECT_EQ(s->p12, 250000.0);
    EXPECT_EQ(s->p13, 362500.0);
    EXPECT_EQ(s->corrAsdText, "1200");
    EXPECT_EQ(s->corrDecText, "800");
    // Put back into the model, the factors give the measured distances.
    EXPECT_DOUBLE_EQ(s->a0 * s->u + s->a1 * s->v, s->p12);
    EXPECT_DOUBLE_EQ(s->a2 * s->u + s->a3 * s->v, s->p13);
}

TEST(CalibrationSolver, PixelDifferencesDoNotOverflow)
{
    // Opposite ends of the 16-bit range: 65535 px apart, which a 16-bit
    // difference could not hold.
    const std::array<ce::CalibrationStar, 3> stars{{
        {-32768, 0, 0.0, 0.0},
        {32767, 0, 10.0, 1.0},
        {-32768, 32767, 1.0, 10.0},
    }};
    const auto s = ce::solveThreeStars(stars);
    ASSERT_TRUE(s.ok()) << s.error().toStdString();
    const double p12 = 4294836225.0;  // 65535²
    const double p13 = 1073676289.0;  // 32767²
    EXPECT_EQ(s->p12, p12);
    EXPECT_EQ(s->p13, p13);
    // A0 = 100, A1 = 1, A2 = 1, A3 = 100, D = 9999.
    EXPECT_DOUBLE_EQ(s->u, (100 * p12 - p13) / 9999);
    EXPECT_DOUBLE_EQ(s->v, (100 * p13 - p12) / 9999);
}

TEST(CalibrationSolver, FailuresHaveAFrenchReasonAndNoNumbers)
{
    // Stars 2 and 3 on star 1's declination: A1 = A3 = 0, so D = 0.
    std::array<ce::CalibrationStar, 3> flat = kExactStars;
    flat[1].decDeg = flat[0].decDeg;
    flat[2].decDeg = flat[0].decDeg;
    const auto d0 = ce::solveThreeStars(flat);
    ASSERT_FALSE(d0.ok());
    EXPECT_EQ(d0.error(), "Division par zéro");

    // A0 = A1 = A2 = 1, A3 = 2: D = 1, U = 2 P12 - P13, V = P13 - P12.
    const auto negU = ce::solveScale(100, 300, 1, 1, 1, 2);
    ASSERT_FALSE(negU.ok());
    EXPECT_TRUE(negU.error().contains(QStringLiteral("Corr Asd")));
    EXPECT_TRUE(negU.error().contains(QStringLiteral("-100")));
    const auto negV = ce::solveScale(300, 100, 1, 1, 1, 2);
    ASSERT_FALSE(negV.ok());
    EXPECT_TRUE(negV.error().contains(QStringLiteral("Corr Dec")));
    EXPECT_TRUE(negV.error().contains(QStringLiteral("-200")));

    const auto inf = ce::solveScale(1, 1, HUGE_VAL, 1, 1, 1);
    ASSERT_FALSE(inf.ok());
    EXPECT_TRUE(inf.error().contains(QStringLiteral("Dépassement")));
}

TEST(CalibrationSolver, CalibrationBoxes)
{
    using Boxes = std::array<QString, 8>;
    // RA 1 h 34 m 50 s = 5690 s / 240 s per degree = 23.7083333°.
    // Dec -(22 + 11/60 + 1/3600) = -22.1836111°: the sign covers it all.
    const auto south = ce::readCalibrationBoxes(
        Boxes{"512", "384", "1", "34", "50", "22", "11", "01"}, QStringLiteral("-"), u'.');
    ASSERT_TRUE(south.ok()) << south.error().toStdString();
    EXPECT_EQ(south->x, 512);
    EXPECT_EQ(south->y, 384);
    EXPECT_NEAR(south->raDeg, 5690.0 / 240.0, 1e-12);
    EXPECT_NEAR(south->decDeg, -22.183611111111, 1e-11);

    struct Row {
        const char* name;
        Boxes boxes;
        QChar point;
        int x;
        double raDeg;          // checked when no error
        const char* inError;   // "" when read
    };
    const Row rows[] = {
        {"seconds with decimals", {"1", "1", "0", "0", "50.5", "0", "0", "0"}, u'.', 1, 50.5 / 240, ""},
        {"letters as seconds give 0", {"1", "1", "0", "1", "abc", "0", "0", "0"}, u'.', 1, 0.25, ""},
        {"X half to even, down", {"12.5", "1", "0", "0", "0", "0", "0", "0"}, u'.', 12, 0, ""},
        {"X half to even, up", {"13.5", "1", "0", "0", "0", "0", "0", "0"}, u'.', 14, 0, ""},
        {"hours in a comma locale", {"1", "1", "1,5", "0", "0", "0", "0", "0"}, u',', 1, 22.5, ""},
        {"no star clicked", {"", "", "1", "0", "0", "0", "0", "0"}, u'.', 0, 0, "le champ X "},
        {"Y not a number", {"1", "y", "1", "0", "0", "0", "0", "0"}, u'.', 0, 0, "le champ Y "},
        {"X beyond 16 bits", {"40000", "1", "1", "0", "0", "0", "0", "0"}, u'.', 0, 0, "Dépassement"},
        {"hours with a unit", {"1", "1", "1h", "0", "0", "0", "0", "0"}, u'.', 0, 0, "RA (heures)"},
        {"empty minutes", {"1", "1", "1", "", "0", "0", "0", "0"}, u'.', 0, 0, "RA (minutes)"},
        {"degrees", {"1", "1", "1", "0", "0", "+-", "0", "0"}, u'.', 0, 0, "DEC (degrés)"},
        {"arc-minutes", {"1", "1", "1", "0", "0", "0", ",", "0"}, u'.', 0, 0, "DEC (minutes d'arc)"},
    };
    for (const Row& row : rows) {
        const auto star = ce::readCalibrationBoxes(row.boxes, QStringLiteral("+"), row.point);
        const QString expected = QString::fromUtf8(row.inError);
        if (expected.isEmpty()) {
            ASSERT_TRUE(star.ok()) << row.name << ": " << star.error().toStdString();
            EXPECT_EQ(star->x, row.x) << row.name;
            EXPECT_NEAR(star->raDeg, row.raDeg, 1e-12) << row.name;
            EXPECT_GE(star->decDeg, 0.0) << row.name;
        } else {
            ASSERT_FALSE(star.ok()) << row.name;
            EXPECT_TRUE(star.error().contains(expected)) << row.name << ": " << star.error().toStdString();
        }
    }
}

ce::SensorInput sensor(double w, double h, double nx, double ny, double f)
{
    return {w, h, nx, ny, f, f};
}

TEST(ClassicalCalibration, SquareSensorWorkedExample)
{
    // 9 mm over 1000 px both ways, 1000 mm focal length.
    const auto r = ce::solveClassical(sensor(9, 9, 1000, 1000, 1000));
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    const double closedForm = 60.0 * 1000 * 1000 / (3438.0 * 9);
    EXPECT_NEAR(r->scale.corrAsd, closedForm, 1e-9);
    EXPECT_NEAR(r->scale.corrDec, closedForm, 1e-9);
    EXPECT_EQ(std::round(r->scale.corrAsd * 10) / 10, 1939.1);  // 5 significant digits
    EXPECT_EQ(r->scale.p12, 320400.0);  // 300² + 480²
    EXPECT_EQ(r->scale.p13, 370000.0);  // 600² + 100²
    EXPECT_NEAR(r->fieldWidthArcmin, 30.942, 1e-12);
    EXPECT_NEAR(r->fieldHeightArcmin, 30.942, 1e-12);

    const QString cx = r->scale.corrAsdText;
    EXPECT_TRUE(cx.startsWith(QStringLiteral("1939.11"))) << cx.toStdString();
    EXPECT_NEAR(cx.toDouble(), closedForm, 1e-9);
    EXPECT_EQ(ce::classicalReport(QStringLiteral("Résultat"), *r, u'.'),
              QStringLiteral("Résultat: CX = ") + cx + QStringLiteral(" et CY = ") +
                  r->scale.corrDecText + QChar(13) + QStringLiteral("CCD size: 30.942' x 30.942'"));
    EXPECT_TRUE(ce::classicalReport(QString(), *r, u',').endsWith(QStringLiteral("30,942' x 30,942'")));
}

TEST(ClassicalCalibration, RectangularSensorFollowsThePixelPitch)
{
    const auto r = ce::solveClassical(sensor(6.9, 4.6, 765, 400, 2032));
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_NEAR(r->scale.corrAsd, 60.0 * 2032 * 765 / (3438.0 * 6.9), 1e-9);
    EXPECT_NEAR(r->scale.corrDec, 60.0 * 2032 * 400 / (3438.0 * 4.6), 1e-9);
    EXPECT_NEAR(r->scale.corrAsd / r->scale.corrDec, (4.6 / 400) / (6.9 / 765), 1e-12);
}

TEST(ClassicalCalibration, ZeroInputsAreDivisionErrors)
{
    struct Row {
        const char* name;
        ce::SensorInput in;
        const char* inError;
    };
    const Row rows[] = {
        {"focal length", sensor(9, 9, 1000, 1000, 0), "Focale"},
        {"width in pixels", sensor(9, 9, 0, 1000, 1000), "Largeur"},
        {"height in pixels", sensor(9, 9, 1000, 0, 1000), "Hauteur"},
        {"width in mm", sensor(0, 9, 1000, 1000, 1000), "Division par zéro"},
    };
    for (const Row& row : rows) {
        const auto r = ce::solveClassical(row.in);
        ASSERT_FALSE(r.ok()) << row.name;
        EXPECT_TRUE(r.error().startsWith(QStringLiteral("Division par zéro"))) << row.name;
        EXPECT_TRUE(r.error().contains(QString::fromUtf8(row.inError))) << row.name;
    }
}

TEST(ClassicalCalibration, SensorBoxes)
{
    using Boxes = std::array<QString, 5>;
    // Millimetres by the leading-number rule, a trailing unit is dropped.
    const auto unit = ce::readSensorBoxes(Boxes{"9 mm", "6,5", "1000", "800", "1000"}, u'.');
    ASSERT_TRUE(unit.ok()) << unit.error().toStdString();
    EXPECT_EQ(unit->widthMm, 9.0);
    EXPECT_EQ(unit->heightMm, 6.0);
    EXPECT_EQ(unit->widthPx, 1000.0);
    EXPECT_EQ(unit->heightPx, 800.0);

    // The focal length by the locale rule for the factors, by the leading
    // rule for the field size.
    const auto comma = ce::readSensorBoxes(Boxes{"9", "9", "1000", "1000", "1000,5"}, u',');
    ASSERT_TRUE(comma.ok());
    EXPECT_EQ(comma->focalMm, 1000.5);
    EXPECT_EQ(comma->focalMmLeading, 1000.0);

    const auto focalUnit = ce::readSensorBoxes(Boxes{"9", "9", "1000", "1000", "1000 mm"}, u'.');
    ASSERT_FALSE(focalUnit.ok());
    EXPECT_TRUE(focalUnit.error().contains(QStringLiteral("Focale (mm)")));
    const auto noPixels = ce::readSensorBoxes(Boxes{"9", "9", "1000", "", "1000"}, u'.');
    ASSERT_FALSE(noPixels.ok());
    EXPECT_TRUE(noPixels.error().contains(QStringLiteral("Hauteur (pixels)")));
}

}  // namespace
