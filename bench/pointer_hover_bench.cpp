// The hover test runs over every catalogue marker at each pointer move: a
// full map of 4000 shown markers, the pointer over one of them or over none.

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"

#include <benchmark/benchmark.h>

namespace {

struct FullMap {
    FullMap()
    {
        controller.createMarkers();
        ce::ReductionState& s = controller.state();
        s.corrAsd = s.corrDec = 3600.0;
        s.mode = QStringLiteral("coor");
        s.mapStatus = QStringLiteral("done");
        s.starTotal = ce::kCatalogueSlots;
        for (int i = 1; i <= ce::kCatalogueSlots; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            s.starId[slot] = QStringLiteral("0900-%1").arg(i, 8, 10, QChar(u'0'));
            s.starU[slot] = 36000.0 + i;
            s.starV[slot] = 3600.0 + i;
            s.starMagR[slot] = QStringLiteral("12.1");
            s.starMagB[slot] = QStringLiteral("13.4");
            // A 80 x 50 grid, 12 pixels apart, so hover boxes never overlap.
            s.markers.star[slot] = ce::Marker{float((i - 1) % 80 * 12), float((i - 1) / 80 * 12),
                                              ce::kStarMarkerSize, true};
        }
    }
    ce::testing::FakeView view;
    ce::LanguageTable lang;
    ce::ReductionController controller{view, lang, ce::ProgramPaths{}};
};

void BM_PointerMoveOverOneMarker(benchmark::State& state)
{
    FullMap map;
    for (auto _ : state) {
        map.controller.pointerMove(481.0, 301.0);  // marker 2041's corner is (480, 300)
        benchmark::DoNotOptimize(map.view.info);
    }
}
BENCHMARK(BM_PointerMoveOverOneMarker);

void BM_PointerMoveOverNoMarker(benchmark::State& state)
{
    FullMap map;
    for (auto _ : state) {
        map.controller.pointerMove(486.0, 306.0);  // between four markers
        benchmark::DoNotOptimize(map.controller.state().clickX);
    }
}
BENCHMARK(BM_PointerMoveOverNoMarker);

}  // namespace

BENCHMARK_MAIN();
