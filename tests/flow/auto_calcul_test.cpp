// "5-Auto" on generated fields with the flaws of real images (halos, hot
// pixels, a scratch, grain, saturated tops, 5 % of the bright image stars
// missing from the catalogue and 5 % of the catalogue missing from the
// image): the true solution is offered and refines onto the stars; with the
// catalogue of another field, a scale 10 % off or an empty sky, nothing is
// offered and the run says that nothing was verified.

#include "app/flow/reduction_controller.h"
#include "tests/flow/demo_field_rig.h"
#include "tools/demo_field/field_presets.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ce::testing {
namespace {

struct AutoRig : FlowRig {
    // The image of `imaged`; the catalogue of `catalogued` about its own
    // centre; the typed centre and factors those of `imaged`, the factors
    // multiplied by `scale`.
    AutoRig(const demo::DemoFieldPreset& imaged, const demo::DemoFieldPreset& catalogued, double scale = 1.0)
        : field(demo::generateDemoField(imaged.field)), truth(starTruth(field))
    {
        const demo::DemoField catalogueField =
            &imaged == &catalogued ? demo::DemoField{} : demo::generateDemoField(catalogued.field);
        const demo::DemoField& source = &imaged == &catalogued ? field : catalogueField;
        writeFieldCatalogue(folders, source, catalogued.field.geometry, catalogued.queryRadiusArcmin,
                            catalogued.queryMagFaint);
        showFieldImage(view, field.image);
        typeField(view, imaged.field.geometry, QStringLiteral("plaque.png"), scale);
        // "Oui" to the long calculation, and to a candidate only when its
        // drawn markers lie on the stars.
        view.decide = [this](const QString& question) {
            return question == message(15) || drawnOnTheStars(markerErrors(st, truth));
        };
    }

    double markerRms() const { return rms(markerErrors(st, truth)); }

    // Questions about a candidate (not the long-calculation one).
    int candidateQuestions() const
    {
        int n = 0;
        for (const auto& q : view.questions)
            if (q.text.startsWith(message(2))) ++n;
        return n;
    }
    bool saidNothingVerified() const
    {
        for (const QString& line : view.status)
            if (line.startsWith(lang.message(41).section(u'%', 0, 0))) return true;
        return false;
    }

    const demo::DemoField field;
    const StarTruth truth;
};

demo::DemoFieldPreset flawedWide(std::uint64_t seed)
{
    demo::DemoFieldPreset wide = demo::wideColourPreset(seed);
    wide.queryRadiusArcmin = 170;
    demo::addRealFlaws(wide.field);
    return wide;
}

static std::uint64_t fullCounts(std::uint64_t usual, std::uint64_t full)
{
    return qEnvironmentVariableIsSet("CE_AUTO_FULL") ? full : usual;
}

TEST(AutoCalcul, FindsAndRefinesTheTrueSolutionOnFlawedFields)
{
    // Twenty wide colour pictures and two plates in the test run; the whole
    // fifty with CE_AUTO_FULL=1 (too long for every build).
    for (std::uint64_t seed = 1; seed <= fullCounts(20, 50); ++seed) {
        const demo::DemoFieldPreset wide = flawedWide(seed);
        AutoRig rig(wide, wide);
        rig.controller.AutoCalcul();
        ASSERT_TRUE(rig.st.solutionAccepted) << "seed " << seed << ": " << lines(rig.view.status);
        EXPECT_EQ(rig.candidateQuestions(), 1) << "seed " << seed;
        EXPECT_EQ(rig.st.markCount, 5);
        EXPECT_TRUE(rig.st.refined.has_value()) << lines(rig.view.status);
        EXPECT_LE(rig.markerRms(), 1.0) << "seed " << seed;
        EXPECT_FALSE(rig.view.progress.isEmpty());
        EXPECT_EQ(rig.view.searchesFinished, 1);
    }

    // The demonstration field as data/demo ships it.
    {
        const demo::DemoFieldPreset shipped = demo::demonstrationPreset();
        AutoRig rig(shipped, shipped);
        rig.controller.AutoCalcul();
        ASSERT_TRUE(rig.st.solutionAccepted) << "demonstration: " << lines(rig.view.status);
        EXPECT_LE(rig.markerRms(), 1.0);
    }

    // Photographic plates, 3000 x 3000 px with flat-topped stars.
    for (const std::uint64_t seed : {7u, 12u}) {
        demo::DemoFieldPreset plate = demo::platePreset(seed);
        plate.field.geometry.centreDecDeg = 8;
        plate.queryRadiusArcmin = 40;
        demo::addRealFlaws(plate.field);
        AutoRig rig(plate, plate);
        rig.controller.AutoCalcul();
        ASSERT_TRUE(rig.st.solutionAccepted) << "plate " << seed << ": " << lines(rig.view.status);
        EXPECT_LE(rig.markerRms(), 1.0) << "plate " << seed;
    }
}

TEST(AutoCalcul, OffersNothingForAnotherFieldAWrongScaleOrAnEmptySky)
{
    // Eight fields, three ways each; sixty-seven (201 cases) with CE_AUTO_FULL=1.
    for (std::uint64_t seed = 1; seed <= fullCounts(8, 67); ++seed) {
        const demo::DemoFieldPreset wide = flawedWide(seed);

        demo::DemoFieldPreset elsewhere = flawedWide(seed + 100);
        elsewhere.field.geometry.centreRaDeg += 20;
        elsewhere.field.geometry.centreDecDeg += 7;
        AutoRig otherField(wide, elsewhere);
        otherField.controller.AutoCalcul();

        AutoRig wrongScale(wide, wide, 1.1);
        wrongScale.controller.AutoCalcul();

        demo::DemoFieldPreset emptyPreset = wide;
        emptyPreset.field.drawStars = false;
        AutoRig empty(emptyPreset, emptyPreset);
        empty.controller.AutoCalcul();

        for (const AutoRig* rig : {&otherField, &wrongScale, &empty}) {
            EXPECT_EQ(rig->candidateQuestions(), 0) << "seed " << seed << ": " << lines(rig->view.status);
            EXPECT_FALSE(rig->st.solutionAccepted);
            EXPECT_TRUE(rig->saidNothingVerified()) << lines(rig->view.status);
        }
        EXPECT_GT(otherField.view.progress.size(), 10) << "sets must have been tried";
    }
}

TEST(AutoCalcul, CancelStopsTheSearch)
{
    demo::DemoFieldPreset wide = flawedWide(3);
    demo::DemoFieldPreset elsewhere = flawedWide(103);
    elsewhere.field.geometry.centreRaDeg += 20;
    AutoRig rig(wide, elsewhere);
    rig.view.cancelSearchAfter = 3;
    rig.controller.AutoCalcul();
    EXPECT_EQ(rig.view.progress.size(), 4);
    EXPECT_TRUE(rig.saidNothingVerified());
    EXPECT_EQ(rig.view.searchesFinished, 1);
}

}  // namespace
}  // namespace ce::testing
