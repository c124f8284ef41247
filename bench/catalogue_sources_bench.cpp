// Turning a full VizieR answer (4000 rows, the most a query asks for) into
// the reader's page: USNO-A2.0 as it comes, Gaia DR3 with every position
// carried from 2016.0 to the epoch; and the gzip decoding of such an answer.

#include "catalogue/answer_encoding.h"
#include "catalogue/sources/catalogue_source.h"
#include "tests/core/key_echo.h"

#include <QByteArray>
#include <QString>

#include <zlib.h>

#include <benchmark/benchmark.h>

namespace {

QByteArray asuAnswer(bool gaia, int rows)
{
    QByteArray a = "#\n#   VizieR Astronomical Server\n\n";
    a += gaia ? "Source\tRA_ICRS\tDE_ICRS\tpmRA\tpmDE\tGmag\tBPmag\tRPmag\n\tdeg\tdeg\tmas/yr\tmas/yr\tmag\tmag\tmag\n"
                "---\t---\t---\t---\t---\t---\t---\t---\n"
              : "USNO-A2.0\tRAJ2000\tDEJ2000\tRmag\tBmag\n\tdeg\tdeg\tmag\tmag\n---\t---\t---\t---\t---\n";
    for (int i = 1; i <= rows; ++i) {
        const double ra = 23.5 + (i % 997) * 4e-4, dec = 22.0 + (i % 991) * 4e-4;
        a += gaia ? QString::asprintf("%d\t%015.11f\t%+015.11f\t%9.3f\t%9.3f\t%7.4f\t%7.4f\t%7.4f\n", 278881234 + i, ra,
                                      dec, (i % 41) - 20.0, (i % 37) - 18.0, 8 + (i % 90) * 0.05, 8.5 + (i % 90) * 0.05,
                                      7.6 + (i % 90) * 0.05)
                        .toLatin1()
                  : QString::asprintf("1050-%08d\t%010.6f\t%+010.6f\t%4.1f\t%4.1f\n", 1234567 + i, ra, dec,
                                      8 + (i % 90) * 0.05, 9 + (i % 80) * 0.05)
                        .toLatin1();
    }
    return a;
}

ce::FieldRequest field()
{
    ce::FieldRequest r;
    r.query.raJ2000Deg = 23.7, r.query.decJ2000Deg = 22.2;
    r.epochText = QStringLiteral("1975.5");
    r.radiusText = QStringLiteral("20"), r.magnitudeText = QStringLiteral("13");
    return r;
}

void convert(benchmark::State& state, ce::CatalogueSourceKind kind)
{
    const QByteArray answer = asuAnswer(kind == ce::CatalogueSourceKind::VizierGaiaDr3, 4000);
    const auto source = ce::makeCatalogueSource(kind);
    const ce::FieldRequest request = field();
    for (auto _ : state) {
        const auto page = source->readerAnswer(answer, request, ce::test::KeyEcho());
        if (!page) state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(state.iterations() * answer.size());
}
BENCHMARK_CAPTURE(convert, UsnoA2_4000, ce::CatalogueSourceKind::VizierUsnoA2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(convert, GaiaDr3_4000, ce::CatalogueSourceKind::VizierGaiaDr3)->Unit(benchmark::kMillisecond);

void gunzip(benchmark::State& state)
{
    const QByteArray plain = asuAnswer(true, 4000);
    uLongf packedSize = compressBound(uLong(plain.size())) + 32;
    QByteArray packed(qsizetype(packedSize), '\0');
    z_stream s{};
    deflateInit2(&s, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.constData()));
    s.avail_in = uInt(plain.size());
    s.next_out = reinterpret_cast<Bytef*>(packed.data());
    s.avail_out = uInt(packed.size());
    deflate(&s, Z_FINISH);
    packed.resize(qsizetype(s.total_out));
    deflateEnd(&s);
    for (auto _ : state) {
        const auto body = ce::decodeAnswerBody("gzip", packed, 1 << 24, ce::test::KeyEcho());
        if (!body || body->size() != plain.size()) state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(body);
    }
    state.SetBytesProcessed(state.iterations() * plain.size());
}
BENCHMARK(gunzip)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
