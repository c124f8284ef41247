// "3-Calcul", its questions and the overlay it draws, on hand-made fields.
// With both scale factors at 1000 a star written at RA = U / 1000 and Dec =
// V / 1000 degrees reads back at exactly (U, V). The marked stars sit at (x, y)
// and their partners at U = 10000 + x, V = 20000 + y: the true plate is A = E = 1,
// B = D = 0, C = 10000, F = 20000. Decoys lie on a line 700 units apart, over 3000
// units from the group, so none of their distances agrees with the marks' (all
// below 320 px). The centre 0h40m48s +20°02'30" (U = 10200, V = 20041.67) is on the image.

#include "app/flow/reduction_controller.h"
#include "tests/flow/flow_support.h"

#include <gtest/gtest.h>

#include <array>

namespace ce::testing {
namespace {

struct Pixel { double x, y; };

// R1..R5: no two distances alike, so only one assignment matches.
constexpr std::array<Pixel, 5> kMarks{{{60, 50}, {330, 70}, {90, 260}, {300, 240}, {200, 150}}};

TestStar planeStar(double U, double V) { return {U / 1000.0, V / 1000.0, 12.0, 13.0}; }
TestStar partner(Pixel p, double shiftU = 0, double dx = 0, double dy = 0)
{
    return planeStar(10000 + p.x + shiftU + dx, 20000 + p.y + dy);
}
std::vector<TestStar> decoys(int count)
{
    std::vector<TestStar> stars;
    for (int k = 0; k < count; ++k) stars.push_back(planeStar(15000 + 700.0 * k, 20500));
    return stars;
}

// A 400 x 300 field, the five reference stars as a finished selection leaves them.
struct CalcRig : FlowRig {
    CalcRig()
    {
        view.width = 400, view.height = 300;
        view.setText(QStringLiteral("txt_url"), QStringLiteral("champ.png"));
        view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("1000"));
        view.setText(QStringLiteral("txt_corrdec"), QStringLiteral("1000"));
        view.setTexts(QStringLiteral("txt_ra_"), {"0", "40", "48"});
        view.setTexts(QStringLiteral("txt_dec_"), {"20", "2", "30"});
        for (std::size_t k = 1; k <= 5; ++k) {
            st.markX[k] = kMarks[k - 1].x;
            st.markY[k] = kMarks[k - 1].y;
            st.markers.click[k] = Marker{float(kMarks[k - 1].x - 8), float(kMarks[k - 1].y - 8), kClickMarkerSize, true};
        }
        st.markCount = 5;
        st.starsSelected = true;
        st.mode = QStringLiteral("0");
        // These hand-made catalogues have no picture to measure stars on:
        // the three-star solution as it is (the refinement's own tests
        // measure real pictures).
        controller.setRefinementEnabled(false);
    }
    void writeField(const std::vector<TestStar>& stars) { folders.writeCatalogue(answerPage(stars)); }
    int visibleStars() const
    {
        int n = 0;
        for (std::size_t i = 1; i < st.markers.star.size(); ++i) n += st.markers.star[i].visible;
        return n;
    }
};

class CalculationTest : public ::testing::Test, protected CalcRig {};

TEST_F(CalculationTest, AcceptedCandidateSetsThePlateSolutionAndCoordinateMode)
{
    std::vector<TestStar> stars = decoys(4);
    for (std::size_t k = 5; k-- > 0;) stars.insert(stars.begin(), partner(kMarks[k]));  // partners first, in order
    writeField(stars);
    view.setCheckState(QStringLiteral("CheckDecideur"), 1);
    view.answers = {true};
    view.setDebugText(QStringLiteral("texte d'une lecture précédente"));

    controller.startCalcul();

    EXPECT_TRUE(view.loadedPaths.size() == 1 && view.debugText.isEmpty());  // the image shown afresh first
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text + view.questions[0].title, message(2) + QStringLiteral(" (1/1)") + message(3));
    EXPECT_TRUE(st.solutionAccepted && st.mode == QStringLiteral("coor"));
    const double plate[] = {st.plateA, st.plateB, st.plateC, st.plateD, st.plateE, st.plateF};
    const double truth[] = {1, 0, 10000, 0, 1, 20000};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(plate[i], truth[i], 1e-8) << "coefficient " << i;
    // Newest first: read (18, count), matching (5, accepted 4, end 6).
    EXPECT_EQ(lines(view.status),
              lines({message(6), message(4), message(5), QStringLiteral("9/9") + message(19), message(18)}));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 5"));  // "calcul" step -1
    // The final drawing puts marker k on its star: centre = corner + 4.
    EXPECT_EQ(st.mapStatus, QStringLiteral("done"));
    for (std::size_t k = 1; k <= 5; ++k)
        EXPECT_EQ(std::pair(st.markers.star[k].left + 4, st.markers.star[k].top + 4),
                  std::pair(float(kMarks[k - 1].x), float(kMarks[k - 1].y))) << k;
    EXPECT_EQ(visibleStars(), 9);  // only starCount markers are drawn
    EXPECT_TRUE(view.messages.empty());  // the centre lies on the image

    // With the refinement on, a black picture gives nothing to measure: the
    // journal says so and the three-star solution stays.
    CalcRig again;
    again.writeField(stars);
    again.view.setCheckState(QStringLiteral("CheckDecideur"), 1);
    again.view.answers = {true};
    again.controller.setRefinementEnabled(true);
    again.controller.startCalcul();
    EXPECT_TRUE(again.st.solutionAccepted && !again.st.refined);
    EXPECT_TRUE(again.view.status[1].startsWith(QStringLiteral("message 24 "))) << lines(again.view.status);
}

TEST_F(CalculationTest, DecliningEveryCandidateOrFindingNoneLeavesNoAcceptedSolution)
{
    // The group twice, the copy 2000 units further in U and found second.
    std::vector<TestStar> twice;
    for (const double shift : {0.0, 2000.0})
        for (const Pixel& p : kMarks) twice.push_back(partner(p, shift));
    // "calcul" step 0 with A, B < 100: suggestions 1 and 4 either way.
    for (const auto& [stars, candidates] : {std::pair{twice, 2}, std::pair{decoys(6), 0}}) {
        SCOPED_TRACE(candidates);
        CalcRig r;
        r.st.solutionAccepted = true;  // left by an earlier run
        r.st.markers.star[1] = Marker{50, 60, kStarMarkerSize, false};
        r.writeField(stars);
        r.view.answers = {false, false};

        r.controller.startCalcul();

        ASSERT_EQ(r.view.questions.size(), std::size_t(candidates));
        EXPECT_TRUE(!candidates || r.view.questions[1].text == message(2) + QStringLiteral(" (2/2)"));
        EXPECT_EQ(r.st.solutionCount, candidates);
        EXPECT_TRUE(!r.st.solutionAccepted && r.st.mode == QStringLiteral("0"));
        // Each question came with the five marked stars in sight, beside the image.
        EXPECT_EQ(r.view.questionsAboutImage, candidates);
        for (const auto& region : r.view.shownRegions)
            EXPECT_EQ(region, (std::array<double, 4>{60, 50, 330, 260}));
        // Declined: suggestion 1 ("none suited?"); none offered: suggestion 15 says so.
        EXPECT_EQ(r.view.suggestionText, candidates ? QStringLiteral("suggestion 1\rsuggestion 4\r")
                                                    : QStringLiteral("suggestion 15\rsuggestion 4\r"));
        // The factors (1000 and 1000) are square pixels only at the equator:
        // finding nothing at +20° suggests Corr Dec · cos δ.
        const QStringList hint = {"1", "0.9394", "939.444"};  // cos 20°02'30" = 0.939444
        EXPECT_EQ(lines(r.view.status.mid(0, 2)), candidates ? lines({message(6), message(5)})
                                                             : lines({message(27, hint), message(6)}));
        // Drawn all the same, with the plate last offered: the copy's, or the
        // all-zero one from before the run that puts every marker at the origin.
        EXPECT_TRUE(r.st.mapStatus == QStringLiteral("done") && r.st.markers.star[1].visible);
        EXPECT_NEAR(r.st.plateC, candidates ? 12000.0 : 0.0, 1e-8);
        EXPECT_EQ(r.st.markers.star[1].left, candidates ? 10060.0f - 12000 - 4 : 0.0f);
    }
}

TEST_F(CalculationTest, MoreThan380StarsAsksBeforeMatching)
{
    struct Row { int stars; std::deque<bool> answers; bool asked, matched; };
    const Row rows[] = {{380, {}, false, true}, {381, {false}, true, false}, {381, {true}, true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stars);
        view.status.clear();
        view.questions.clear();
        view.answers = row.answers;
        std::vector<TestStar> stars;
        for (int k = 0; k < row.stars; ++k) stars.push_back(planeStar(10000 + 500.0 * k, 20000));
        writeField(stars);

        controller.startCalcul();

        const bool asked = !view.questions.empty() && view.questions[0].title == message(16);
        EXPECT_EQ(asked, row.asked);
        EXPECT_TRUE(!asked || view.questions[0].text == message(15));
        EXPECT_EQ(view.status.contains(message(5)), row.matched);
        EXPECT_EQ(view.status.first() == message(17), !row.matched);
    }
}

TEST_F(CalculationTest, DeciderOffersOnlyCandidatesWithFourCoincidences)
{
    // Threshold 3 px: R1..R3 drawn on their marks, R4 5 px off in x, R5 5 px
    // off (3 coincidences) or 1 px off (4) in y. Check state 2 is greyed.
    struct Row { double r5dy; int decider; bool offered; };
    const Row rows[] = {{5, 1, false}, {1, 1, true}, {5, 0, true}, {5, 2, false}};
    view.setText(QStringLiteral("txt_calcul"), QStringLiteral("3"));
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "dy " << row.r5dy << " decider " << row.decider);
        view.questions.clear();
        view.status.clear();
        writeField({partner(kMarks[0]), partner(kMarks[1]), partner(kMarks[2]), partner(kMarks[3], 0, 5, 0),
                    partner(kMarks[4], 0, 0, row.r5dy)});
        view.setCheckState(QStringLiteral("CheckDecideur"), row.decider);

        controller.startCalcul();

        EXPECT_EQ(st.solutionCount, 1);
        EXPECT_EQ(view.questions.size(), row.offered ? 1u : 0u);
        // A skipped candidate is said, with its count and never in silence;
        // and the suggestion does not speak of declined solutions.
        EXPECT_EQ(view.status.contains(message(21, {"1", "1", "3"})), !row.offered);
        EXPECT_EQ(view.suggestionText.startsWith(QStringLiteral("suggestion 15")), !row.offered);
    }
}

TEST_F(CalculationTest, CandidatesWithoutAPlateSolutionAreSaid)
{
    // R1, R2, R3 on one line: their partners make a candidate whose three
    // pairs fix no plate.
    const std::array<Pixel, 5> inLine{{{60, 50}, {160, 100}, {260, 150}, {300, 240}, {90, 230}}};
    for (std::size_t k = 1; k <= 5; ++k) {
        st.markX[k] = inLine[k - 1].x;
        st.markY[k] = inLine[k - 1].y;
    }
    std::vector<TestStar> stars;
    for (const Pixel& p : inLine) stars.push_back(partner(p));
    writeField(stars);

    controller.startCalcul();

    EXPECT_TRUE(view.questions.empty());
    EXPECT_TRUE(view.status.contains(message(22, {"1", QString::number(st.solutionCount)})))
        << lines(view.status);
}

TEST_F(CalculationTest, AStoppedRunLeavesNoStaleSolution)
{
    // An accepted solution, then the same run with Corr Asd emptied: the
    // run stops before matching and withdraws the solution, so that the
    // full map no longer draws with it.
    std::vector<TestStar> stars;
    for (const Pixel& p : kMarks) stars.push_back(partner(p));
    writeField(stars);
    view.answers = {true};
    controller.startCalcul();
    ASSERT_TRUE(st.solutionAccepted);

    view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("0"));
    controller.startCalcul();
    EXPECT_FALSE(st.solutionAccepted);
    view.messages.clear();
    controller.FullMap();
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 13"));  // "fullmapannuler"
    EXPECT_TRUE(view.monitor.addresses.isEmpty());

    // A full map asked with a factor of 0 in force is refused with a message.
    st.solutionAccepted = true;
    st.corrAsd = 0;
    controller.FullMap();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, message(29, {"Corr Asd"}));
    EXPECT_TRUE(view.monitor.addresses.isEmpty());
}

TEST_F(CalculationTest, RunsStopEarlyWithAReasonWhenSomethingIsMissing)
{
    struct Row { const char* name; bool emptyCorr, selected, catalogue; QString messagePart; bool read; };
    const Row rows[] = {
        {"no star selection", false, false, true, {}, false},
        {"empty Corr Asd", true, true, true, "Corr Asd", false},
        {"no catalogue downloaded", false, true, false, "data.txt", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CalcRig r;
        if (row.emptyCorr) r.view.setText(QStringLiteral("txt_corrasd"), {});
        if (row.catalogue) r.writeField({partner(kMarks[0])});
        r.st.starsSelected = row.selected;
        r.st.markers.star[1].visible = true;

        r.controller.startCalcul();

        EXPECT_TRUE(r.view.questions.empty() && !r.view.status.contains(message(6)));
        EXPECT_FALSE(r.st.markers.star[1].visible);  // hidden at the start of every run
        EXPECT_EQ(r.view.status.contains(message(18)), row.read);  // the catalogue was read
        // A message box naming the reason, or none and the "calculannuler" suggestion.
        ASSERT_EQ(r.view.messages.size(), row.messagePart.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(row.messagePart.isEmpty() ? r.view.suggestionText == QStringLiteral("suggestion 14")
                                              : r.view.messages[0].text.contains(row.messagePart));
    }
}

// The overlay alone, centred on 1h00m00s +20°00'00": U = 15000, V = 20000
// exactly. Three catalogue stars that the plate C = 14800, F = 19900 draws at
// (20, 30), (220, 130) and (380, 290).
class OverlayTest : public CalculationTest {
protected:
    void SetUp() override
    {
        view.setTexts(QStringLiteral("txt_ra_"), {"1", "0", "0"});
        view.setTexts(QStringLiteral("txt_dec_"), {"20", "0", "0"});
        st.corrAsd = st.corrDec = 1000;
        const double x[] = {20, 220, 380}, y[] = {30, 130, 290};
        for (std::size_t i = 1; i <= 3; ++i) {
            st.starU[i] = 14800 + x[i - 1];
            st.starV[i] = 19900 + y[i - 1];
        }
        st.starCount = st.starTotal = 3;
        st.plateA = st.plateE = 1;
        st.plateC = 14800;
        st.plateF = 19900;
    }
};

TEST_F(OverlayTest, CentreOffTheImageIsWarnedBeforeTheMarkersShow)
{
    // The centre lands at x = 15000 - C; the image border itself is outside.
    for (const auto& [C, warned] : {std::pair{14800.0, false}, std::pair{15000.0, true}, std::pair{14601.0, false},
                                    std::pair{14600.0, true}}) {
        SCOPED_TRACE(C);
        view.messages.clear();
        st.markers.hideStars();
        st.mapFailed = true;
        int visibleAtWarning = -1;
        view.onMessage = [&](const QString&) { visibleAtWarning = visibleStars(); };
        st.plateC = C;

        controller.map();

        ASSERT_EQ(view.messages.size(), warned ? 1u : 0u);
        if (warned) {
            EXPECT_EQ(view.messages[0].text, message(20));
            EXPECT_EQ(visibleAtWarning, 0);
        }
        EXPECT_TRUE(st.markers.centre.visible && st.markers.centre.x == 15000 - C);
        EXPECT_TRUE(visibleStars() == 3 && !st.mapFailed && st.mapStatus == QStringLiteral("done"));
    }
}

TEST_F(OverlayTest, LoadingStatusDrawsEveryStarReadAndHidesNone)
{
    st.starCount = 2;
    st.markers.star[7].visible = true;  // left by an earlier full map
    st.mapStatus = QStringLiteral("loading");
    controller.map();
    EXPECT_TRUE(st.markers.star[3].visible);  // starTotal = 3, not starCount = 2
    EXPECT_EQ(visibleStars(), 4);

    st.markers.hideStars();
    controller.map();  // "done" now: starCount stars
    EXPECT_EQ(visibleStars(), 2);
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
