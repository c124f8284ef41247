// Generating the test fields: the 3000 x 3000 plate-like field (plain and
// with its flaws), the wide colour field, and the click sets drawn on the
// plate. Tests generate these fields, so their time is the tests' time.

#include "tools/demo_field/click_sets.h"
#include "tools/demo_field/field_presets.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PlateField(benchmark::State& state)
{
    ce::demo::DemoFieldParameters p = ce::demo::platePreset(5).field;
    if (state.range(0) != 0)
        ce::demo::addRealFlaws(p);
    for (auto _ : state)
        benchmark::DoNotOptimize(ce::demo::generateDemoField(p));
}
BENCHMARK(BM_PlateField)->Arg(0)->Arg(1)->ArgName("flaws")->Unit(benchmark::kMillisecond);

void BM_WideColourField(benchmark::State& state)
{
    const ce::demo::DemoFieldParameters p = ce::demo::wideColourPreset(3).field;
    for (auto _ : state)
        benchmark::DoNotOptimize(ce::demo::generateDemoField(p));
}
BENCHMARK(BM_WideColourField)->Unit(benchmark::kMillisecond);

void BM_PlateClickSets(benchmark::State& state)
{
    const ce::demo::DemoField field = ce::demo::generateDemoField(ce::demo::platePreset(5).field);
    for (auto _ : state)
        benchmark::DoNotOptimize(ce::demo::offCentreClickSets(field, 60, 9));
}
BENCHMARK(BM_PlateClickSets)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
