// "5-Auto" on a generated photographic plate (3000 x 3000 px = 9 MP at
// 1.08"/px, saturated flat tops, halos, hot pixels, a scratch, grain, 5 %
// of stars missing on either side). Measured: the star detection alone on
// the window's packed-colour picture (goal < 150 ms), and the whole run from
// the button to the question about its candidate, the catalogue read
// included (goal < 500 ms), with the number of sets tried.

#include "app/flow/reduction_controller.h"
#include "solve/star_detection.h"
#include "tests/flow/demo_field_rig.h"
#include "tools/demo_field/field_presets.h"

#include <QStringList>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace ce;

demo::DemoFieldPreset plate()
{
    demo::DemoFieldPreset p = demo::platePreset(7);
    p.field.geometry.centreDecDeg = 8;
    p.queryRadiusArcmin = 40;
    demo::addRealFlaws(p.field);
    return p;
}

const demo::DemoField& plateField()
{
    static const demo::DemoField field = demo::generateDemoField(plate().field);
    return field;
}

void BM_DetectStars9MP(benchmark::State& state)
{
    const testing::PictureIntensity picture(plateField().image);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<DetectedStar> stars = detectStars(picture);
        found = stars.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["stars"] = double(found);
}
BENCHMARK(BM_DetectStars9MP)->Unit(benchmark::kMillisecond);

struct AutoRig : testing::FlowRig {
    AutoRig()
    {
        const demo::DemoFieldPreset preset = plate();
        const demo::DemoField& field = plateField();
        const demo::FieldGeometry& g = preset.field.geometry;
        testing::writeFieldCatalogue(folders, field, g, preset.queryRadiusArcmin, preset.queryMagFaint);
        testing::showFieldImage(view, field.image);
        testing::typeField(view, g, QStringLiteral("plaque.png"));
        // "Non" to the candidate: the run is measured up to its question.
        view.defaultAnswer = false;
    }
};

void BM_AutoRunToTheQuestion(benchmark::State& state)
{
    AutoRig rig;
    for (auto _ : state) rig.controller.AutoCalcul();
    // The journal line of the run, message 42 with its values: detections,
    // sets tried, stars verified, milliseconds.
    const QString journal = testing::message(msg::kAutoJournal) + u' ';
    for (const QString& line : rig.view.status) {
        if (!line.startsWith(journal)) continue;
        const QStringList values = line.mid(journal.size()).split(u' ');
        if (values.size() < 3) break;
        state.counters["detections"] = values[0].toDouble();
        state.counters["sets_tried"] = values[1].toDouble();
        state.counters["verified"] = values[2].toDouble();
        break;
    }
    state.counters["questions"] = double(rig.view.questions.size());
}
BENCHMARK(BM_AutoRunToTheQuestion)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
