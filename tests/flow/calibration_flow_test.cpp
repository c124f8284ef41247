// Calibration by image and super calibration, driven through the controller
// with the scripted fake window.
//
// The synthetic field: scale factors CX = 2400 and CY = 2700 pixels per
// degree, chosen so that the three stars below sit on whole pixels:
//   star 1 (400, 300)  RA 1h34m50s  Dec 22°11'01"
//   star 2 (520, 480)  RA 1h35m02s  (+12 s = 0.05°,   x +120 = 2400 · 0.05)
//                      Dec +240"    (0.0666…°, y +180 = 2700 · 240 / 3600)
//   star 3 (200, 219)  RA 1h34m30s  (-20 s = -0.0833…°, x -200)
//                      Dec -108"    (y -81 = -2700 · 108 / 3600)
// Hence P12 = 120² + 180² = 46800 and P13 = 200² + 81² = 46561 square pixels.

#include "app/flow/reduction_controller.h"
#include "core/program_paths.h"
#include "tests/flow/fake_view.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <memory>

namespace ce {
namespace {

using testing::FakeView;

constexpr double kTrueCx = 2400.0;
constexpr double kTrueCy = 2700.0;

struct FieldStar {
    int x, y;                 // true centre, image pixels
    const char* ra[3];        // h, m, s as typed
    const char* dec[3];       // °, ', " as typed (unsigned)
};

const std::array<FieldStar, 3> kField = {{
    {400, 300, {"1", "34", "50"}, {"22", "11", "01"}},
    {520, 480, {"1", "35", "02"}, {"22", "15", "01"}},
    {200, 219, {"1", "34", "30"}, {"22", "09", "13"}},
}};

// Each language text names its own number, so the tests see which one was used.
LanguageTable numberedTexts()
{
    LanguageTable lang;
    for (int n = 0; n <= 20; ++n) {
        lang.messages[std::size_t(n)] = QStringLiteral("message %1").arg(n);
        lang.suggestions[std::size_t(n)] = QStringLiteral("suggestion %1").arg(n);
    }
    return lang;
}

// A star image: a cone of light around each field star, so that the
// brightest 7 by 7 window lies exactly on the star's centre.
std::int32_t fieldPixel(int x, int y)
{
    std::int32_t value = 0;
    for (const FieldStar& s : kField) {
        const int r2 = (x - s.x) * (x - s.x) + (y - s.y) * (y - s.y);
        value += std::max(0, 200 - 4 * r2);
    }
    return value;
}

class CalibrationFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lang = numberedTexts();
        controller = std::make_unique<ReductionController>(
            view, lang, ProgramPaths{folder.path(), folder.path()});
        controller->createMarkers();
        view.width = 1000;
        view.height = 800;
        view.pixelSource = fieldPixel;
        view.setText(QStringLiteral("txt_url"), QStringLiteral("field.png"));
        view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("2599.43"));
        view.setText(QStringLiteral("txt_corrdec"), QStringLiteral("2709.96"));
        view.setText(QStringLiteral("BoutonEtalo"), QStringLiteral("message 0"));
        view.setVisible(QStringLiteral("Frm_3"), true);
    }

    ReductionState& state() { return controller->state(); }
    QString box(int n) const { return view.text(QStringLiteral("Etalo_%1").arg(n)); }
    void setBox(int n, const QString& text) { view.setText(QStringLiteral("Etalo_%1").arg(n), text); }

    void typeSky(const FieldStar& s, const QString& sign = QStringLiteral("+"))
    {
        for (int k = 0; k < 3; ++k) {
            setBox(2 + k, QString::fromLatin1(s.ra[k]));
            setBox(5 + k, QString::fromLatin1(s.dec[k]));
        }
        view.setText(QStringLiteral("txt_dec_sign_show_1"), sign);
    }
    void typeStar(int x, int y, const FieldStar& sky)
    {
        setBox(0, QString::number(x));
        setBox(1, QString::number(y));
        typeSky(sky);
    }
    double corr(const char* field) const { return view.text(QString::fromLatin1(field)).toDouble(); }

    QTemporaryDir folder;
    LanguageTable lang;
    FakeView view;
    std::unique_ptr<ReductionController> controller;
};

TEST_F(CalibrationFlowTest, StartNeedsAnImageAndRestartsAtStepOne)
{
    // Without an image only the suggestion changes ("etalonage", step 0).
    state().mode = QStringLiteral("coor");
    controller->startEtalonage();
    EXPECT_EQ(state().mode, QStringLiteral("coor"));
    EXPECT_FALSE(view.isVisible(QStringLiteral("Frm_4")));
    EXPECT_TRUE(view.isVisible(QStringLiteral("Frm_3")));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 8"));

    controller->Loadimg();
    ASSERT_TRUE(state().imageLoaded);
    controller->startEtalonage();
    EXPECT_EQ(state().mode, QStringLiteral("etalo"));
    EXPECT_EQ(state().etaloStep, 1);
    EXPECT_TRUE(view.isVisible(QStringLiteral("zoom")));
    EXPECT_TRUE(view.isVisible(QStringLiteral("Frm_4")));
    EXPECT_FALSE(view.isVisible(QStringLiteral("Frm_3")));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 8"));

    // Two stars stored, then a restart from the menu: step 1 again, the
    // button back to its first caption, the boxes as they were.
    typeStar(400, 300, kField[0]);
    controller->BoutonEtalo();
    typeStar(520, 480, kField[1]);
    controller->BoutonEtalo();
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), QStringLiteral("message 1"));
    setBox(3, QStringLiteral("12"));
    controller->startEtalonage();
    EXPECT_EQ(state().etaloStep, 1);
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), QStringLiteral("message 0"));
    EXPECT_EQ(box(3), QStringLiteral("12"));
}

TEST_F(CalibrationFlowTest, ThreeMarkedStarsGiveTheFieldScale)
{
    controller->Loadimg();
    controller->startEtalonage();
    // Clicks a few pixels off each star; the selection moves them onto it.
    const std::array<std::pair<int, int>, 3> clicks = {{{402, 299}, {518, 482}, {201, 217}}};
    for (int i = 0; i < 3; ++i) {
        state().clickX = std::int16_t(clicks[std::size_t(i)].first);
        state().clickY = std::int16_t(clicks[std::size_t(i)].second);
        controller->doselect();
        EXPECT_EQ(box(0), QString::number(kField[std::size_t(i)].x)) << "star " << i + 1;
        EXPECT_EQ(box(1), QString::number(kField[std::size_t(i)].y)) << "star " << i + 1;
        typeSky(kField[std::size_t(i)]);
        controller->BoutonEtalo();
        if (i == 0) {
            // 1h34m50s = 23.708333…° and 22°11'01" = 22.183611…° (by hand).
            EXPECT_NEAR(state().etaloRA[1], 23.7083333333, 1e-9);
            EXPECT_NEAR(state().etaloDec[1], 22.1836111111, 1e-9);
            EXPECT_EQ(state().fillFromIdentification, 1);
        }
        if (i < 2) {
            // Message 1 from the second star on, for the press that computes.
            EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")),
                      i == 0 ? QStringLiteral("message 0") : QStringLiteral("message 1"));
        }
    }
    EXPECT_EQ(state().mode, QStringLiteral("done"));  // left by the third click
    ASSERT_TRUE(view.messages.size() == 1) << "one report, no failure";

    EXPECT_NEAR(corr("txt_corrasd"), kTrueCx, kTrueCx * 1e-3);
    EXPECT_NEAR(corr("txt_corrdec"), kTrueCy, kTrueCy * 1e-3);
    EXPECT_DOUBLE_EQ(state().P12, 46800.0);
    EXPECT_DOUBLE_EQ(state().P13, 46561.0);
    EXPECT_EQ(view.messages[0].text,
              QStringLiteral("message 7: CX = ") + view.text(QStringLiteral("txt_corrasd")) +
                  QStringLiteral(" et CY = ") + view.text(QStringLiteral("txt_corrdec")));

    EXPECT_EQ(state().etaloStep, 4);
    EXPECT_FALSE(view.isVisible(QStringLiteral("Frm_4")));
    EXPECT_TRUE(view.isVisible(QStringLiteral("Frm_3")));
    EXPECT_FALSE(view.isVisible(QStringLiteral("zoom")));
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), QStringLiteral("message 0"));
    for (int n = 0; n < 8; ++n) EXPECT_TRUE(box(n).isEmpty()) << "box " << n;
}

TEST_F(CalibrationFlowTest, UnreadableBoxKeepsTheStepAndTheTexts)
{
    struct Row {
        const char* name;
        int box;
        const char* text;
        const char* field;   // must be named in the message
    };
    const Row rows[] = {
        {"X empty (no star clicked)", 0, "", "X"},
        {"Y with letters", 1, "3o0", "Y"},
        {"Y beyond 16 bits", 1, "40000", "Y"},
        {"hours empty", 2, "", "RA (heures)"},
        {"minutes with a unit", 3, "34m", "RA (minutes)"},
        {"degrees letters", 5, "ab", "DEC"},
        {"arc-minutes empty", 6, "", "DEC"},
    };
    controller->Loadimg();
    for (const Row& row : rows) {
        controller->startEtalonage();
        view.messages.clear();
        typeStar(400, 300, kField[0]);
        setBox(row.box, QString::fromLatin1(row.text));
        state().etaloX[1] = -1;
        controller->BoutonEtalo();
        ASSERT_EQ(view.messages.size(), 1u) << row.name;
        EXPECT_TRUE(view.messages[0].text.contains(QString::fromLatin1(row.field))) << row.name;
        EXPECT_EQ(state().etaloStep, 1) << row.name;
        EXPECT_EQ(state().etaloX[1], -1) << row.name << ": nothing stored";
        EXPECT_EQ(box(row.box), QString::fromLatin1(row.text)) << row.name;
        EXPECT_EQ(box(2), row.box == 2 ? QString() : QStringLiteral("1")) << row.name;
    }

    // Seconds follow the leading-number rule: letters give 0, no message.
    struct Seconds {
        const char* ra;
        const char* dec;
        double raDeg, decDeg;  // by hand: (h·3600 + m·60 + s) / 240, d + m/60 + s/3600
    };
    const Seconds seconds[] = {
        {"50.5", "01", 23.7104166667, 22.1836111111},
        {"xyz", "abc", 23.5, 22.1833333333},
    };
    for (const Seconds& s : seconds) {
        controller->startEtalonage();
        view.messages.clear();
        typeStar(400, 300, kField[0]);
        setBox(4, QString::fromLatin1(s.ra));
        setBox(7, QString::fromLatin1(s.dec));
        controller->BoutonEtalo();
        EXPECT_TRUE(view.messages.empty()) << s.ra;
        EXPECT_EQ(state().etaloStep, 2) << s.ra;
        EXPECT_NEAR(state().etaloRA[1], s.raDeg, 1e-9) << s.ra;
        EXPECT_NEAR(state().etaloDec[1], s.decDeg, 1e-9) << s.ra;
    }
}

TEST_F(CalibrationFlowTest, FailedComputationKeepsCorrFieldsAndBlocksUntilRestart)
{
    struct Row {
        const char* name;
        std::array<FieldStar, 3> stars;
    };
    const Row rows[] = {
        // Stars 2 and 3 on the declination of star 1: A1 = A3 = 0, D = 0.
        {"one declination",
         {FieldStar{400, 300, {"1", "34", "50"}, {"22", "11", "01"}},
          FieldStar{520, 480, {"1", "35", "02"}, {"22", "11", "01"}},
          FieldStar{200, 219, {"1", "34", "30"}, {"22", "11", "01"}}}},
        // ΔRA = ΔDec = 0.1° for 1-2 but only 100 square pixels, 10000 for
        // 1-3 along Dec alone: U = (A3 P12 - A1 P13) / D < 0.
        {"no real square root",
         {FieldStar{0, 0, {"0", "0", "0"}, {"10", "0", "0"}},
          FieldStar{0, 10, {"0", "0", "24"}, {"10", "6", "0"}},
          FieldStar{100, 0, {"0", "0", "0"}, {"10", "6", "0"}}}},
    };
    controller->Loadimg();
    for (const Row& row : rows) {
        controller->startEtalonage();
        view.messages.clear();
        for (const FieldStar& s : row.stars) {
            typeStar(s.x, s.y, s);
            controller->BoutonEtalo();
        }
        ASSERT_EQ(view.messages.size(), 1u) << row.name;
        if (std::string(row.name) == "one declination") {
            EXPECT_TRUE(view.messages[0].text.contains(QStringLiteral("Division par zéro")));
        }
        EXPECT_EQ(view.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43")) << row.name;
        EXPECT_EQ(view.text(QStringLiteral("txt_corrdec")), QStringLiteral("2709.96")) << row.name;
        EXPECT_EQ(state().etaloStep, 4) << row.name;
        EXPECT_TRUE(view.isVisible(QStringLiteral("Frm_4"))) << row.name;
        for (int n = 0; n < 8; ++n) EXPECT_TRUE(box(n).isEmpty()) << row.name;

        // A further press, even with a good star typed, fails the same way.
        typeStar(400, 300, kField[0]);
        controller->BoutonEtalo();
        ASSERT_EQ(view.messages.size(), 2u) << row.name;
        EXPECT_TRUE(view.messages[1].text.contains(QStringLiteral("Indice hors limites")));
        EXPECT_EQ(state().etaloStep, 4) << row.name;
        EXPECT_EQ(box(0), QStringLiteral("400")) << row.name;
    }
}

TEST_F(CalibrationFlowTest, FocusMovesAfterTwoCharactersExceptFromSeconds)
{
    struct Row {
        int box;
        const char* text;
        const char* focus;  // expected focus afterwards, "" for none
    };
    const Row rows[] = {
        {0, "12", "Etalo_1"}, {1, "34", "Etalo_2"}, {2, "01", "Etalo_3"},
        {3, "34", "Etalo_4"}, {5, "22", "Etalo_6"}, {6, "11", "Etalo_7"},
        {4, "50", ""},        {7, "01", ""},        {2, "1", ""},
        {0, "123", ""},       {3, "", ""},
    };
    for (const Row& row : rows) {
        view.focus.clear();
        setBox(row.box, QString::fromLatin1(row.text));
        controller->etaloTextChanged(row.box);
        EXPECT_EQ(view.focus, QString::fromLatin1(row.focus))
            << "box " << row.box << " text '" << row.text << "'";
    }
}

// Super calibration over an accepted solution whose catalogue plane uses
// the scale factors of the synthetic field, with the field moved south:
// the declinations are -22°11'01", -22°07'01" (+240") and -22°12'49" (-108").
class SuperCalibrationTest : public CalibrationFlowTest {
protected:
    void placeCatalogue()
    {
        const double dec1 = -(22.0 + 11.0 / 60.0 + 1.0 / 3600.0);
        const double ra1 = (1.0 * 3600 + 34 * 60 + 50) / 240.0;
        const std::array<double, 3> raDeg = {ra1, ra1 + 12.0 / 240.0, ra1 - 20.0 / 240.0};
        const std::array<double, 3> decDeg = {dec1, dec1 + 240.0 / 3600.0, dec1 - 108.0 / 3600.0};
        state().corrAsd = kTrueCx;
        state().corrDec = kTrueCy;
        state().starTotal = 3;
        for (std::size_t i = 1; i <= 3; ++i) {
            state().starId[i] = QStringLiteral("star %1").arg(i);
            state().starU[i] = raDeg[i - 1] * kTrueCx;
            state().starV[i] = decDeg[i - 1] * kTrueCy;
            Marker& m = state().markers.star[i];
            m.size = kStarMarkerSize;
            m.left = float(kField[i - 1].x - kStarMarkerSize / 2);  // centre on the star
            m.top = float(kField[i - 1].y - kStarMarkerSize / 2);
            m.visible = true;
        }
        state().mapStatus = QStringLiteral("done");
        state().mode = QStringLiteral("coor");
    }
    void hover(int star)
    {
        const Marker& m = state().markers.star[std::size_t(star)];
        controller->pointerMove(m.left + 1.3, m.top - 0.6);
    }
};

TEST_F(SuperCalibrationTest, WithoutSolutionOnlyTheSuggestionChanges)
{
    state().mode = QStringLiteral("coor");
    controller->startSuperEtalonage();
    EXPECT_EQ(state().mode, QStringLiteral("coor"));
    EXPECT_EQ(state().fillFromIdentification, 0);
    EXPECT_FALSE(view.isVisible(QStringLiteral("Frm_4")));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 6"));
}

TEST_F(SuperCalibrationTest, SouthernStarsPickedOnTheOverlayGiveTheScale)
{
    placeCatalogue();
    state().solutionAccepted = true;
    state().markCount = 5;
    state().markers.click[2].visible = true;  // left by the selection
    controller->startSuperEtalonage();
    EXPECT_EQ(state().mode, QStringLiteral("superetalo"));
    EXPECT_EQ(state().etaloStep, 1);
    EXPECT_EQ(state().markCount, 0);
    EXPECT_EQ(state().fillFromIdentification, 1);
    EXPECT_FALSE(state().markers.click[2].visible);
    EXPECT_TRUE(view.isVisible(QStringLiteral("Frm_4")));
    EXPECT_FALSE(view.isVisible(QStringLiteral("Frm_3")));
    EXPECT_FALSE(view.isVisible(QStringLiteral("zoom")));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 7"));

    for (int star = 1; star <= 3; ++star) {
        hover(star == 1 ? 3 : star - 1);  // another star first: the last hover wins
        hover(star);
        controller->click();
        hover(star % 3 + 1);              // after the click the boxes stay
        EXPECT_EQ(box(0), QString::number(kField[std::size_t(star - 1)].x)) << star;
        EXPECT_EQ(box(5), QStringLiteral("22")) << star;
        EXPECT_EQ(view.text(QStringLiteral("txt_dec_sign_show_1")), QStringLiteral("-")) << star;
        EXPECT_EQ(state().markCount, star);
        EXPECT_TRUE(state().markers.click[std::size_t(star)].visible) << star;
        controller->BoutonEtalo();
        EXPECT_LT(state().etaloDec[std::size_t(star)], -22.0) << star;
    }
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].text.startsWith(QStringLiteral("message 7: CX = ")));
    // The seconds in the boxes carry 4 decimals, so the scale is close, not exact.
    EXPECT_NEAR(corr("txt_corrasd"), kTrueCx, kTrueCx * 1e-3);
    EXPECT_NEAR(corr("txt_corrdec"), kTrueCy, kTrueCy * 1e-3);
    EXPECT_EQ(state().mode, QStringLiteral("superetalo"));
    EXPECT_FALSE(view.isVisible(QStringLiteral("Frm_4")));
}

TEST_F(SuperCalibrationTest, DeclinationJustSouthOfTheEquatorKeepsItsSign)
{
    placeCatalogue();
    state().starV[1] = -0.5 * kTrueCy;  // -0°30'
    state().solutionAccepted = true;
    controller->startSuperEtalonage();
    hover(1);
    controller->click();
    controller->BoutonEtalo();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_NEAR(state().etaloDec[1], -0.5, 1e-9);
}

}  // namespace
}  // namespace ce
