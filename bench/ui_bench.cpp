// The main window's redraws on the real picture boxes.
#include "frmMain.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

using namespace vitalune;

namespace {
frmMain& window() {
    static frmMain w([] { return QDate(2004, 12, 15); });
    return w;
}
} // namespace

static void FullRedraw(benchmark::State& state) {
    auto& w = window();
    for (auto _ : state)
        w.CalculEtDessine();
}
BENCHMARK(FullRedraw);

// December to January: the month and year handlers run nested, each redrawing.
static void MonthStepRollsTheYearOver(benchmark::State& state) {
    auto& w = window();
    for (auto _ : state) {
        w.Défilmm2->setValue(13);
        state.PauseTiming();
        w.Défilmm2->setValue(0);
        state.ResumeTiming();
    }
}
BENCHMARK(MonthStepRollsTheYearOver);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
