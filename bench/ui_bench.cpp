// SPDX-License-Identifier: MIT
// The main window's redraws on the real picture boxes.
#include "PictureBox.h"
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
        w.redrawChart();
}
BENCHMARK(FullRedraw);

// The same on a screen with two device pixels to the pixel.
static void FullRedrawAtRatio2(benchmark::State& state) {
    static frmMain w([] { return QDate(2004, 12, 15); });
    for (PictureBox* box : {w.Img0, w.Img1, w.Img2, w.Img3})
        box->setPixelRatio(2);
    for (auto _ : state)
        w.redrawChart();
}
BENCHMARK(FullRedrawAtRatio2);

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
