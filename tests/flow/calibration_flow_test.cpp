// Calibration by image and super calibration through the controller.
//
// The synthetic field: CX = 2400 and CY = 2700 pixels per degree, chosen so
// that the three stars sit on whole pixels:
//   star 1 (400, 300)  RA 1h34m50s  Dec 22°11'01"
//   star 2 (520, 480)  RA +12 s = 0.05° (x +120 = 2400 · 0.05), Dec +240" (y +180)
//   star 3 (200, 219)  RA -20 s (x -200), Dec -108" (y -81 = -2700 · 108 / 3600)
// Hence P12 = 120² + 180² = 46800 and P13 = 200² + 81² = 46561 square pixels.

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"

#include <gtest/gtest.h>

#include <array>

namespace ce::testing {
namespace {

constexpr double kTrueCx = 2400.0;
constexpr double kTrueCy = 2700.0;

struct FieldStar {
    int x, y;           // true centre, image pixels
    const char* ra[3];  // h, m, s as typed
    const char* dec[3]; // °, ', " as typed (unsigned)
};

const std::array<FieldStar, 3> kField = {{
    {400, 300, {"1", "34", "50"}, {"22", "11", "01"}},
    {520, 480, {"1", "35", "02"}, {"22", "15", "01"}},
    {200, 219, {"1", "34", "30"}, {"22", "09", "13"}},
}};

// A cone of light around each star: the brightest 7 by 7 window lies on its centre.
std::int32_t fieldPixel(int x, int y)
{
    std::int32_t value = 0;
    for (const FieldStar& s : kField)
        value += std::max(0, 200 - 4 * ((x - s.x) * (x - s.x) + (y - s.y) * (y - s.y)));
    return value;
}

class CalibrationFlowTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        view.width = 1000;
        view.height = 800;
        view.pixelSource = fieldPixel;
        view.setText(QStringLiteral("txt_url"), QStringLiteral("field.png"));
        view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("2599.43"));
        view.setText(QStringLiteral("txt_corrdec"), QStringLiteral("2709.96"));
        view.setText(QStringLiteral("BoutonEtalo"), message(0));
        view.setVisible(QStringLiteral("Frm_3"), true);
    }

    QString box(int n) const { return view.text(QStringLiteral("Etalo_%1").arg(n)); }
    void setBox(int n, const QString& text) { view.setText(QStringLiteral("Etalo_%1").arg(n), text); }
    bool visible(const char* control) const { return view.isVisible(QString::fromLatin1(control)); }
    double corr(const char* field) const { return view.text(QString::fromLatin1(field)).toDouble(); }
    void typeStar(int x, int y, const FieldStar& sky)
    {
        setBox(0, QString::number(x));
        setBox(1, QString::number(y));
        for (int k = 0; k < 3; ++k) {
            setBox(2 + k, QString::fromLatin1(sky.ra[k]));
            setBox(5 + k, QString::fromLatin1(sky.dec[k]));
        }
        view.setText(QStringLiteral("txt_dec_sign_show_1"), QStringLiteral("+"));
    }
};

TEST_F(CalibrationFlowTest, StartNeedsAnImageAndRestartsAtStepOne)
{
    // Without an image only the suggestion changes ("etalonage", step 0).
    st.mode = QStringLiteral("coor");
    controller.startEtalonage();
    EXPECT_EQ(st.mode, QStringLiteral("coor"));
    EXPECT_FALSE(visible("Frm_4"));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 8"));

    controller.Loadimg();
    ASSERT_TRUE(st.imageLoaded);
    controller.startEtalonage();
    EXPECT_EQ(st.mode, QStringLiteral("etalo"));
    EXPECT_EQ(st.etaloStep, 1);
    EXPECT_TRUE(visible("zoom") && visible("Frm_4") && !visible("Frm_3"));

    // Two stars stored, then a restart: step 1, the first caption, the boxes as they were.
    typeStar(400, 300, kField[0]);
    controller.BoutonEtalo();
    typeStar(520, 480, kField[1]);
    controller.BoutonEtalo();
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), message(1));
    setBox(3, QStringLiteral("12"));
    controller.startEtalonage();
    EXPECT_EQ(st.etaloStep, 1);
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), message(0));
    EXPECT_EQ(box(3), QStringLiteral("12"));
}

TEST_F(CalibrationFlowTest, ThreeMarkedStarsGiveTheFieldScale)
{
    controller.Loadimg();
    controller.startEtalonage();
    // Clicks a few pixels off each star; the selection moves them onto it.
    const std::array<std::pair<int, int>, 3> clicks = {{{402, 299}, {518, 482}, {201, 217}}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        st.clickX = std::int16_t(clicks[i].first);
        st.clickY = std::int16_t(clicks[i].second);
        controller.doselect();
        EXPECT_EQ(box(0), QString::number(kField[i].x));
        EXPECT_EQ(box(1), QString::number(kField[i].y));
        typeStar(kField[i].x, kField[i].y, kField[i]);
        controller.BoutonEtalo();
        if (i == 0) {
            // 1h34m50s = 23.708333…° and 22°11'01" = 22.183611…° (by hand).
            EXPECT_NEAR(st.etaloRA[1], 23.7083333333, 1e-9);
            EXPECT_NEAR(st.etaloDec[1], 22.1836111111, 1e-9);
            EXPECT_EQ(st.fillFromIdentification, 1);
        }
        // Message 1 from the second star on, for the press that computes.
        if (i < 2) {
            EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), message(int(i)));
        }
    }
    EXPECT_EQ(st.mode, QStringLiteral("done"));  // left by the third click
    ASSERT_EQ(view.messages.size(), 1u) << "one report, no failure";
    EXPECT_NEAR(corr("txt_corrasd"), kTrueCx, kTrueCx * 1e-3);
    EXPECT_NEAR(corr("txt_corrdec"), kTrueCy, kTrueCy * 1e-3);
    EXPECT_DOUBLE_EQ(st.P12, 46800.0);
    EXPECT_DOUBLE_EQ(st.P13, 46561.0);
    EXPECT_EQ(view.messages[0].text,
              message(7) + QStringLiteral(": CX = ") + view.text(QStringLiteral("txt_corrasd")) +
                  QStringLiteral(" et CY = ") + view.text(QStringLiteral("txt_corrdec")));
    EXPECT_EQ(st.etaloStep, 4);
    EXPECT_TRUE(!visible("Frm_4") && visible("Frm_3") && !visible("zoom"));
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), message(0));
    for (int n = 0; n < 8; ++n) EXPECT_TRUE(box(n).isEmpty()) << "box " << n;
}

TEST_F(CalibrationFlowTest, UnreadableBoxKeepsTheStepAndTheTexts)
{
    struct Row {
        int box;
        const char* text;
        const char* field;  // must be named in the message
    };
    // Each box's reading rule is the calibration boxes' own; one pixel box and
    // two sky boxes show the step's handling.
    const Row rows[] = {{0, "", "X"}, {3, "34m", "RA (minutes)"}, {5, "ab", "DEC"}};
    controller.Loadimg();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("box ") + std::to_string(row.box) + " '" + row.text + "'");
        controller.startEtalonage();
        view.messages.clear();
        typeStar(400, 300, kField[0]);
        setBox(row.box, QString::fromLatin1(row.text));
        st.etaloX[1] = -1;
        controller.BoutonEtalo();
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_TRUE(view.messages[0].text.contains(QString::fromLatin1(row.field)));
        EXPECT_EQ(st.etaloStep, 1);
        EXPECT_EQ(st.etaloX[1], -1) << "nothing stored";
        EXPECT_EQ(box(row.box), QString::fromLatin1(row.text));
        EXPECT_EQ(box(2), row.box == 2 ? QString() : QStringLiteral("1"));
    }

}

TEST_F(CalibrationFlowTest, FailedComputationKeepsCorrFieldsAndBlocksUntilRestart)
{
    // Stars 2 and 3 on the declination of star 1: A1 = A3 = 0, D = 0.
    const FieldStar flat[] = {{400, 300, {"1", "34", "50"}, {"22", "11", "01"}},
                              {520, 480, {"1", "35", "02"}, {"22", "11", "01"}},
                              {200, 219, {"1", "34", "30"}, {"22", "11", "01"}}};
    controller.Loadimg();
    controller.startEtalonage();
    for (const FieldStar& s : flat) {
        typeStar(s.x, s.y, s);
        controller.BoutonEtalo();
    }
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].text.contains(QStringLiteral("Division par zéro")));
    EXPECT_EQ(view.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));
    EXPECT_EQ(view.text(QStringLiteral("txt_corrdec")), QStringLiteral("2709.96"));
    EXPECT_EQ(st.etaloStep, 4);
    EXPECT_TRUE(visible("Frm_4"));
    for (int n = 0; n < 8; ++n) EXPECT_TRUE(box(n).isEmpty());

    // A further press, even with a good star typed, fails the same way.
    typeStar(400, 300, kField[0]);
    controller.BoutonEtalo();
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_TRUE(view.messages[1].text.contains(QStringLiteral("Indice hors limites")));
    EXPECT_EQ(st.etaloStep, 4);
    EXPECT_EQ(box(0), QStringLiteral("400"));
    // Only a restart from the menu brings step 1 back.
    controller.startEtalonage();
    EXPECT_EQ(st.etaloStep, 1);
}

TEST_F(CalibrationFlowTest, FocusMovesAfterTwoCharactersExceptFromSeconds)
{
    struct Row {
        int box;
        const char* text;
        const char* focus;  // "" for none
    };
    const Row rows[] = {{0, "12", "Etalo_1"}, {3, "34", "Etalo_4"}, {6, "11", "Etalo_7"}, {4, "50", ""},
                        {7, "01", ""},        {2, "1", ""},         {0, "123", ""}};
    for (const Row& row : rows) {
        view.focus.clear();
        setBox(row.box, QString::fromLatin1(row.text));
        controller.etaloTextChanged(row.box);
        EXPECT_EQ(view.focus, QString::fromLatin1(row.focus)) << "box " << row.box << " '" << row.text << "'";
    }
}

// Super calibration over an accepted solution whose catalogue plane uses the
// field's scale factors, the field moved south: declinations -22°11'01",
// -22°07'01" (+240") and -22°12'49" (-108").
class SuperCalibrationTest : public CalibrationFlowTest {
protected:
    void placeCatalogue()
    {
        const double dec1 = -(22.0 + 11.0 / 60.0 + 1.0 / 3600.0);
        const double ra1 = (1.0 * 3600 + 34 * 60 + 50) / 240.0;
        const std::array<double, 3> raDeg = {ra1, ra1 + 12.0 / 240.0, ra1 - 20.0 / 240.0};
        const std::array<double, 3> decDeg = {dec1, dec1 + 240.0 / 3600.0, dec1 - 108.0 / 3600.0};
        st.corrAsd = kTrueCx;
        st.corrDec = kTrueCy;
        st.starTotal = 3;
        for (std::size_t i = 1; i <= 3; ++i) {
            st.starId[i] = QStringLiteral("star %1").arg(i);
            st.starU[i] = raDeg[i - 1] * kTrueCx;
            st.starV[i] = decDeg[i - 1] * kTrueCy;
            st.markers.star[i] = Marker{float(kField[i - 1].x - kStarMarkerSize / 2),
                                        float(kField[i - 1].y - kStarMarkerSize / 2), kStarMarkerSize, true};
        }
        st.mapStatus = QStringLiteral("done");
        st.mode = QStringLiteral("coor");
    }
    void hover(int star)
    {
        const Marker& m = st.markers.star[std::size_t(star)];
        controller.pointerMove(m.left + 1.3, m.top - 0.6);
    }
};

TEST_F(SuperCalibrationTest, SouthernStarsPickedOnTheOverlayGiveTheScale)
{
    placeCatalogue();
    // Without an accepted solution only the suggestion changes.
    controller.startSuperEtalonage();
    EXPECT_EQ(st.mode, QStringLiteral("coor"));
    EXPECT_EQ(st.fillFromIdentification, 0);
    EXPECT_FALSE(visible("Frm_4"));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 6"));

    st.solutionAccepted = true;
    st.markCount = 5;
    st.markers.click[2].visible = true;  // left by the selection
    controller.startSuperEtalonage();
    EXPECT_EQ(st.mode, QStringLiteral("superetalo"));
    EXPECT_EQ(st.etaloStep, 1);
    EXPECT_EQ(st.markCount, 0);
    EXPECT_EQ(st.fillFromIdentification, 1);
    EXPECT_FALSE(st.markers.click[2].visible);
    EXPECT_TRUE(visible("Frm_4") && !visible("Frm_3") && !visible("zoom"));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 7"));

    for (int star = 1; star <= 3; ++star) {
        SCOPED_TRACE(star);
        hover(star == 1 ? 3 : star - 1);  // another star first: the last hover wins
        hover(star);
        controller.click();
        hover(star % 3 + 1);              // after the click the boxes stay
        EXPECT_EQ(box(0), QString::number(kField[std::size_t(star - 1)].x));
        EXPECT_EQ(box(5), QStringLiteral("22"));
        EXPECT_EQ(view.text(QStringLiteral("txt_dec_sign_show_1")), QStringLiteral("-"));
        EXPECT_EQ(st.markCount, star);
        EXPECT_TRUE(st.markers.click[std::size_t(star)].visible);
        controller.BoutonEtalo();
        EXPECT_LT(st.etaloDec[std::size_t(star)], -22.0);
    }
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].text.startsWith(message(7) + QStringLiteral(": CX = ")));
    // The seconds in the boxes carry 4 decimals, so the scale is close, not exact.
    EXPECT_NEAR(corr("txt_corrasd"), kTrueCx, kTrueCx * 1e-3);
    EXPECT_NEAR(corr("txt_corrdec"), kTrueCy, kTrueCy * 1e-3);
    EXPECT_EQ(st.mode, QStringLiteral("superetalo"));
    EXPECT_FALSE(visible("Frm_4"));
}

TEST_F(SuperCalibrationTest, DeclinationJustSouthOfTheEquatorKeepsItsSign)
{
    placeCatalogue();
    st.starV[1] = -0.5 * kTrueCy;  // -0°30'
    st.solutionAccepted = true;
    controller.startSuperEtalonage();
    hover(1);
    controller.click();
    controller.BoutonEtalo();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_NEAR(st.etaloDec[1], -0.5, 1e-9);
}

}  // namespace
}  // namespace ce::testing
