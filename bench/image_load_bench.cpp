// Loading image files into the view's decode cache, and painting one frame
// of the view: load time and peak memory for a 9-megapixel JPEG, a
// 9-megapixel 16-bit FITS and a 64-megapixel 16-bit FITS; one frame at
// "fit" with 4000 catalogue markers shown (goal: under 16 ms).
//
// Peak memory: the process's resident high-water mark (VmHWM), reset
// before each load through /proc/self/clear_refs, reported in MiB as the
// counter peak_MiB (Linux only; 0 where the kernel refuses the reset).

#include "app/builtin_texts.h"
#include "app/language_table.h"
#include "app/ui/image_view.h"
#include "image/fits_writer.h"
#include "image/gui/image_store.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A star field of `width` x `height`: sky with noise and a few hundred
// saturated stars, grey levels 0..`fullScale`.
std::vector<double> starField(int width, int height, double fullScale)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, fullScale * 0.004);
    std::vector<double> values(std::size_t(width) * std::size_t(height));
    for (double& v : values) v = std::clamp(fullScale * 0.05 + noise(random), 0.0, fullScale);
    std::uniform_int_distribution<int> column(5, width - 6), row(5, height - 6);
    for (int star = 0; star < 400; ++star) {
        const int cx = column(random), cy = row(random);
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                values[std::size_t(cy + dy) * std::size_t(width) + std::size_t(cx + dx)] =
                    std::min(fullScale, fullScale * 1.5 * std::exp(-(dx * dx + dy * dy) / 4.0));
    }
    return values;
}

struct Files {
    QTemporaryDir dir;
    QString jpeg9 = dir.filePath(QStringLiteral("nine.jpg"));
    QString fits9 = dir.filePath(QStringLiteral("nine.fits"));
    QString fits64 = dir.filePath(QStringLiteral("sixtyfour.fits"));

    Files()
    {
        const std::vector<double> nine = starField(3000, 3000, 255.0);
        QImage grey(3000, 3000, QImage::Format_Grayscale8);
        for (int y = 0; y < 3000; ++y)
            for (int x = 0; x < 3000; ++x) grey.scanLine(y)[x] = uchar(nine[std::size_t(y) * 3000 + std::size_t(x)]);
        grey.save(jpeg9, "jpg", 90);
        writeFits(fits9, 3000, 3000);
        writeFits(fits64, 8000, 8000);
    }

    static void writeFits(const QString& path, int width, int height)
    {
        ce::FitsImageContent content;
        content.width = width;
        content.height = height;
        content.stored = starField(width, height, 65535.0);
        for (double& v : content.stored) v -= 32768.0;
        content.cards = {{"BZERO", "32768", {}}};
        ce::writeFitsImage(path, content);
    }
};

Files& files()
{
    static Files made;
    return made;
}

bool resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0.0;
}

void loadFile(benchmark::State& state, const QString& path)
{
    double peak = 0.0;
    for (auto _ : state) {
        ce::ImageStore store;  // a fresh cache: every round decodes
        const bool reset = resetPeak();
        const bool loaded = store.load(path, ce::builtinLanguage()).ok();
        peak = reset ? peakMiB() : 0.0;
        benchmark::DoNotOptimize(loaded);
        if (!loaded) state.SkipWithError("load failed");
    }
    state.counters["peak_MiB"] = peak;
}

void BM_LoadJpeg9Megapixels(benchmark::State& state) { loadFile(state, files().jpeg9); }
void BM_LoadFits16Bit9Megapixels(benchmark::State& state) { loadFile(state, files().fits9); }
void BM_LoadFits16Bit64Megapixels(benchmark::State& state) { loadFile(state, files().fits64); }

void BM_PaintFitWith4000Markers(benchmark::State& state)
{
    ce::MarkerTables markers;
    markers.create();
    ce::ImageView view(markers);
    view.resize(1200, 900);
    if (!view.load(files().jpeg9, ce::builtinLanguage()).ok()) {
        state.SkipWithError("load failed");
        return;
    }
    view.showWhole();
    for (std::size_t i = 1; i < markers.star.size(); ++i)
        markers.star[i] = ce::Marker{float((i * 7919) % 3000), float((i * 104729) % 3000), ce::kStarMarkerSize, true};
    markers.centre = {1500.0, 1500.0, true};
    QImage frame(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

BENCHMARK(BM_LoadJpeg9Megapixels)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadFits16Bit9Megapixels)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadFits16Bit64Megapixels)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PaintFitWith4000Markers)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
