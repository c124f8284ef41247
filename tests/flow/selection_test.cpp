// "2-Etoiles", doselect and the image "Load" button with the scripted window.
//
// The image is black with five Gaussian stars centred on whole pixels. A
// Gaussian is separable, symmetric and log-concave, so the sum over a 7 by 7
// window is greatest, strictly, for the window centred on the star: every
// refined click lands on the star's own pixel.

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"


#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace ce::testing {
namespace {

struct Spot {
    int x;
    int y;
};
constexpr std::array<Spot, 5> kStars{{{40, 30}, {150, 35}, {60, 120}, {140, 110}, {100, 70}}};

class SelectionTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        view.width = 200;
        view.height = 150;
        view.pixelSource = [](int x, int y) -> std::int32_t {
            double v = 0;
            for (const Spot& s : kStars) {
                const double r2 = double((x - s.x) * (x - s.x) + (y - s.y) * (y - s.y));
                v += 10000.0 * std::exp(-r2 / 8.0);
            }
            return std::int32_t(std::lround(v));
        };
        view.setText(QStringLiteral("txt_url"), QStringLiteral("champ.png"));
    }

    // A click 2 pixels right of and 1 above the star.
    void clickNear(const Spot& s)
    {
        st.clickX = std::int16_t(s.x + 2);
        st.clickY = std::int16_t(s.y - 1);
        controller.doselect();
    }
};

TEST_F(SelectionTest, LoadimgResolvesThePathAndReportsAFailureWithTheTypedText)
{
    controller.Loadimg();
    ASSERT_EQ(view.loadedPaths.size(), 1);
    EXPECT_EQ(view.loadedPaths[0], folders.program.path() + QStringLiteral("/champ.png"));
    EXPECT_TRUE(st.imageLoaded);
    EXPECT_EQ(view.panResets, 1);

    view.setText(QStringLiteral("txt_url"), QStringLiteral("/ailleurs/nofile.jpg"));
    view.imageLoadError = QStringLiteral("Fichier introuvable");
    controller.Loadimg();
    EXPECT_EQ(view.loadedPaths[1], QStringLiteral("/ailleurs/nofile.jpg"));  // absolute: as typed
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, QStringLiteral("/ailleurs/nofile.jpg: Fichier introuvable"));
    EXPECT_FALSE(st.imageLoaded);
    EXPECT_EQ(view.panResets, 1);  // a failed load leaves the view where it was
}

TEST_F(SelectionTest, SelectStarStartsASelectionOnlyWithAnImage)
{
    st.mode = QStringLiteral("coor");
    view.imageLoadError = QStringLiteral("Format inconnu");
    controller.SelectStar();
    EXPECT_EQ(st.mode, QStringLiteral("coor"));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 11"));  // "selectstar" step 2
    EXPECT_FALSE(view.isVisible(QStringLiteral("zoom")));

    view.imageLoadError.clear();
    st.markCount = 3;
    st.markers.click[2].visible = true;
    st.starsSelected = true;
    controller.SelectStar();
    EXPECT_EQ(st.mode, QStringLiteral("select"));
    EXPECT_EQ(st.markCount, 0);
    EXPECT_FALSE(st.markers.click[2].visible);
    EXPECT_TRUE(view.isVisible(QStringLiteral("zoom")));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 10"));  // "selectstar" step 1
    EXPECT_TRUE(st.starsSelected);  // the earlier selection stays usable
}

TEST_F(SelectionTest, FiveClicksMarkTheStarsAndEndTheSelectionTenFillTheSlots)
{
    controller.SelectStar();
    for (std::size_t k = 0; k < kStars.size(); ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_FALSE(st.starsSelected && k < 4);
        clickNear(kStars[k]);
        const std::size_t slot = k + 1;
        EXPECT_EQ(st.markCount, int(slot));
        EXPECT_EQ(st.markX[slot], kStars[k].x);
        EXPECT_EQ(st.markY[slot], kStars[k].y);
        EXPECT_EQ(view.text(QStringLiteral("Etalo_0")), QString::number(kStars[k].x));
        EXPECT_EQ(view.text(QStringLiteral("Etalo_1")), QString::number(kStars[k].y));
        // The 16-pixel click marker centred on the star.
        EXPECT_EQ(st.markers.click[slot].left, float(kStars[k].x - 8));
        EXPECT_EQ(st.markers.click[slot].top, float(kStars[k].y - 8));
        EXPECT_TRUE(st.markers.click[slot].visible);
    }
    EXPECT_EQ(st.mode, QStringLiteral("0"));
    EXPECT_TRUE(st.starsSelected);
    EXPECT_FALSE(view.isVisible(QStringLiteral("zoom")));
    EXPECT_TRUE(view.status.isEmpty());  // no calculation without the assistant

    // Five more fill slots 6..10; an eleventh click is ignored, not even refined.
    for (const Spot& s : kStars) clickNear(s);
    ASSERT_EQ(st.markCount, 10);
    EXPECT_EQ(st.markX[10], kStars[4].x);
    const ReductionState before = st;
    st.clickX = 5;
    st.clickY = 5;
    controller.doselect();
    EXPECT_EQ(st.markCount, 10);
    EXPECT_EQ(st.markX[10], before.markX[10]);
    EXPECT_EQ(st.clickX, 5);
    for (std::size_t q = 1; q <= 5; ++q) EXPECT_EQ(st.markers.click[q].left, before.markers.click[q].left);
}

TEST_F(SelectionTest, CalibrationStepChoosesTheSlot)
{
    struct Row {
        const char* name;
        QString mode;
        int etaloStep;
        int markCountBefore;
        int slot;
        QString modeAfter;
    };
    const std::vector<Row> rows = {
        {"calibration step 2", QStringLiteral("etalo"), 2, 0, 2, QStringLiteral("etalo")},
        {"calibration step 3", QStringLiteral("etalo"), 3, 1, 3, QStringLiteral("done")},
        {"step 3 left by an abandoned calibration", QStringLiteral("select"), 3, 1, 2,
         QStringLiteral("select")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        st.mode = row.mode;
        st.etaloStep = std::int16_t(row.etaloStep);
        st.markCount = std::int16_t(row.markCountBefore);
        clickNear(kStars[1]);
        EXPECT_EQ(st.markCount, row.slot);
        EXPECT_EQ(st.markX[std::size_t(row.slot)], kStars[1].x);
        EXPECT_EQ(st.mode, row.modeAfter);
    }
}

TEST_F(SelectionTest, FifthStarStartsTheCalculationWhenTheAssistantAskedForIt)
{
    // No scale factor typed: the run that starts stops at its scale check,
    // which shows that it ran.
    folders.writeCatalogue(answerPage({}));
    controller.SelectStar();
    st.WizardStatus = 1;
    for (int k = 0; k < 4; ++k) clickNear(kStars[std::size_t(k)]);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(st.WizardStatus, 1);

    clickNear(kStars[4]);

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].text.contains(QStringLiteral("Corr Asd")));
    EXPECT_EQ(st.WizardStatus, 0);
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
