// "5-Auto" on generated fields with the flaws of real images (halos, hot
// pixels, a scratch, grain, saturated tops, 5 % of the bright image stars
// missing from the catalogue and 5 % of the catalogue missing from the
// image): the true solution is offered and refines onto the stars; with the
// catalogue of another field, a scale 10 % off or an empty sky, nothing is
// offered and the run says that nothing was verified.

#include "app/flow/reduction_controller.h"
#include "core/sexagesimal.h"
#include "tests/flow/flow_support.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_project.h"
#include "tools/demo_field/field_presets.h"

#include <QHash>

#include <gtest/gtest.h>

#include <cmath>

namespace ce::testing {
namespace {

struct AutoRig : FlowRig {
    // The image of `imaged`; the catalogue of `catalogued` about its own
    // centre; the typed centre and factors those of `imaged`, the factors
    // multiplied by `scale`.
    AutoRig(const demo::DemoFieldPreset& imaged, const demo::DemoFieldPreset& catalogued, double scale = 1.0)
        : field(demo::generateDemoField(imaged.field))
    {
        const demo::DemoField catalogueField =
            &imaged == &catalogued ? demo::DemoField{} : demo::generateDemoField(catalogued.field);
        const demo::DemoField& source = &imaged == &catalogued ? field : catalogueField;
        const demo::FieldGeometry& cg = catalogued.field.geometry;
        service::UsnoaQuery query;
        query.raDeg = cg.centreRaDeg, query.decDeg = cg.centreDecDeg;
        query.radiusArcmin = catalogued.queryRadiusArcmin;
        query.magBright = 0, query.magFaint = catalogued.queryMagFaint;
        query.maxCount = 5000;
        folders.writeCatalogue(demo::answerText(source, query));

        const demo::FieldGeometry& g = imaged.field.geometry;
        const QImage& image = field.image;
        view.width = image.width(), view.height = image.height();
        view.pixelSource = [&image](int x, int y) -> std::int32_t {
            const QRgb c = image.pixel(x, y);
            return qBlue(c) * 65536 + qGreen(c) * 256 + qRed(c);
        };
        const SexagesimalParts ra = SplitSexagesimal(g.centreRaDeg / 15.0);
        const SexagesimalParts dec = SplitSexagesimal(std::fabs(g.centreDecDeg));
        view.setTexts(QStringLiteral("txt_ra_"), {QString::number(ra.whole), QString::number(ra.minutes),
                                                  QString::number(ra.seconds, 'f', 3)});
        view.setTexts(QStringLiteral("txt_dec_"), {QString::number(dec.whole), QString::number(dec.minutes),
                                                   QString::number(dec.seconds, 'f', 2)});
        view.setText(QStringLiteral("txt_dec_sign_show_0"), g.centreDecDeg < 0 ? QStringLiteral("-") : QStringLiteral("+"));
        const demo::LinearScaleFactors corr = demo::linearScaleFactors(g.centreDecDeg, g.pixelsPerDegree);
        view.setText(QStringLiteral("txt_corrasd"), demo::scaleFactorText(corr.corrAsd * scale));
        view.setText(QStringLiteral("txt_corrdec"), demo::scaleFactorText(corr.corrDec * scale));
        view.setText(QStringLiteral("txt_url"), QStringLiteral("plaque.png"));
        view.setCheckState(QStringLiteral("CheckDecideur"), 1);
        for (const demo::DemoStar& s : field.stars) truth.insert(s.placed.id, &s);
        // "Oui" to the long calculation, and to a candidate only when its
        // drawn markers lie on the stars.
        view.decide = [this](const QString& question) { return question == message(15) || drawnOnTheStars(); };
    }

    std::vector<double> markerErrors() const
    {
        std::vector<double> errors;
        for (int i = 1; i <= st.starCount; ++i) {
            const auto slot = std::size_t(i);
            const demo::DemoStar* s = truth.value(st.starId[slot]);
            const Marker& m = st.markers.star[slot];
            if (!s || !s->inImage || !m.visible) continue;
            errors.push_back(std::hypot(m.left + m.size / 2.0 - s->placed.xPx, m.top + m.size / 2.0 - s->placed.yPx));
        }
        return errors;
    }
    bool drawnOnTheStars() const
    {
        std::vector<double> errors = markerErrors();
        if (errors.size() < 5) return false;
       
        std::nth_element(errors.begin(), errors.begin() + errors.size() / 2, errors.end());
        return errors[errors.size() / 2] < 5.0;
    }
    double markerRms() const
    {
        const std::vector<double> errors = markerErrors();
        double sum = 0;
        for (double e : errors) sum += e * e;
        return errors.empty() ? INFINITY : std::sqrt(sum / errors.size());
    }
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
    QHash<QString, const demo::DemoStar*> truth;
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
