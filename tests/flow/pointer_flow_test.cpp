// Pointer events on the image and the magnifier, driven through the
// reduction controller with the scripted window.
//
// Expected values are worked out by hand from the rules of the pointer
// handling (boxes, rounding, text forms) or taken from a published example
// (Meeus, Astronomical Algorithms, 2nd ed., example 21.b); none is computed
// with the routines under test.

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace ce {
namespace {

using testing::FakeView;

QString dp() { return QLocale::system().decimalPoint(); }

class PointerFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller.createMarkers();
        st.corrAsd = 3600.0;
        st.corrDec = 3600.0;
        st.mapStatus = QStringLiteral("done");
    }

    // Catalogue star i with its marker's top-left corner at (left, top), shown.
    void putStar(int i, float left, float top, const QString& id, double starU, double starV,
                 const QString& magR = QStringLiteral("12.1"),
                 const QString& magB = QStringLiteral("13.4"))
    {
        const auto s = static_cast<std::size_t>(i);
        st.starId[s] = id;
        st.starU[s] = starU;
        st.starV[s] = starV;
        st.starMagR[s] = magR;
        st.starMagB[s] = magB;
        st.markers.star[s] = Marker{left, top, kStarMarkerSize, true};
        if (st.starTotal < i) st.starTotal = static_cast<std::int16_t>(i);
    }

    FakeView view;
    LanguageTable lang;
    ReductionController controller{view, lang, ProgramPaths{}};
    ReductionState& st = controller.state();
};

// --- Dispatch by mode ---------------------------------------------------------

// One window and controller per event, with one shown marker at (100, 50),
// a plate solution and the fill flag at 1.
struct Rig {
    Rig(const char* mode, const char* mapStatus)
    {
        controller.createMarkers();
        ReductionState& s = controller.state();
        s.corrAsd = s.corrDec = 3600.0;
        s.plateA = s.plateE = 1.0;
        s.mode = QString::fromLatin1(mode);
        s.mapStatus = QString::fromLatin1(mapStatus);
        s.fillFromIdentification = 1;
        s.etaloStep = 1;  // a calibration click goes to slot 1
        s.starTotal = 1;
        s.starId[1] = QStringLiteral("0900-00000001");
        s.markers.star[1] = Marker{100.0f, 50.0f, kStarMarkerSize, true};
        view.setVisible(QStringLiteral("zoom"), true);
    }
    FakeView view;
    LanguageTable lang;
    ReductionController controller{view, lang, ProgramPaths{}};
};

TEST(PointerDispatch, EachModeAndOverlayStatus)
{
    enum class Move { Magnifier, Hover, HideMagnifier };
    enum class Click { Selection, Report, ClickMarker };
    struct Row {
        const char* mode;
        const char* mapStatus;
        Move move;
        Click click;
        bool details;
    };
    const std::vector<Row> rows = {
        {"select", "done", Move::Magnifier, Click::Selection, true},
        {"select", "", Move::Magnifier, Click::Selection, false},
        {"etalo", "loading", Move::Magnifier, Click::Selection, false},
        {"coor", "done", Move::Hover, Click::Report, true},
        {"coor", "err", Move::HideMagnifier, Click::Report, true},
        {"superetalo", "", Move::Hover, Click::ClickMarker, false},
        {"superetalo", "done", Move::Hover, Click::ClickMarker, true},
        {"0", "loading", Move::HideMagnifier, Click::ClickMarker, false},
        {"0", "done", Move::Hover, Click::ClickMarker, true},
        {"done", "done", Move::Hover, Click::ClickMarker, true},
        {"", "", Move::HideMagnifier, Click::ClickMarker, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("mode \"") + row.mode + "\", overlay \"" + row.mapStatus + "\"");
        {
            Rig rig(row.mode, row.mapStatus);
            rig.controller.pointerMove(101.0, 51.0);
            // A hover with the flag at 1 fills from the star: the click point
            // becomes the marker centre (104, 54) in every hovering mode.
            EXPECT_EQ(rig.controller.state().clickX, row.move == Move::Hover ? 104 : 101);
            EXPECT_EQ(rig.view.text("Etalo_5").isEmpty(), row.move != Move::Hover);
            EXPECT_EQ(rig.view.zoomRedraws, row.move == Move::Magnifier ? 1 : 0);
            EXPECT_EQ(rig.view.isVisible(QStringLiteral("zoom")), row.move != Move::HideMagnifier);
            EXPECT_EQ(rig.view.info.startsWith(QStringLiteral("0900-00000001")), row.move == Move::Hover);
        }
        {
            Rig rig(row.mode, row.mapStatus);
            const ReductionState& s = rig.controller.state();
            rig.controller.click();
            const bool report = row.click == Click::Report;
            // Star marking and the click-marker path each mark one star; only
            // the click-marker path consumes the flag; a report marks none.
            EXPECT_EQ(rig.view.status.filter(QStringLiteral("Clic: ")).size(), report ? 1 : 0);
            EXPECT_EQ(s.markCount, report ? 0 : 1);
            EXPECT_EQ(s.fillFromIdentification, row.click == Click::ClickMarker ? 0 : 1);
            EXPECT_EQ(s.markers.click[1].visible, !report);
        }
        {
            Rig rig(row.mode, row.mapStatus);
            rig.controller.state().clickX = 104;
            rig.controller.state().clickY = 54;
            rig.controller.doubleClick();
            EXPECT_EQ(rig.view.details.size(), row.details ? 1u : 0u);
        }
    }
}

// --- Hover ------------------------------------------------------------------

TEST_F(PointerFlowTest, HoverBoxIsStrictAroundTheTopLeftCorner)
{
    struct Row {
        const char* name;
        double x, y;
        bool hovered;
    };
    // Marker corner (100, 50): hovered when 96 < x < 104 and 46 < y < 54.
    const std::vector<Row> rows = {
        {"inside near the far corner", 103.4, 53.6, true},
        {"right bound itself", 104.0, 50.0, false},
        {"left bound itself", 96.0, 50.0, false},
        {"just inside the near corner", 96.1, 46.1, true},
        {"bottom bound itself", 100.0, 54.0, false},
        {"top bound itself", 100.0, 46.0, false},
        {"over the marker's body, outside the box", 106.0, 56.0, false},
    };
    st.mode = QStringLiteral("coor");
    putStar(1, 100.0f, 50.0f, QStringLiteral("0900-00000001"), 36000.0, 3600.0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view.info.clear();
        controller.pointerMove(row.x, row.y);
        EXPECT_EQ(!view.info.isEmpty(), row.hovered);
    }
    // The pointer position is kept in whole pixels, halves to even.
    controller.pointerMove(103.4, 53.6);
    EXPECT_EQ(st.clickX, 103);
    EXPECT_EQ(st.clickY, 54);
    controller.pointerMove(102.5, 51.5);
    EXPECT_EQ(st.clickX, 102);
    EXPECT_EQ(st.clickY, 52);
}

TEST_F(PointerFlowTest, HoverInfoLine)
{
    st.mode = QStringLiteral("0");
    // 187.5 degrees = 12.5 h = 12h30'0''; -5.25 degrees = -5d15'0''.
    putStar(1, 10.0f, 10.0f, QStringLiteral("0825-07582619 "), 187.5 * 3600.0, -5.25 * 3600.0,
            QStringLiteral(" 9.8"), QStringLiteral("11.2"));
    controller.pointerMove(11.0, 11.0);
    EXPECT_EQ(view.info, QStringLiteral("0825-07582619    MagR-B= 9.8 11.2   Ra:12h30'0''"
                                        "   Dec:-5°15'0''  (J2000.0)"));

    // The factors divide the plane coordinates: 2000 px/deg on RA.
    st.corrAsd = 2000.0;
    st.starU[1] = 30.0 * 2000.0;  // 30 degrees = 2h0'0''
    controller.pointerMove(11.0, 11.0);
    EXPECT_TRUE(view.info.contains(QStringLiteral("   Ra:2h0'0''   Dec:-5°15'0''")));
}

TEST_F(PointerFlowTest, HiddenMarkersAreNotPointedAt)
{
    st.mode = QStringLiteral("coor");
    putStar(1, 100.0f, 50.0f, QStringLiteral("0900-00000001"), 36000.0, 3600.0);
    st.markers.star[1].visible = false;
    controller.pointerMove(101.0, 51.0);
    controller.doubleClick();
    EXPECT_TRUE(view.info.isEmpty());
    EXPECT_TRUE(view.details.empty());

    // Stars beyond starTotal are not looked at either, shown or not.
    st.markers.star[1].visible = true;
    st.starTotal = 0;
    controller.pointerMove(101.0, 51.0);
    EXPECT_TRUE(view.info.isEmpty());
}

TEST_F(PointerFlowTest, OverlappingMarkersHoverTheLaterAndOpenTheEarlier)
{
    st.mode = QStringLiteral("coor");
    putStar(1, 100.0f, 50.0f, QStringLiteral("0900-00000001"), 36000.0, 3600.0);
    putStar(2, 102.0f, 52.0f, QStringLiteral("0900-00000002"), 36010.0, 3610.0);
    putStar(3, 300.0f, 300.0f, QStringLiteral("0900-00000003"), 36020.0, 3620.0);

    controller.pointerMove(103.0, 53.0);
    EXPECT_TRUE(view.info.startsWith(QStringLiteral("0900-00000002   MagR-B=")));

    controller.doubleClick();
    ASSERT_EQ(view.details.size(), 1u);
    EXPECT_EQ(view.details[0].first, QStringLiteral("About 0900-00000001"));
}

// --- Double click -------------------------------------------------------------

TEST_F(PointerFlowTest, DoubleClickBoxReachesTwelvePixelsPastTheCorner)
{
    struct Row {
        const char* name;
        int x, y;
        bool found;
    };
    // Marker corner (100, 50): found when 96 < x < 112 and 46 < y < 62.
    const std::vector<Row> rows = {
        {"inside, right and down", 110, 60, true},
        {"right bound itself", 112, 60, false},
        {"last pixel inside", 111, 61, true},
        {"left bound itself", 96, 50, false},
        {"first pixel inside", 97, 47, true},
        {"bottom bound itself", 100, 62, false},
    };
    st.mode = QStringLiteral("coor");
    putStar(1, 100.0f, 50.0f, QStringLiteral("0900-00000001"), 36000.0, 3600.0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view.details.clear();
        st.clickX = static_cast<std::int16_t>(row.x);
        st.clickY = static_cast<std::int16_t>(row.y);
        controller.doubleClick();
        EXPECT_EQ(view.details.size(), row.found ? 1u : 0u);
    }
}

TEST_F(PointerFlowTest, DoubleClickOpensTheStarsReport)
{
    st.mode = QStringLiteral("coor");
    view.setText(QStringLiteral("txt_epoch"), QStringLiteral("1950.5"));
    // 187.5 degrees = 12.5 h; 2000 px/deg on RA, 3600 on Dec.
    st.corrAsd = 2000.0;
    putStar(1, 100.0f, 50.0f, QStringLiteral("0825-07582619"), 187.5 * 2000.0, -5.25 * 3600.0,
            QStringLiteral(" 9.8"), QStringLiteral("11.2"));
    st.clickX = 105;
    st.clickY = 55;
    controller.doubleClick();

    ASSERT_EQ(view.details.size(), 1u);
    EXPECT_EQ(view.details[0].first, QStringLiteral("About 0825-07582619"));
    const QStringList lines = view.details[0].second.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[1], QStringLiteral("   Identification: 0825-07582619"));
    EXPECT_EQ(lines[2], QStringLiteral("   Magnitude Rouge:  9.8"));
    EXPECT_EQ(lines[3], QStringLiteral("   Magnitude Bleu: 11.2"));
    EXPECT_EQ(lines[6], QStringLiteral("   Ascention droite: 187") + dp() + QStringLiteral("5  (12H30'0'')"));
    EXPECT_EQ(lines[7], QStringLiteral("   Declinaison: -5") + dp() + QStringLiteral("25  (-5°15'0'')"));
    EXPECT_EQ(lines[9], QStringLiteral("COORDONNEE EQUATORIALE (J1950.5)"));
}

// --- Click report in coordinate mode -----------------------------------------

// Reads "Clic: <h>h<m>'<s>''  [-]<d>°<m>'<s>''" back into hours and degrees.
bool parseClickLine(const QString& line, double& hours, double& degrees)
{
    static const QRegularExpression re(
        QStringLiteral("^Clic: (\\d+)h(\\d+)'(\\d+)''  (-?)(\\d+)°(\\d+)'(\\d+)''$"));
    const QRegularExpressionMatch m = re.match(line);
    if (!m.hasMatch()) return false;
    hours = m.captured(1).toDouble() + m.captured(2).toDouble() / 60.0 + m.captured(3).toDouble() / 3600.0;
    degrees = m.captured(5).toDouble() + m.captured(6).toDouble() / 60.0 + m.captured(7).toDouble() / 3600.0;
    if (!m.captured(4).isEmpty()) degrees = -degrees;
    return true;
}

TEST_F(PointerFlowTest, CoorClickReportsTheSkyPositionForTheEpoch)
{
    st.mode = QStringLiteral("coor");
    // A plate solution whose linear part mixes both axes, so that a swapped
    // coefficient moves the answer: U = 1.5x + 0.25y + C, V = -0.5x + 2y + F.
    st.plateA = 1.5;
    st.plateB = 0.25;
    st.plateD = -0.5;
    st.plateE = 2.0;
    st.clickX = 300;
    st.clickY = 200;  // linear part: U 500, V 250

    // J2000.0: 12h30'30'' = 187.625 degrees, -5d15'30'' = -5.258333 degrees.
    st.plateC = 187.625 * 3600.0 - 500.0;
    st.plateF = -(5.0 + 15.5 / 60.0) * 3600.0 - 250.0;
    view.setText(QStringLiteral("txt_epoch"), QStringLiteral("2000.0"));
    controller.click();
    ASSERT_EQ(view.status.size(), 1);
    EXPECT_EQ(view.status.front(), QStringLiteral("Clic: 12h30'30''  -5°15'30''"));

    // Meeus example 21.b: theta Persei at J2000.0 (41.054063, +49.227750)
    // precessed to 2028 Nov 13.19 (epoch 2028.86705) is 2h46m11.331s,
    // +49d20'54.54''. The report shows whole seconds; the two precession
    // models agree to a small fraction of an arcsecond over 29 years.
    st.plateC = 41.054063 * 3600.0 - 500.0;
    st.plateF = 49.227750 * 3600.0 - 250.0;
    view.setText(QStringLiteral("txt_epoch"), QStringLiteral("2028.86705 (Meeus)"));
    controller.click();
    ASSERT_EQ(view.status.size(), 2);  // one new line per click, on top
    double hours = 0.0, degrees = 0.0;
    ASSERT_TRUE(parseClickLine(view.status.front(), hours, degrees)) << view.status.front().toStdString();
    const double expectedHours = 2.0 + 46.0 / 60.0 + 11.331 / 3600.0;
    const double expectedDegrees = 49.0 + 20.0 / 60.0 + 54.54 / 3600.0;
    EXPECT_NEAR(hours * 3600.0, expectedHours * 3600.0, 1.0);         // seconds of time
    EXPECT_NEAR(degrees * 3600.0, expectedDegrees * 3600.0, 2.0);     // arcseconds
    // Unprecessed it would read 2h44m13s, far outside these bounds.
    EXPECT_GT(std::abs(hours - 41.054063 / 15.0) * 3600.0, 100.0);
}

// --- Calibration fill and click markers ---------------------------------------

TEST_F(PointerFlowTest, FillFromIdentificationWritesTheCalibrationBoxes)
{
    st.mode = QStringLiteral("superetalo");
    st.fillFromIdentification = 1;
    view.setText(QStringLiteral("txt_dec_sign_show_1"), QStringLiteral("+"));

    // Southern star just below the equator: 301755 / 3600 = 83.8208333 deg
    // = 5.5880556 h = 5h35m17s; -1845 / 3600 = -0.5125 deg = -(0d30'45'').
    // Marker corner (200.25, 120.5), size 8: centre (204.25, 124.5).
    putStar(1, 200.25f, 120.5f, QStringLiteral("0750-00000001"), 301755.0, -1845.0);
    controller.pointerMove(201.0, 121.0);
    EXPECT_EQ(view.text("Etalo_0"), QStringLiteral("204") + dp() + QStringLiteral("25"));
    EXPECT_EQ(view.text("Etalo_1"), QStringLiteral("124") + dp() + QStringLiteral("5"));
    EXPECT_EQ(view.text("Etalo_2"), QStringLiteral("5"));
    EXPECT_EQ(view.text("Etalo_3"), QStringLiteral("35"));
    EXPECT_EQ(view.text("Etalo_4"), QStringLiteral("17"));
    EXPECT_EQ(view.text("Etalo_5"), QStringLiteral("0"));
    EXPECT_EQ(view.text("Etalo_6"), QStringLiteral("30"));
    EXPECT_EQ(view.text("Etalo_7"), QStringLiteral("45"));
    EXPECT_EQ(view.text("txt_dec_sign_show_1"), QStringLiteral("-"));
    // The click point becomes the marker centre: 204.25 -> 204, 124.5 -> 124 (half to even).
    EXPECT_EQ(st.clickX, 204);
    EXPECT_EQ(st.clickY, 124);

    // "Suivant" reads the boxes back into the same star, sign included.
    st.etaloStep = 1;
    controller.BoutonEtalo();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(st.etaloX[1], 204);
    EXPECT_EQ(st.etaloY[1], 124);
    EXPECT_NEAR(st.etaloRA[1], 301755.0 / 3600.0, 1e-9);
    EXPECT_NEAR(st.etaloDec[1], -0.5125, 1e-12);

    // Northern star with fractional seconds, 3000 px/deg: 251463 / 3000 =
    // 83.821 deg = 5.5880667 h = 5h35m17.04s; 66778 / 3000 = 22.2593333 deg
    // = 22d15'33.6''. Centre (50.5, 60.5) -> click point (50, 60).
    st.corrAsd = st.corrDec = 3000.0;
    putStar(2, 46.5f, 56.5f, QStringLiteral("1050-00000002"), 251463.0, 66778.0);
    controller.pointerMove(47.0, 57.0);
    EXPECT_EQ(view.text("Etalo_2"), QStringLiteral("5"));
    EXPECT_EQ(view.text("Etalo_3"), QStringLiteral("35"));
    EXPECT_EQ(view.text("Etalo_4"), QStringLiteral("17.04"));
    EXPECT_EQ(view.text("Etalo_5"), QStringLiteral("22"));
    EXPECT_EQ(view.text("Etalo_6"), QStringLiteral("15"));
    EXPECT_EQ(view.text("Etalo_7"), QStringLiteral("33.6"));
    EXPECT_EQ(view.text("txt_dec_sign_show_1"), QStringLiteral("+"));
    EXPECT_EQ(st.clickX, 50);
    EXPECT_EQ(st.clickY, 60);

    // Flag at 0: hovering shows the data but leaves the boxes alone.
    st.fillFromIdentification = 0;
    controller.pointerMove(201.0, 121.0);
    EXPECT_TRUE(view.info.startsWith(QStringLiteral("0750-00000001")));
    EXPECT_EQ(view.text("Etalo_5"), QStringLiteral("22"));
    EXPECT_EQ(st.clickX, 201);
}

TEST_F(PointerFlowTest, SuperEtaloClickPlacesOneMarkerThenNone)
{
    st.mode = QStringLiteral("superetalo");
    st.fillFromIdentification = 1;
    st.markCount = 0;
    putStar(1, 200.0f, 120.0f, QStringLiteral("0750-00000001"), 301755.0, -1845.0);
    controller.pointerMove(201.0, 121.0);  // fills, click point (204, 124)
    const int repaints = view.markerRepaints;

    controller.click();
    EXPECT_EQ(st.markCount, 1);
    EXPECT_EQ(st.fillFromIdentification, 0);
    // Centred on the click point: 16-pixel marker, corner 8 pixels up-left.
    EXPECT_TRUE(st.markers.click[1].visible);
    EXPECT_FLOAT_EQ(st.markers.click[1].left, 196.0f);
    EXPECT_FLOAT_EQ(st.markers.click[1].top, 116.0f);
    EXPECT_EQ(view.markerRepaints, repaints + 1);

    // The boxes no longer follow the pointer, and a second click places nothing.
    putStar(2, 40.0f, 40.0f, QStringLiteral("0750-00000002"), 300000.0, 3600.0);
    controller.pointerMove(41.0, 41.0);
    EXPECT_EQ(view.text("Etalo_0"), QStringLiteral("204"));
    controller.click();
    EXPECT_EQ(st.markCount, 1);
    EXPECT_FALSE(st.markers.click[2].visible);

    // Only five click markers exist: a sixth is ignored, flag and count kept.
    st.markCount = 5;
    st.fillFromIdentification = 1;
    controller.click();
    EXPECT_EQ(st.markCount, 5);
    EXPECT_EQ(st.fillFromIdentification, 1);
}

// --- Magnifier ------------------------------------------------------------------

TEST_F(PointerFlowTest, MagnifierFollowsThePointerOverItself)
{
    st.mode = QStringLiteral("select");
    // Before any redraw the magnifier stands around the current point.
    st.clickX = 100;
    st.clickY = 80;
    controller.zoomMove(50.0, 50.0);
    EXPECT_EQ(st.clickX, 100);
    EXPECT_EQ(st.clickY, 80);

    controller.pointerMove(300.5, 200.5);  // halves to even: (300, 200)
    EXPECT_EQ(st.clickX, 300);
    EXPECT_EQ(st.clickY, 200);
    const int redraws = view.zoomRedraws;

    // Magnifier corner (250, 150): point (250 + 60.5, 150 + 41) -> (310, 191).
    controller.zoomMove(60.5, 41.0);
    EXPECT_EQ(st.clickX, 310);
    EXPECT_EQ(st.clickY, 191);
    EXPECT_EQ(view.zoomRedraws, redraws + 1);

    // It moved with the point: corner (260, 141); its centre stays on (310, 191),
    // one magnifier pixel further is one image pixel further.
    controller.zoomMove(50.0, 50.0);
    EXPECT_EQ(st.clickX, 310);
    EXPECT_EQ(st.clickY, 191);
    controller.zoomMove(51.5, 48.0);  // 311.5 -> 312 (half to even)
    EXPECT_EQ(st.clickX, 312);
    EXPECT_EQ(st.clickY, 189);

    // A click on the magnifier marks a star whatever the mode; in "coor" a
    // click on the image would report a position instead.
    st.mode = QStringLiteral("coor");
    st.markCount = 0;
    controller.zoomClick();
    EXPECT_EQ(st.markCount, 1);
    EXPECT_TRUE(view.status.filter(QStringLiteral("Clic: ")).isEmpty());
}

// --- Missing scale factors ----------------------------------------------------------

TEST_F(PointerFlowTest, ZeroScaleFactorSkipsTheOutputWithOneStatusLine)
{
    st.mode = QStringLiteral("superetalo");
    st.fillFromIdentification = 1;
    putStar(1, 100.0f, 50.0f, QStringLiteral("0900-00000001"), 0.0, 3600.0);
    putStar(2, 101.0f, 51.0f, QStringLiteral("0900-00000002"), 0.0, 3600.0);
    st.corrAsd = 0.0;

    // Two markers under the pointer: one line, nothing shown, nothing filled.
    controller.pointerMove(102.0, 52.0);
    ASSERT_EQ(view.status.size(), 1);
    EXPECT_EQ(view.status.front(), QStringLiteral("Facteur d'échelle manquant : Corr Asd"));
    EXPECT_TRUE(view.info.isEmpty());
    EXPECT_TRUE(view.text("Etalo_0").isEmpty());
    EXPECT_EQ(st.clickX, 102);

    // Moving on over the same markers says nothing new; coming back does.
    controller.pointerMove(102.5, 52.5);
    EXPECT_EQ(view.status.size(), 1);
    controller.pointerMove(300.0, 300.0);
    controller.pointerMove(102.0, 52.0);
    EXPECT_EQ(view.status.size(), 2);

    // Double click over both: one line naming both factors, no window.
    st.corrDec = 0.0;
    st.clickX = 103;
    st.clickY = 53;
    controller.doubleClick();
    EXPECT_EQ(view.status.size(), 3);
    EXPECT_EQ(view.status.front(), QStringLiteral("Facteur d'échelle manquant : Corr Asd, Corr Dec"));
    EXPECT_TRUE(view.details.empty());

    // Click in coordinate mode: the line instead of the report.
    st.mode = QStringLiteral("coor");
    st.corrAsd = 3600.0;
    controller.click();
    EXPECT_EQ(view.status.size(), 4);
    EXPECT_EQ(view.status.front(), QStringLiteral("Facteur d'échelle manquant : Corr Dec"));
}

}  // namespace
}  // namespace ce
