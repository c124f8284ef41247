// Pointer events on the image and the magnifier, driven through the
// reduction controller with the scripted window. Expected values are worked
// by hand from the pointer rules (boxes, rounding, text forms) or taken from
// Meeus, Astronomical Algorithms, 2nd ed., example 21.b.

#include "app/builtin_texts.h"
#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>

namespace ce {
namespace {

// French numbers (decimal ","), so that texts in the user's separator and the calibration
// boxes, which always hold ".", are told apart. Set before the first QLocale::system().
const bool kFrenchNumbers = qputenv("LC_ALL", "fr_FR.UTF-8");

// A window and controller with 3600 px per degree both ways and the overlay drawn.
struct Rig {
    explicit Rig(const char* mode, const char* mapStatus = "done")
    {
        controller.createMarkers();
        st.corrAsd = st.corrDec = 3600.0;
        st.mode = QString::fromLatin1(mode);
        st.mapStatus = QString::fromLatin1(mapStatus);
    }
    // Catalogue star i with its marker's top-left corner at (left, top), shown.
    void putStar(int i, float left, float top, const char* id, double u, double v, const char* magR = "12.1")
    {
        const auto s = static_cast<std::size_t>(i);
        st.starId[s] = QString::fromLatin1(id);
        st.starU[s] = u, st.starV[s] = v;
        st.starMagR[s] = QString::fromLatin1(magR), st.starMagB[s] = QStringLiteral("11.2");
        st.markers.star[s] = Marker{left, top, kStarMarkerSize, true};
        st.starTotal = std::max<std::int16_t>(st.starTotal, static_cast<std::int16_t>(i));
    }
    void setClick(int x, int y) { st.clickX = std::int16_t(x), st.clickY = std::int16_t(y); }
    testing::FakeView view;
    LanguageTable lang;
    ReductionController controller{view, lang, ProgramPaths{}};
    ReductionState& st = controller.state();
};

TEST(PointerDispatch, EachModeAndOverlayStatus)
{
    enum class Move { Magnifier, Hover, HideMagnifier };
    enum class Click { Selection, Report, ClickMarker };
    struct Row { const char* mode; const char* mapStatus; Move move; Click click; bool details; };
    const Row rows[] = {
        {"select", "done", Move::Magnifier, Click::Selection, true},
        {"etalo", "loading", Move::Magnifier, Click::Selection, false},
        {"coor", "done", Move::Hover, Click::Report, true},
        {"coor", "err", Move::HideMagnifier, Click::Report, true},
        {"superetalo", "", Move::Hover, Click::ClickMarker, false},
        {"0", "loading", Move::HideMagnifier, Click::ClickMarker, false},
        {"done", "done", Move::Hover, Click::ClickMarker, true},
        {"", "", Move::HideMagnifier, Click::ClickMarker, false},
    };
    // One shown marker at (100, 50), a plate solution, the fill flag at 1.
    const auto rig = [](const Row& row) {
        auto r = std::make_unique<Rig>(row.mode, row.mapStatus);
        r->st.plateA = r->st.plateE = 1.0;
        r->st.fillFromIdentification = r->st.etaloStep = 1;
        r->putStar(1, 100.0f, 50.0f, "0900-00000001", 36000.0, 3600.0);
        r->view.setVisible(QStringLiteral("zoom"), true);
        return r;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("mode \"") + row.mode + "\", overlay \"" + row.mapStatus + "\"");
        auto move = rig(row);
        move->controller.pointerMove(101.0, 51.0);
        // A hover with the flag at 1 moves the click point to the marker centre (104, 54).
        EXPECT_EQ(std::tuple(int(move->st.clickX), move->view.text("Etalo_5").isEmpty(), move->view.zoomRedraws,
                             move->view.isVisible(QStringLiteral("zoom"))),
                  std::tuple(row.move == Move::Hover ? 104 : 101, row.move != Move::Hover,
                             row.move == Move::Magnifier ? 1 : 0, row.move != Move::HideMagnifier));

        auto click = rig(row);
        click->controller.click();
        const bool report = row.click == Click::Report;
        EXPECT_EQ(std::tuple(int(click->view.status.filter(QStringLiteral("Clic: ")).size()), int(click->st.markCount),
                             int(click->st.fillFromIdentification)),
                  std::tuple(report ? 1 : 0, report ? 0 : 1, row.click == Click::ClickMarker ? 0 : 1));

        auto twice = rig(row);
        twice->setClick(104, 54);
        twice->controller.doubleClick();
        EXPECT_EQ(twice->view.details.size(), row.details ? 1u : 0u);
    }
}

TEST(PointerHover, StrictBoxAroundTheStarAndTheInfoLine)
{
    Rig r("coor");
    r.putStar(1, 100.0f, 50.0f, "0825-07582619 ", 187.5 * 3600.0, -5.25 * 3600.0, " 9.8");
    // The circle's centre, where the star is, is (104, 54): hovered when
    // 100 < x < 108 and 50 < y < 58. The marker's corner is not the star.
    struct Row { double x, y; bool hovered; };
    const Row rows[] = {{104.0, 54.0, true}, {107.4, 57.6, true},  {108.0, 54.0, false}, {100.0, 54.0, false},
                        {100.1, 50.1, true}, {104.0, 58.0, false}, {104.0, 50.0, false}, {97.0, 47.0, false}};
    for (const Row& row : rows) {
        r.view.info.clear();
        r.controller.pointerMove(row.x, row.y);
        EXPECT_EQ(!r.view.info.isEmpty(), row.hovered) << row.x << ", " << row.y;
    }
    // 187.5° = 12h30'0''; the pointer kept in whole pixels, halves to even.
    r.controller.pointerMove(102.5, 51.5);
    EXPECT_EQ(r.view.info,
              QStringLiteral("0825-07582619    MagR-B= 9.8 11.2   Ra:12h30'0''   Dec:-5°15'0''  (J2000.0)"));
    EXPECT_EQ(std::pair(int(r.st.clickX), int(r.st.clickY)), std::pair(102, 52));

    // An overlapping later marker wins the hover, the earlier the double click.
    r.putStar(2, 102.0f, 52.0f, "0900-00000002", 36010.0, 3610.0);
    r.controller.pointerMove(103.0, 53.0);
    EXPECT_TRUE(r.view.info.startsWith(QStringLiteral("0900-00000002   MagR-B=")));
    r.setClick(103, 53);
    r.controller.doubleClick();
    ASSERT_EQ(r.view.details.size(), 1u);
    EXPECT_EQ(r.view.details[0].first, QStringLiteral("About 0825-07582619 "));

    // Hidden markers and stars beyond starTotal are not pointed at.
    r.st.markers.star[2].visible = false;
    r.controller.pointerMove(103.0, 53.0);
    EXPECT_TRUE(r.view.info.startsWith(QStringLiteral("0825-07582619")));
    r.st.starTotal = 0;
    r.view.info.clear();
    r.controller.pointerMove(101.0, 51.0);
    r.view.details.clear();
    r.controller.doubleClick();
    EXPECT_TRUE(r.view.info.isEmpty());
    EXPECT_TRUE(r.view.details.empty());
}

TEST(PointerDoubleClick, BoxReachesTwelvePastTheCornerAndOpensTheReport)
{
    Rig r("coor");
    r.view.setText(QStringLiteral("txt_epoch"), QStringLiteral("1950.5"));
    r.st.corrAsd = 2000.0;
    r.putStar(1, 100.0f, 50.0f, "0825-07582619", 187.5 * 2000.0, -5.25 * 3600.0);
    // Found when 96 < x < 112 and 46 < y < 62.
    struct Row { int x, y; bool found; };
    const Row rows[] = {{112, 60, false}, {111, 61, true}, {96, 50, false}, {100, 62, false}};
    QString report;  // kept from the row that found the star: later rows clear the window's list
    for (const Row& row : rows) {
        r.view.details.clear();
        r.setClick(row.x, row.y);
        r.controller.doubleClick();
        ASSERT_EQ(r.view.details.size(), row.found ? 1u : 0u) << row.x << ", " << row.y;
        if (row.found) report = r.view.details[0].second;
    }
    // The layout itself is the report's own test: here the star, the factors, the epoch and the separator.
    const QStringList lines = report.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[6], QStringLiteral("   Ascention droite: 187,5  (12H30'0'')"));
    EXPECT_EQ(lines[7], QStringLiteral("   Declinaison: -5,25  (-5°15'0'')"));
    EXPECT_EQ(lines[9], QStringLiteral("COORDONNEE EQUATORIALE (J1950.5)"));
}

TEST(PointerCoorClick, ReportsTheSkyPositionForTheEpoch)
{
    Rig r("coor");
    // Both axes mixed, so a swapped coefficient moves the answer: U = 1.5x + 0.25y + C, V = -0.5x + 2y + F.
    r.st.plateA = 1.5, r.st.plateB = 0.25, r.st.plateD = -0.5, r.st.plateE = 2.0;
    r.setClick(300, 200);  // linear part: U 500, V 250
    r.st.plateC = 187.625 * 3600.0 - 500.0;  // 12h30'30''
    r.st.plateF = -(5.0 + 15.5 / 60.0) * 3600.0 - 250.0;
    r.controller.click();
    ASSERT_EQ(r.view.status, QStringList{QStringLiteral("Clic: 12h30'30''  -5°15'30''")});

    // Meeus 21.b: theta Persei (41.054063, +49.227750) at epoch 2028.86705 is
    // 2h46m11.331s, +49d20'54.54''; the report shows whole seconds (the models differ by 0.3").
    r.st.plateC = 41.054063 * 3600.0 - 500.0;
    r.st.plateF = 49.227750 * 3600.0 - 250.0;
    r.view.setText(QStringLiteral("txt_epoch"), QStringLiteral("2028.86705 (Meeus)"));
    r.controller.click();
    // One new line per click, on top; unprecessed it would read 2h44'13''  49°13'40''.
    ASSERT_EQ(r.view.status.size(), 2);
    EXPECT_EQ(r.view.status.front(), QStringLiteral("Clic: 2h46'11''  49°20'55''"));
}

TEST(PointerCalibration, FillFromIdentificationThenOneClickMarker)
{
    Rig r("superetalo");
    r.st.fillFromIdentification = 1;
    // 301755 / 3600 = 83.8208333° = 5h35m17s; -1845 / 3600 = -0.5125° = -(0°30'45'').
    // Corner (200.25, 120.5): centre (204.25, 124.5), click point (204, 124) halves to even.
    r.putStar(1, 200.25f, 120.5f, "0750-00000001", 301755.0, -1845.0);
    r.controller.pointerMove(201.0, 121.0);
    ASSERT_TRUE(kFrenchNumbers && QLocale::system().decimalPoint() == QStringLiteral(","));
    const QStringList south = {"204.25", "124.5", "5", "35", "17", "0", "30", "45"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(r.view.text(QStringLiteral("Etalo_%1").arg(i)), south[i]) << i;
    EXPECT_EQ(r.view.text("txt_dec_sign_show_1"), QStringLiteral("-"));
    EXPECT_EQ(std::pair(int(r.st.clickX), int(r.st.clickY)), std::pair(204, 124));

    // "Suivant" reads the boxes back into the same star, sign included.
    r.st.etaloStep = 1;
    r.controller.BoutonEtalo();
    EXPECT_TRUE(r.view.messages.empty() && r.st.etaloX[1] == 204);
    EXPECT_NEAR(r.st.etaloRA[1], 301755.0 / 3600.0, 1e-9);
    EXPECT_NEAR(r.st.etaloDec[1], -0.5125, 1e-12);

    // 3000 px/deg: 251463 / 3000 = 83.821° = 5h35m17.04s; 66778 / 3000 = 22°15'33.6''.
    r.st.corrAsd = r.st.corrDec = 3000.0;
    r.putStar(2, 46.5f, 56.5f, "1050-00000002", 251463.0, 66778.0);
    r.controller.pointerMove(47.0, 57.0);
    const QStringList north = {"5", "35", "17.04", "22", "15", "33.6"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(r.view.text(QStringLiteral("Etalo_%1").arg(i + 2)), north[i]) << i + 2;
    EXPECT_EQ(r.view.text("txt_dec_sign_show_1"), QStringLiteral("+"));

    // The click places one 16-pixel marker centred on the click point (50, 60)
    // and consumes the flag: the boxes stop following, a second click places nothing.
    const int repaints = r.view.markerRepaints;
    r.controller.click();
    EXPECT_TRUE(r.st.markCount == 1 && r.st.fillFromIdentification == 0);
    EXPECT_EQ(std::pair(r.st.markers.click[1].left, r.st.markers.click[1].top), std::pair(42.0f, 52.0f));
    EXPECT_EQ(r.view.markerRepaints, repaints + 1);
    r.controller.pointerMove(201.0, 121.0);
    EXPECT_EQ(r.view.text("Etalo_5"), QStringLiteral("22"));
    r.controller.click();
    EXPECT_EQ(r.st.markCount, 1);
    // Only five click markers exist: a sixth is ignored, flag and count kept.
    r.st.markCount = 5;
    r.st.fillFromIdentification = 1;
    r.controller.click();
    EXPECT_TRUE(r.st.markCount == 5 && r.st.fillFromIdentification == 1);
}

TEST(PointerScaleFactors, ZeroFactorSkipsTheOutputWithOneStatusLine)
{
    Rig r("superetalo");
    r.st.fillFromIdentification = 1;
    r.putStar(1, 100.0f, 50.0f, "0900-00000001", 0.0, 3600.0);
    r.putStar(2, 101.0f, 51.0f, "0900-00000002", 0.0, 3600.0);
    r.st.corrAsd = 0.0;
    r.controller.pointerMove(102.0, 52.0);  // two markers under the pointer: one line
    r.controller.pointerMove(102.5, 52.5);  // same markers: nothing new
    ASSERT_EQ(r.view.status, QStringList{ce::builtinText(QStringLiteral("calib.scalemissing")).arg(QStringLiteral("Corr Asd"))});
    EXPECT_TRUE(r.view.info.isEmpty() && r.view.text("Etalo_0").isEmpty());
    r.st.corrDec = 0.0;
    r.setClick(103, 53);
    r.controller.doubleClick();
    EXPECT_EQ(r.view.status.front(), ce::builtinText(QStringLiteral("calib.scalemissing")).arg(QStringLiteral("Corr Asd, Corr Dec")));
    EXPECT_TRUE(r.view.details.empty());
    r.st.mode = QStringLiteral("coor");
    r.st.corrAsd = 3600.0;
    r.controller.click();
    EXPECT_EQ(r.view.status.front(), ce::builtinText(QStringLiteral("calib.scalemissing")).arg(QStringLiteral("Corr Dec")));
}

}  // namespace
}  // namespace ce
