// The matching on a dense field: 497 catalogue stars, tolerance 7 pixels,
// five marked stars taken from the field, turned and blurred by a pixel.
// Measures the distance tables and both searches (the plain nested loops
// and the partner-list search used by the calculation run).

#include "solve/matching.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

struct DenseField {
    std::vector<double> starU = std::vector<double>(ce::kMatchingStarLimit + 1, 0.0);
    std::vector<double> starV = std::vector<double>(ce::kMatchingStarLimit + 1, 0.0);
    std::vector<double> markX = std::vector<double>(ce::kMarkSlots + 1, 0.0);
    std::vector<double> markY = std::vector<double>(ce::kMarkSlots + 1, 0.0);
};

// 497 stars over a 500 by 500 pixel field, dense enough that a 7-pixel
// tolerance lets a hundred or more sets of five stars through; the marked
// stars are five of them, turned by 30°, moved and blurred.
DenseField makeDenseField(unsigned seed)
{
    DenseField f;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> coord(0.0, 500.0);
    for (int i = 1; i <= ce::kMatchingStarLimit; ++i) {
        f.starU[i] = std::round(coord(rng));
        f.starV[i] = std::round(coord(rng));
    }
    const int chosen[5] = {17, 88, 203, 341, 460};
    const double c = std::cos(0.5236), s = std::sin(0.5236);
    std::uniform_real_distribution<double> blur(-1.0, 1.0);
    for (int k = 0; k < 5; ++k) {
        const double u = f.starU[chosen[k]], v = f.starV[chosen[k]];
        f.markX[k + 1] = c * u - s * v + 700 + blur(rng);
        f.markY[k + 1] = s * u + c * v + 100 + blur(rng);
    }
    return f;
}

constexpr double kTolerance = 7.0;

void BM_DistanceTables(benchmark::State& state)
{
    const DenseField f = makeDenseField(1);
    for (auto _ : state) {
        ce::MarkDistanceTable m = ce::markDistances(f.markX, f.markY);
        ce::StarDistanceTable c(f.starU, f.starV, ce::kMatchingStarLimit);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(c(1, 2));
    }
}
BENCHMARK(BM_DistanceTables)->Unit(benchmark::kMillisecond);

template <ce::CandidateSearch (*Search)(const ce::MarkDistanceTable&, const ce::StarDistanceTable&, double)>
void searchBench(benchmark::State& state)
{
    const DenseField f = makeDenseField(static_cast<unsigned>(state.range(0)));
    const ce::MarkDistanceTable m = ce::markDistances(f.markX, f.markY);
    const ce::StarDistanceTable c(f.starU, f.starV, ce::kMatchingStarLimit);
    std::size_t found = 0;
    for (auto _ : state) {
        const ce::CandidateSearch result = Search(m, c, kTolerance);
        found = result.candidates.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["candidates"] = static_cast<double>(found);
}

void BM_SearchFast(benchmark::State& state)
{
    searchBench<ce::findCandidates>(state);
}
void BM_SearchReference(benchmark::State& state)
{
    searchBench<ce::findCandidatesReference>(state);
}
BENCHMARK(BM_SearchFast)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchReference)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// Tables and search together, as one calculation run does them.
void BM_TablesAndSearch(benchmark::State& state)
{
    const DenseField f = makeDenseField(1);
    for (auto _ : state) {
        const ce::MarkDistanceTable m = ce::markDistances(f.markX, f.markY);
        const ce::StarDistanceTable c(f.starU, f.starV, ce::kMatchingStarLimit);
        const ce::CandidateSearch result = ce::findCandidates(m, c, kTolerance);
        benchmark::DoNotOptimize(result.candidates.size());
    }
}
BENCHMARK(BM_TablesAndSearch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
