// The overlay: map, the field-centre cross and its warning, the loading status.
//
// With both scale factors at 1000 the centre 1h00m00s +20°00'00" (epoch
// 2000.0) lies at U = 15000, V = 20000 exactly; the plate U = x + C,
// V = y + F puts it at (15000 - C, 20000 - F).

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"

#include <gtest/gtest.h>

namespace ce::testing {
namespace {

class OverlayTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        prepare(view);
        st.corrAsd = 1000;
        st.corrDec = 1000;
        // Three stars that the plate C = 14800, F = 19900 draws at (20, 30),
        // (220, 130) and (380, 290).
        const double U[] = {14820, 15020, 15180};
        const double V[] = {19930, 20030, 20190};
        for (std::size_t i = 1; i <= 3; ++i) {
            st.starU[i] = U[i - 1];
            st.starV[i] = V[i - 1];
        }
        st.starCount = 3;
        st.starTotal = 3;
        setPlate(st, 14800, 19900);
    }

    static void prepare(FakeView& v)
    {
        v.width = 400;
        v.height = 300;
        v.setTexts(QStringLiteral("txt_ra_"), {"1", "0", "0"});
        v.setTexts(QStringLiteral("txt_dec_"), {"20", "0", "0"});
    }
    static void setPlate(ReductionState& s, double C, double F)
    {
        s.plateA = s.plateE = 1;
        s.plateB = s.plateD = 0;
        s.plateC = C;
        s.plateF = F;
    }
    int visibleStars() const
    {
        int n = 0;
        for (std::size_t i = 1; i < st.markers.star.size(); ++i) n += st.markers.star[i].visible;
        return n;
    }
};

TEST_F(OverlayTest, CentreOffTheImageIsWarnedBeforeTheMarkersShow)
{
    // The border itself counts as outside (every side is the overlay geometry's own case).
    struct Row {
        const char* name;
        double C;
        double F;
        bool warned;
    };
    const std::vector<Row> rows = {
        {"inside, on the drawn stars' plate", 14800, 19900, false},
        {"inside, one pixel from the corner", 14999, 19999, false},
        {"on the left border", 15000, 19900, true},
        {"on the right border", 15000 - 400, 19900, true},
        {"one pixel inside the right border", 15000 - 399, 19900, false},
        {"left of the image", 15050, 19900, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view.messages.clear();
        st.markers.hideStars();
        st.mapFailed = true;
        int visibleAtWarning = -1;
        view.onMessage = [&](const QString&) { visibleAtWarning = visibleStars(); };
        setPlate(st, row.C, row.F);

        controller.map();

        if (row.warned) {
            ASSERT_EQ(view.messages.size(), 1u);
            EXPECT_EQ(view.messages[0].text, message(20));
            EXPECT_EQ(visibleAtWarning, 0);
        } else {
            EXPECT_TRUE(view.messages.empty());
        }
        EXPECT_TRUE(st.markers.centre.visible);
        EXPECT_DOUBLE_EQ(st.markers.centre.x, 15000 - row.C);
        EXPECT_DOUBLE_EQ(st.markers.centre.y, 20000 - row.F);
        EXPECT_EQ(visibleStars(), 3);
        EXPECT_FALSE(st.mapFailed);
        EXPECT_EQ(st.mapStatus, QStringLiteral("done"));
    }
    // Marker corners for the plate C = 14800, F = 19900: star centre - 4.
    setPlate(st, 14800, 19900);
    controller.map();
    const float expected[][2] = {{20, 30}, {220, 130}, {380, 290}};
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_FLOAT_EQ(st.markers.star[i].left, expected[i - 1][0] - 4);
        EXPECT_FLOAT_EQ(st.markers.star[i].top, expected[i - 1][1] - 4);
    }
}

TEST_F(OverlayTest, SingularPlatePutsEveryMarkerAtTheOrigin)
{
    st.plateA = 2;
    st.plateB = 4;
    st.plateD = 1;
    st.plateE = 2;  // A·E − B·D = 0
    for (std::size_t i = 1; i <= 3; ++i) st.markers.star[i] = Marker{50, 60, kStarMarkerSize, false};

    controller.map();

    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(st.markers.star[i].left, 0.0f);
        EXPECT_EQ(st.markers.star[i].top, 0.0f);
        EXPECT_TRUE(st.markers.star[i].visible);
    }
    EXPECT_FALSE(st.markers.centre.visible);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(st.mapStatus, QStringLiteral("done"));
}

TEST_F(OverlayTest, FailedDrawingShowsNoMarkerAndSaysWhy)
{
    struct Row {
        const char* name;
        QString control;
        QString value;
        double starU1;
        QString reasonPart;
    };
    const std::vector<Row> rows = {
        {"centre field not a number", "txt_ra_1", "x", 14820, "RA (minutes)"},
        {"a star beyond any position", {}, {}, 1e300, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FlowRig r;
        prepare(r.view);
        if (!row.control.isEmpty()) r.view.setText(row.control, row.value);
        r.st = st;
        r.st.starU[1] = row.starU1;
        r.st.markers.star[3].visible = true;  // from an earlier drawing

        r.controller.map();

        EXPECT_TRUE(r.st.mapFailed);
        EXPECT_EQ(r.st.mapStatus, QStringLiteral("err"));
        EXPECT_FALSE(r.st.markers.star[1].visible);
        EXPECT_TRUE(r.st.markers.star[3].visible);  // map never hides a marker
        ASSERT_FALSE(r.view.status.isEmpty());
        EXPECT_TRUE(r.view.status.first().contains(row.reasonPart)) << r.view.status.first().toStdString();
    }
}

TEST_F(OverlayTest, LoadingStatusDrawsEveryStarReadAndHidesNone)
{
    st.starCount = 2;
    st.markers.star[7].visible = true;  // left by an earlier full map
    st.mapStatus = QStringLiteral("loading");
    controller.map();
    EXPECT_TRUE(st.markers.star[3].visible);  // starTotal = 3, not starCount = 2
    EXPECT_TRUE(st.markers.star[7].visible);
    EXPECT_EQ(visibleStars(), 4);

    st.markers.hideStars();
    controller.map();  // "done" now: starCount stars
    EXPECT_EQ(visibleStars(), 2);
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
