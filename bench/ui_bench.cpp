// SPDX-License-Identifier: MIT
// The main window's redraws on the real picture boxes.
#include "DateStepper.h"
#include "MainWindow.h"
#include "PictureBox.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace vitalune;

namespace {
MainWindow& window() {
    static MainWindow w([] { return QDate(2004, 12, 15); });
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
    static MainWindow w([] { return QDate(2004, 12, 15); });
    for (PictureBox* box : {w.chartView, w.physicalDial, w.emotionalDial, w.intellectualDial})
        box->setPixelRatio(2);
    for (auto _ : state)
        w.redrawChart();
}
BENCHMARK(FullRedrawAtRatio2);

// December to January: the step control past December rolls the model's year over, and
// the window shows and redraws the new month.
static void MonthStepRollsTheYearOver(benchmark::State& state) {
    auto& w = window();
    for (auto _ : state) {
        w.referenceMonthStepper->setValue(13);
        state.PauseTiming();
        w.referenceMonthStepper->setValue(0);
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
