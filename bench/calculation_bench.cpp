// Time from "3-Calcul" to the first candidate question, with the scripted
// window answering Yes (which ends the offering): the catalogue read, the
// distance tables, the search and the drawing of the first candidate.
//
//  - the demonstration field of data/demo: the extract's stars down to
//    13th magnitude (the demonstration's query), brightest first, with five
//    marks on true star positions from truth.txt;
//  - a dense 497-star field (the matching's limit), uniform over 2000 by
//    2000 pixels, five of its stars marked; above 380 stars the run asks
//    first, and the script answers Yes there too.

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using ce::testing::TestStar;

const QString kDemoFolder =
    QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/../data/demo");

QList<QStringList> demoRows(const QString& name)
{
    QList<QStringList> rows;
    QFile f(kDemoFolder + u'/' + name);
    if (!f.open(QIODevice::ReadOnly)) return rows;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (!text.isEmpty() && !text.startsWith(u'#'))
            rows.push_back(text.split(u' ', Qt::SkipEmptyParts));
    }
    return rows;
}

struct Field {
    std::vector<TestStar> catalogue;
    std::vector<std::pair<double, double>> marks;  // five image positions
    QString corrAsd;
    QString corrDec;
};

Field demoField()
{
    Field field;
    QHash<QString, std::pair<double, double>> onImage;
    for (const QStringList& r : demoRows(QStringLiteral("truth.txt")))
        if (r.size() >= 3) onImage.insert(r[0], {r[1].toDouble(), r[2].toDouble()});
    std::vector<std::pair<double, TestStar>> bright;
    for (const QStringList& r : demoRows(QStringLiteral("extract.txt"))) {
        if (r.size() < 5 || r[3].toDouble() > 13.0) continue;
        bright.push_back({r[3].toDouble(),
                          TestStar{r[1].toDouble(), r[2].toDouble(), r[3].toDouble(), r[4].toDouble()}});
        if (field.marks.size() < 5 && onImage.contains(r[0])) field.marks.push_back(onImage.value(r[0]));
    }
    std::stable_sort(bright.begin(), bright.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& b : bright) field.catalogue.push_back(b.second);
    // The demonstration project's scale factors (lines 2 and 3).
    QFile pam(kDemoFolder + QStringLiteral("/demo.pam"));
    if (pam.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = pam.readAll().split('\n');
        if (lines.size() > 2) {
            field.corrAsd = QString::fromLatin1(lines[1]).trimmed();
            field.corrDec = QString::fromLatin1(lines[2]).trimmed();
        }
    }
    return field;
}

Field denseField()
{
    Field field;
    std::mt19937 random(497);
    std::uniform_int_distribution<int> coordinate(0, 1999);
    for (int i = 0; i < 497; ++i) {
        const int x = coordinate(random), y = coordinate(random);
        // Plane U = 10000 + x, V = 20000 + y with both factors at 1000.
        field.catalogue.push_back({(10000 + x) / 1000.0, (20000 + y) / 1000.0, 12.0, 13.0});
        if (i % 97 == 0 && field.marks.size() < 5) field.marks.push_back({double(x), double(y)});
    }
    field.corrAsd = field.corrDec = QStringLiteral("1000");
    return field;
}

void runToFirstQuestion(benchmark::State& state, const Field& field)
{
    if (field.catalogue.empty() || field.marks.size() < 5) {
        state.SkipWithError("field unavailable");
        return;
    }
    ce::testing::Folders folders;
    folders.writeCatalogue(ce::testing::answerPage(field.catalogue));
    ce::testing::FakeView view;
    view.width = 2000;
    view.height = 2000;
    view.setText(QStringLiteral("txt_corrasd"), field.corrAsd);
    view.setText(QStringLiteral("txt_corrdec"), field.corrDec);
    for (int i = 0; i < 3; ++i) {
        view.setText(QStringLiteral("txt_ra_%1").arg(i), QStringLiteral("0"));
        view.setText(QStringLiteral("txt_dec_%1").arg(i), QStringLiteral("0"));
    }
    view.setText(QStringLiteral("txt_ra_0"), QStringLiteral("1"));
    view.setText(QStringLiteral("txt_dec_0"), QStringLiteral("22"));
    const ce::LanguageTable lang = ce::testing::numberedLanguage();
    ce::ReductionController controller(view, lang, folders.paths());
    controller.createMarkers();
    ce::ReductionState& st = controller.state();
    for (std::size_t k = 1; k <= 5; ++k) {
        const auto [x, y] = field.marks[k - 1];
        st.markX[k] = std::round(x);
        st.markY[k] = std::round(y);
        st.markers.click[k] = ce::Marker{float(st.markX[k] - 8), float(st.markY[k] - 8), 16, true};
    }
    st.starsSelected = true;
    view.defaultAnswer = true;

    for (auto _ : state) {
        view.status.clear();
        view.questions.clear();
        view.messages.clear();
        controller.startCalcul();
        benchmark::DoNotOptimize(st.plateA);
    }
    state.counters["stars"] = st.starCount;
    state.counters["candidates"] = st.solutionCount;
}

void BM_DemonstrationField(benchmark::State& state) { runToFirstQuestion(state, demoField()); }
void BM_Dense497StarField(benchmark::State& state) { runToFirstQuestion(state, denseField()); }

BENCHMARK(BM_DemonstrationField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dense497StarField)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
