// The catalogue reader on a full answer: 4000 records (the most it stores)
// in the service's page, plus the page with 5000 records, where reading
// stops at the 4000th.

#include "catalogue/catalogue_reader.h"
#include "core/reduction_state.h"

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QByteArray answerPage(int records)
{
    QByteArray page("<html><head><title>USNO-A2.0</title></head><body>\n<pre>\n"
                    "<b>  nr ID             ra        dec       r_mag b_mag     d'      pa\n</b>");
    for (int i = 1; i <= records; ++i) {
        const double raDeg = 17.5 + (i % 997) * 1e-4;
        const double decDeg = 60.0 + (i % 991) * 1e-4;
        page += QString::asprintf("%4d U1500_%08d %9.5f %+9.5f %4.1f %4.1f %8.3f %8.3f\n", i, 1193693 + i, raDeg,
                                  decDeg, 10.0 + (i % 90) * 0.1, 11.0 + (i % 80) * 0.1, 4.123, 123.456)
                    .toLatin1();
    }
    page += "\n</pre>\n</body></html>\n";
    return page;
}

void readAnswer(benchmark::State& st)
{
    const QByteArray page = answerPage(static_cast<int>(st.range(0)));
    auto reduction = std::make_unique<ce::ReductionState>();
    for (auto _ : st) {
        const ce::CatalogueCounts counts = ce::readCatalogueAnswer(page, 2599.43, 2709.96, *reduction);
        benchmark::DoNotOptimize(counts);
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * page.size());
}

}  // namespace

BENCHMARK(readAnswer)->Arg(4000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
