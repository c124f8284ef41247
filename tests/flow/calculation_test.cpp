// "3-Calcul" and its questions on hand-made fields.
//
// With both scale factors at 1000 a star written at RA = U / 1000 and
// Dec = V / 1000 degrees reads back at exactly (U, V). The marked stars sit at
// (x, y) and their catalogue partners at U = 10000 + x, V = 20000 + y, so the
// true plate is A = E = 1, B = D = 0, C = 10000, F = 20000. Decoys lie on a
// line 700 units apart, over 3000 units from the group: none of their
// distances can agree with the marked stars' (all below 320 px).

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"

#include <gtest/gtest.h>

#include <array>

namespace ce::testing {
namespace {

struct Pixel {
    double x;
    double y;
};

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
std::vector<TestStar> exactField()
{
    std::vector<TestStar> stars;
    for (const Pixel& p : kMarks) stars.push_back(partner(p));
    for (const TestStar& d : decoys(4)) stars.push_back(d);
    return stars;
}

// A 400 x 300 field with both scale factors at 1000, centred on 0h40m48s
// +20°02'30" (U = 10200, V = 20041.67: on the image through the true plate).
void prepare(FakeView& v)
{
    v.width = 400;
    v.height = 300;
    v.setText(QStringLiteral("txt_url"), QStringLiteral("champ.png"));
    v.setText(QStringLiteral("txt_corrasd"), QStringLiteral("1000"));
    v.setText(QStringLiteral("txt_corrdec"), QStringLiteral("1000"));
    v.setTexts(QStringLiteral("txt_ra_"), {"0", "40", "48"});
    v.setTexts(QStringLiteral("txt_dec_"), {"20", "2", "30"});
}

class CalculationTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        prepare(view);
        // The five reference stars as a finished selection leaves them.
        for (std::size_t k = 1; k <= 5; ++k) {
            st.markX[k] = kMarks[k - 1].x;
            st.markY[k] = kMarks[k - 1].y;
            st.markers.click[k] = Marker{float(kMarks[k - 1].x - 8), float(kMarks[k - 1].y - 8),
                                         kClickMarkerSize, true};
        }
        st.markCount = 5;
        st.starsSelected = true;
        st.mode = QStringLiteral("0");
    }

    void writeField(const std::vector<TestStar>& stars) { folders.writeCatalogue(answerPage(stars)); }
};

TEST_F(CalculationTest, AcceptedCandidateSetsThePlateSolutionAndCoordinateMode)
{
    writeField(exactField());
    view.setCheckState(QStringLiteral("CheckDecideur"), 1);
    view.answers = {true};
    view.setDebugText(QStringLiteral("texte d'une lecture précédente"));

    controller.startCalcul();

    EXPECT_EQ(view.loadedPaths.size(), 1);  // the image shown afresh first
    EXPECT_TRUE(view.debugText.isEmpty());
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, message(2) + QStringLiteral(" (1/1)"));
    EXPECT_EQ(view.questions[0].title, message(3));
    EXPECT_TRUE(st.solutionAccepted);
    EXPECT_EQ(st.mode, QStringLiteral("coor"));
    EXPECT_EQ(st.solutionCount, 1);
    const double plate[] = {st.plateA, st.plateB, st.plateC, st.plateD, st.plateE, st.plateF};
    const double truth[] = {1, 0, 10000, 0, 1, 20000};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(plate[i], truth[i], 1e-8) << "coefficient " << i;
    // Newest first: read (18, count), matching (5, accepted 4, end 6).
    EXPECT_EQ(lines(view.status),
              lines({message(6), message(4), message(5), QStringLiteral("9/9") + message(19),
                     message(18)}));
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 5"));  // "calcul" step -1
    // The final drawing puts marker k on its star: centre = corner + 4.
    EXPECT_EQ(st.mapStatus, QStringLiteral("done"));
    for (std::size_t k = 1; k <= 5; ++k) {
        EXPECT_FLOAT_EQ(st.markers.star[k].left + 4, float(kMarks[k - 1].x));
        EXPECT_FLOAT_EQ(st.markers.star[k].top + 4, float(kMarks[k - 1].y));
        EXPECT_TRUE(st.markers.star[k].visible);
    }
    EXPECT_FALSE(st.markers.star[10].visible);  // only starCount markers are drawn
    EXPECT_TRUE(view.messages.empty());         // the centre lies on the image
}

TEST_F(CalculationTest, DecliningEveryCandidateOrFindingNoneLeavesNoAcceptedSolution)
{
    // The group twice, the copy 2000 units further in U and found second.
    std::vector<TestStar> stars;
    for (const Pixel& p : kMarks) stars.push_back(partner(p));
    for (const Pixel& p : kMarks) stars.push_back(partner(p, 2000));
    struct Row {
        const char* name;
        std::vector<TestStar> stars;
        int candidates;
        QString suggestion;
    };
    const std::vector<Row> rows = {
        // "calcul" step 0, 2 solutions, 10 stars: suggestion 1 (A < 100), then 4 (B < 100).
        {"two candidates declined", stars, 2, "suggestion 1\rsuggestion 4\r"},
        // No solution: A = 0 and B = 6, both below 100.
        {"no candidate", decoys(6), 0, "suggestion 1\rsuggestion 4\r"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FlowRig r;
        prepare(r.view);
        r.st.markX = st.markX;
        r.st.markY = st.markY;
        r.st.markCount = 5;
        r.st.starsSelected = true;
        r.st.mode = QStringLiteral("0");
        r.st.solutionAccepted = true;  // left by an earlier run
        r.st.markers.star[1] = Marker{50, 60, kStarMarkerSize, false};
        r.folders.writeCatalogue(answerPage(row.stars));
        r.view.answers = {false, false};

        r.controller.startCalcul();

        ASSERT_EQ(r.view.questions.size(), std::size_t(row.candidates));
        for (int k = 1; k <= row.candidates; ++k)
            EXPECT_EQ(r.view.questions[std::size_t(k - 1)].text,
                      message(2) + QStringLiteral(" (%1/%2)").arg(k).arg(row.candidates));
        EXPECT_EQ(r.st.solutionCount, row.candidates);
        EXPECT_FALSE(r.st.solutionAccepted);
        EXPECT_EQ(r.st.mode, QStringLiteral("0"));
        EXPECT_EQ(lines(r.view.status.mid(0, 2)), lines({message(6), message(5)}));
        EXPECT_EQ(r.view.suggestionText, row.suggestion);
        // Drawn all the same, with the plate last offered: the copy's, or the
        // all-zero one from before the run that puts every marker at the origin.
        EXPECT_EQ(r.st.mapStatus, QStringLiteral("done"));
        EXPECT_NEAR(r.st.plateC, row.candidates ? 12000.0 : 0.0, 1e-8);
        EXPECT_TRUE(r.st.markers.star[1].visible);
        if (!row.candidates) {
            EXPECT_EQ(r.st.markers.star[1].left, 0.0f);
        }
    }
}

TEST_F(CalculationTest, MoreThan380StarsAsksBeforeMatching)
{
    struct Row {
        const char* name;
        int stars;
        std::deque<bool> answers;
        bool asked;
        bool matched;
    };
    const std::vector<Row> rows = {
        {"380 stars: no question", 380, {}, false, true},
        {"381 stars, No", 381, {false}, true, false},
        {"381 stars, Yes", 381, {true}, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view.status.clear();
        view.questions.clear();
        view.answers = row.answers;
        std::vector<TestStar> stars;
        for (int k = 0; k < row.stars; ++k) stars.push_back(planeStar(10000 + 500.0 * k, 20000));
        writeField(stars);

        controller.startCalcul();

        const bool asked = !view.questions.empty() && view.questions[0].title == message(16);
        EXPECT_EQ(asked, row.asked);
        if (asked) {
            EXPECT_EQ(view.questions[0].text, message(15));
        }
        EXPECT_EQ(view.status.contains(message(5)), row.matched);
        EXPECT_EQ(view.status.first() == message(17), !row.matched);
    }
}

TEST_F(CalculationTest, DeciderOffersOnlyCandidatesWithFourCoincidences)
{
    // Threshold 3 px: R1..R3 drawn on their marks, R4 5 px off in x, R5 5 px
    // off (3 coincidences) or 1 px off (4) in y.
    struct Row {
        const char* name;
        double r5dy;
        int decider;
        bool offered;
    };
    const std::vector<Row> rows = {
        {"count 3, decider on", 5, 1, false},
        {"count 4, decider on", 1, 1, true},
        {"count 3, decider off", 5, 0, true},
        {"count 3, decider greyed", 5, 2, false},
    };
    view.setText(QStringLiteral("txt_calcul"), QStringLiteral("3"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        view.questions.clear();
        writeField({partner(kMarks[0]), partner(kMarks[1]), partner(kMarks[2]),
                    partner(kMarks[3], 0, 5, 0), partner(kMarks[4], 0, 0, row.r5dy)});
        view.setCheckState(QStringLiteral("CheckDecideur"), row.decider);

        controller.startCalcul();

        EXPECT_EQ(st.solutionCount, 1);
        EXPECT_EQ(view.questions.size(), row.offered ? 1u : 0u);
    }
}

TEST_F(CalculationTest, AFullCandidateTableIsSaidAndItsCandidatesOffered)
{
    // Five marks within 3 px of each other and ten stars within 3 units:
    // every choice of five agrees, 10^4 for the first anchor alone, so the
    // table of 800 fills before the first anchor is done.
    const Pixel cluster[] = {{100, 100}, {102, 100}, {100, 102}, {101, 101}, {102, 102}};
    for (std::size_t k = 1; k <= 5; ++k) {
        st.markX[k] = cluster[k - 1].x;
        st.markY[k] = cluster[k - 1].y;
    }
    std::vector<TestStar> stars;
    for (int i = 0; i < 10; ++i) stars.push_back(partner({100.0 + i % 3, 100.0 + i / 4}));
    writeField(stars);

    controller.startCalcul();

    EXPECT_EQ(st.solutionCount, 800);
    EXPECT_EQ(view.questions.size(), 800u);  // decider unchecked: each one is asked
    EXPECT_EQ(view.questions.back().text, message(2) + QStringLiteral(" (800/800)"));
    EXPECT_TRUE(lines(view.status).find("800") != std::string::npos) << lines(view.status);
    // "calcul" step 0 with A = 800 > 100: suggestion 2; B = 10 < 100: suggestion 4.
    EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 2\rsuggestion 4\r"));
}

TEST_F(CalculationTest, RunsStopEarlyWithAReasonWhenSomethingIsMissing)
{
    struct Row {
        const char* name;
        QString control;
        QString value;
        bool selected;
        bool catalogue;
        QString messagePart;  // empty: no message box (each field's rule is the settings reader's)
        bool read;            // message 18 posted
    };
    const std::vector<Row> rows = {
        {"no star selection", {}, {}, false, true, {}, false},
        {"empty Corr Asd", "txt_corrasd", {}, true, true, "Corr Asd", false},
        {"no catalogue downloaded", {}, {}, true, false, "data.txt", true},
        {"tolerance not a number", "txt_tolerance", "sept", true, true, "Tolérance", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FlowRig r;
        prepare(r.view);
        if (!row.control.isEmpty()) r.view.setText(row.control, row.value);
        if (row.catalogue) r.folders.writeCatalogue(answerPage(exactField()));
        r.st.starsSelected = row.selected;
        r.st.markers.star[1].visible = true;

        r.controller.startCalcul();

        EXPECT_TRUE(r.view.questions.empty());
        EXPECT_FALSE(r.st.markers.star[1].visible);  // hidden at the start of every run
        EXPECT_EQ(r.view.status.contains(message(18)), row.read);
        EXPECT_FALSE(r.view.status.contains(message(6)));
        EXPECT_FALSE(r.st.solutionAccepted);
        if (row.messagePart.isEmpty()) {
            EXPECT_TRUE(r.view.messages.empty());
            EXPECT_EQ(r.view.suggestionText, QStringLiteral("suggestion 14"));  // "calculannuler"
        } else {
            ASSERT_EQ(r.view.messages.size(), 1u);
            EXPECT_TRUE(r.view.messages[0].text.contains(row.messagePart)) << r.view.messages[0].text.toStdString();
        }
    }
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
