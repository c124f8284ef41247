// The refined solution after "Oui" on a 3000 x 3000 plate at 1.08″/px with
// 500 catalogue stars (grain, saturated marks, misplaced and missing
// stars), grown from a 3-star solution some tens of pixels off at the
// corners. Measured through the direct intensity source and through the
// packed-colour adapter the window's picture is read with. Goal: < 50 ms.

#include "solve/refined_solution.h"
#include "tests/solve/synthetic_plate.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ce;

struct Fixture {
    testing::Plate plate{"plate", 3000, 3000, 1.08, 30.0, false, 23.7, 22.2, 500, 2.0, 8, 25, 25, 60.0, 1};
    testing::SyntheticSky image{3000, 3000, 30.0};
    testing::Scene scene = testing::makeScene(plate, image);
    RefinementInput input() const
    {
        return {scene.catalogue, scene.threeStar, scene.corrAsd, scene.corrDec, scene.marks, 7.0,
                SkyPoint{plate.raDeg, plate.decDeg}};
    }
};

const Fixture& fixture()
{
    static const Fixture f;
    return f;
}

void report(benchmark::State& state, const RefinementResult& r)
{
    state.counters["used"] = r.starsUsed;
    state.counters["rejected"] = r.starsRejected;
    state.counters["rms_px"] = r.rmsPx;
    state.counters["rounds"] = r.rounds;
}

void BM_RefineIntensity(benchmark::State& state)
{
    const Fixture& f = fixture();
    RefinementResult r;
    for (auto _ : state) {
        r = refineSolution(f.image, f.input());
        benchmark::DoNotOptimize(r);
    }
    report(state, r);
}
BENCHMARK(BM_RefineIntensity)->Unit(benchmark::kMillisecond);

void BM_RefinePackedColour(benchmark::State& state)
{
    const Fixture& f = fixture();
    const PackedColourIntensity picture(f.image, 3000, 3000);
    RefinementResult r;
    for (auto _ : state) {
        r = refineSolution(picture, f.input());
        benchmark::DoNotOptimize(r);
    }
    report(state, r);
}
BENCHMARK(BM_RefinePackedColour)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
