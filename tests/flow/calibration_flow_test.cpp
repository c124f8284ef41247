// "2-Etoiles" with doselect, calibration by image and super calibration
// through the controller.
//
// The synthetic field: CX = 2400 and CY = 2700 pixels per degree, chosen so
// that the first three stars sit on whole pixels:
//   star 1 (400, 300)  RA 1h34m50s  Dec 22°11'01"
//   star 2 (520, 480)  RA +12 s = 0.05° (x +120 = 2400 · 0.05), Dec +240" (y +180)
//   star 3 (200, 219)  RA -20 s (x -200), Dec -108" (y -81 = -2700 · 108 / 3600)
// Hence P12 = 120² + 180² = 46800 and P13 = 200² + 81² = 46561 square pixels.
// Each star is a cone of light, so the brightest 7 by 7 window lies on its centre.

#include "app/flow/reduction_controller.h"
#include "tests/flow/flow_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace ce::testing {
namespace {

constexpr double kTrueCx = 2400.0;
constexpr double kTrueCy = 2700.0;

// True centre in image pixels, then RA (h, m, s) and unsigned Dec (°, ', ") as typed.
struct FieldStar { int x, y; const char* ra[3]; const char* dec[3]; };
const std::array<FieldStar, 5> kField = {{{400, 300, {"1", "34", "50"}, {"22", "11", "01"}},
                                          {520, 480, {"1", "35", "02"}, {"22", "15", "01"}},
                                          {200, 219, {"1", "34", "30"}, {"22", "09", "13"}},
                                          {700, 600, {}, {}},
                                          {850, 150, {}, {}}}};

class CalibrationFlowTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        view.width = 1000, view.height = 800;
        view.pixelSource = [](int x, int y) {
            std::int32_t value = 0;
            for (const FieldStar& s : kField)
                value += std::max(0, 200 - 4 * ((x - s.x) * (x - s.x) + (y - s.y) * (y - s.y)));
            return value;
        };
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
    void typeStar(const FieldStar& s)
    {
        setBox(0, QString::number(s.x));
        setBox(1, QString::number(s.y));
        for (int k = 0; k < 3; ++k) {
            setBox(2 + k, QString::fromLatin1(s.ra[k]));
            setBox(5 + k, QString::fromLatin1(s.dec[k]));
        }
        view.setText(QStringLiteral("txt_dec_sign_show_1"), QStringLiteral("+"));
    }
    // A click 2 pixels right of and 1 above the star.
    void clickNear(const FieldStar& s)
    {
        st.clickX = std::int16_t(s.x + 2);
        st.clickY = std::int16_t(s.y - 1);
        controller.doselect();
    }
};

TEST_F(CalibrationFlowTest, FiveClicksMarkTheStarsAndEndTheSelectionTenFillTheSlots)
{
    controller.SelectStar();
    for (std::size_t k = 0; k < kField.size(); ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_FALSE(st.starsSelected);
        clickNear(kField[k]);
        const std::size_t slot = k + 1;
        EXPECT_EQ(st.markCount, int(slot));
        EXPECT_EQ(std::pair(st.markX[slot], st.markY[slot]), std::pair(double(kField[k].x), double(kField[k].y)));
        EXPECT_EQ(box(0), QString::number(kField[k].x));
        // The 16-pixel click marker centred on the star.
        const Marker& m = st.markers.click[slot];
        EXPECT_TRUE(m.visible && m.left == float(kField[k].x - 8) && m.top == float(kField[k].y - 8));
    }
    EXPECT_TRUE(st.mode == QStringLiteral("0") && st.starsSelected && !visible("zoom"));
    // Each mark is counted in the journal; no calculation without the assistant.
    EXPECT_EQ(lines(view.status), lines({message(28, {"5"}), message(28, {"4"}), message(28, {"3"}),
                                         message(28, {"2"}), message(28, {"1"})}));

    // Five more fill slots 6..10; an eleventh click is ignored, not even refined.
    for (const FieldStar& s : kField) clickNear(s);
    ASSERT_EQ(st.markCount, 10);
    EXPECT_EQ(st.markX[10], kField[4].x);
    const ReductionState before = st;
    st.clickX = st.clickY = 5;
    controller.doselect();
    EXPECT_TRUE(st.markCount == 10 && st.markX[10] == before.markX[10] && st.clickX == 5);
    for (std::size_t q = 1; q <= 5; ++q) EXPECT_EQ(st.markers.click[q].left, before.markers.click[q].left);
}

TEST_F(CalibrationFlowTest, TheLastMarkCanBeTakenBackWhileMarking)
{
    // Circles of an earlier solution go when a new selection starts.
    st.markers.star[7].visible = true;
    controller.SelectStar();
    EXPECT_FALSE(st.markers.star[7].visible);

    clickNear(kField[0]);
    clickNear(kField[3]);  // the wrong star
    controller.removeLastMark();
    EXPECT_TRUE(st.markCount == 1 && !st.markers.click[2].visible && st.markers.click[1].visible);
    EXPECT_EQ(view.status.first(), message(31, {"1"}));
    for (std::size_t k = 1; k < kField.size(); ++k) clickNear(kField[k]);
    ASSERT_TRUE(st.starsSelected && st.mode == QStringLiteral("0"));

    // The fifth taken back reopens the selection; a new fifth closes it again.
    controller.removeLastMark();
    EXPECT_TRUE(st.markCount == 4 && !st.starsSelected && st.mode == QStringLiteral("select") && visible("zoom"));
    clickNear(kField[4]);
    EXPECT_TRUE(st.starsSelected && st.markY[5] == kField[4].y);

    // Nothing to take back outside the marking, nor below the first mark.
    st.mode = QStringLiteral("coor");
    controller.removeLastMark();
    EXPECT_EQ(st.markCount, 5);
    controller.SelectStar();
    controller.removeLastMark();
    EXPECT_EQ(st.markCount, 0);
}

TEST_F(CalibrationFlowTest, CalibrationStepChoosesTheSlot)
{
    struct Row { const char* mode; int etaloStep, markCountBefore, slot; const char* modeAfter; };
    // The last row: step 3 left by an abandoned calibration.
    const Row rows[] = {{"etalo", 2, 0, 2, "etalo"}, {"etalo", 3, 1, 3, "done"}, {"select", 3, 1, 2, "select"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.mode << " step " << row.etaloStep);
        st.mode = QString::fromLatin1(row.mode);
        st.etaloStep = std::int16_t(row.etaloStep);
        st.markCount = std::int16_t(row.markCountBefore);
        clickNear(kField[1]);
        EXPECT_EQ(st.markCount, row.slot);
        EXPECT_EQ(st.markX[std::size_t(row.slot)], kField[1].x);
        EXPECT_EQ(st.mode, QString::fromLatin1(row.modeAfter));
    }
}

TEST_F(CalibrationFlowTest, FifthStarStartsTheCalculationWhenTheAssistantAskedForIt)
{
    // No scale factor typed: the run that starts stops at its scale check, which shows that it ran.
    view.setText(QStringLiteral("txt_corrasd"), QString());
    folders.writeCatalogue(answerPage({}));
    controller.SelectStar();
    st.WizardStatus = 1;
    for (int k = 0; k < 4; ++k) clickNear(kField[std::size_t(k)]);
    EXPECT_TRUE(view.messages.empty() && st.WizardStatus == 1);

    clickNear(kField[4]);

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].text.contains(QStringLiteral("Corr Asd")) && st.WizardStatus == 0);
}

TEST_F(CalibrationFlowTest, StartNeedsAnImageAndRestartsAtStepOne)
{
    // Without an image only the suggestion changes ("etalonage", step 0).
    st.mode = QStringLiteral("coor");
    controller.startEtalonage();
    EXPECT_TRUE(st.mode == QStringLiteral("coor") && !visible("Frm_4"));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 8"));

    controller.Loadimg();
    controller.startEtalonage();
    EXPECT_TRUE(st.mode == QStringLiteral("etalo") && st.etaloStep == 1);
    EXPECT_TRUE(visible("zoom") && visible("Frm_4") && !visible("Frm_3"));

    // Two stars stored, then a restart: step 1, the first caption, the boxes as they were.
    for (std::size_t i : {0, 1}) {
        typeStar(kField[i]);
        controller.BoutonEtalo();
    }
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), message(1));
    setBox(3, QStringLiteral("12"));
    controller.startEtalonage();
    EXPECT_EQ(st.etaloStep, 1);
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")) + box(3), message(0) + QStringLiteral("12"));
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
        typeStar(kField[i]);
        controller.BoutonEtalo();
        if (i < 2) {
            EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), message(int(i)));
        }
    }
    // 1h34m50s = 23.708333…° and 22°11'01" = 22.183611…° (by hand).
    EXPECT_LT(std::hypot(st.etaloRA[1] - 23.7083333333, st.etaloDec[1] - 22.1836111111), 1e-9);
    EXPECT_EQ(st.mode, QStringLiteral("done"));  // left by the third click
    ASSERT_EQ(view.messages.size(), 1u) << "one report, no failure";
    EXPECT_NEAR(corr("txt_corrasd"), kTrueCx, kTrueCx * 1e-3);
    EXPECT_NEAR(corr("txt_corrdec"), kTrueCy, kTrueCy * 1e-3);
    EXPECT_EQ(std::pair(st.P12, st.P13), std::pair(46800.0, 46561.0));
    EXPECT_EQ(view.messages[0].text, message(7) + QStringLiteral(": CX = ") + view.text(QStringLiteral("txt_corrasd")) +
                                         QStringLiteral(" et CY = ") + view.text(QStringLiteral("txt_corrdec")));
    EXPECT_TRUE(st.etaloStep == 4 && !visible("Frm_4") && visible("Frm_3") && !visible("zoom"));
    EXPECT_EQ(view.text(QStringLiteral("BoutonEtalo")), message(0));
    for (int n = 0; n < 8; ++n) EXPECT_TRUE(box(n).isEmpty()) << "box " << n;
}

TEST_F(CalibrationFlowTest, FailedComputationKeepsCorrFieldsAndBlocksUntilRestart)
{
    controller.Loadimg();
    controller.startEtalonage();
    for (std::size_t i = 0; i < 3; ++i) {
        FieldStar s = kField[i];
        std::copy(std::begin(kField[0].dec), std::end(kField[0].dec), s.dec);  // star 1's declination: D = 0
        typeStar(s);
        controller.BoutonEtalo();
    }
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].text.contains(QStringLiteral("number.division_by_zero")));
    EXPECT_EQ(view.text(QStringLiteral("txt_corrasd")) + view.text(QStringLiteral("txt_corrdec")), "2599.432709.96");
    EXPECT_TRUE(st.etaloStep == 4 && visible("Frm_4"));

    // A further press, even with a good star typed, fails the same way; only a restart brings step 1 back.
    typeStar(kField[0]);
    controller.BoutonEtalo();
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_TRUE(view.messages[1].text.contains(QStringLiteral("calib.badstep")));
    EXPECT_EQ(st.etaloStep, 4);
    EXPECT_EQ(box(0), QStringLiteral("400"));
    controller.startEtalonage();
    EXPECT_EQ(st.etaloStep, 1);
}

TEST_F(CalibrationFlowTest, FocusMovesAfterTwoCharactersExceptFromSeconds)
{
    const struct { int box; const char* text; const char* focus; } rows[] = {
        {0, "12", "Etalo_1"}, {6, "11", "Etalo_7"}, {4, "50", ""}, {2, "1", ""}, {0, "123", ""}};
    for (const auto& row : rows) {
        view.focus.clear();
        setBox(row.box, QString::fromLatin1(row.text));
        controller.etaloTextChanged(row.box);
        EXPECT_EQ(view.focus, QString::fromLatin1(row.focus)) << "box " << row.box << " '" << row.text << "'";
    }
}

// Super calibration over an accepted solution whose catalogue plane uses the field's scale
// factors, the field moved south: declinations -22°11'01", -22°07'01" and -22°12'49".
class SuperCalibrationTest : public CalibrationFlowTest {
protected:
    void SetUp() override
    {
        CalibrationFlowTest::SetUp();
        const double dec1 = -(22.0 + 11.0 / 60.0 + 1.0 / 3600.0), ra1 = (1.0 * 3600 + 34 * 60 + 50) / 240.0;
        const double raDeg[] = {ra1, ra1 + 12.0 / 240.0, ra1 - 20.0 / 240.0};
        const double decDeg[] = {dec1, dec1 + 240.0 / 3600.0, dec1 - 108.0 / 3600.0};
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
        controller.pointerMove(m.left + m.size / 2.0 + 1.3, m.top + m.size / 2.0 - 0.6);  // near the star
    }
};

TEST_F(SuperCalibrationTest, SouthernStarsPickedOnTheOverlayGiveTheScale)
{
    // Without an accepted solution only the suggestion changes.
    controller.startSuperEtalonage();
    EXPECT_TRUE(st.mode == QStringLiteral("coor") && st.fillFromIdentification == 0);
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 6"));

    st.solutionAccepted = true;
    st.markCount = 5;
    st.markers.click[2].visible = true;  // left by the selection
    controller.startSuperEtalonage();
    EXPECT_TRUE(st.mode == QStringLiteral("superetalo") && st.etaloStep == 1 && st.fillFromIdentification == 1);
    EXPECT_TRUE(st.markCount == 0 && !st.markers.click[2].visible);
    EXPECT_TRUE(visible("Frm_4") && !visible("Frm_3") && !visible("zoom"));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 7"));

    for (int star = 1; star <= 3; ++star) {
        SCOPED_TRACE(star);
        hover(star % 3 + 1);  // another star first: the last hover wins
        hover(star);
        controller.click();
        hover(star % 3 + 1);  // after the click the boxes stay
        EXPECT_EQ(QStringList({box(0), box(5), view.text(QStringLiteral("txt_dec_sign_show_1"))}),
                  QStringList({QString::number(kField[std::size_t(star - 1)].x), "22", "-"}));
        EXPECT_EQ(st.markCount, star);
        controller.BoutonEtalo();
        EXPECT_LT(st.etaloDec[std::size_t(star)], -22.0);
    }
    ASSERT_EQ(view.messages.size(), 1u);
    // The seconds in the boxes carry 4 decimals, so the scale is close, not exact.
    EXPECT_NEAR(corr("txt_corrasd"), kTrueCx, kTrueCx * 1e-3);
    EXPECT_NEAR(corr("txt_corrdec"), kTrueCy, kTrueCy * 1e-3);
    EXPECT_TRUE(st.mode == QStringLiteral("superetalo") && !visible("Frm_4"));
}

}  // namespace
}  // namespace ce::testing
