// SPDX-License-Identifier: MIT
// Time to draw the whole printed page, both charts, into a PDF file through the printer
// surface, in colour and in black and white.
#include "Calendar.h"
#include "PrintedPage.h"
#include "PrinterSurface.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace vitalune;

void pageToPdf(benchmark::State& state, PrintMode mode) {
    QTemporaryDir dir;
    const QString file = dir.filePath("page.pdf");
    PrintedPage page;
    for (auto _ : state) {
        PrinterSurface pdf(file);
        if (!page.draw(pdf, {17, 2, 1959}, {10, 6, 2004}, mode)) {
            state.SkipWithError("the page could not be written");
            break;
        }
    }
}

void BM_PrintedPageColour(benchmark::State& state) {
    pageToPdf(state, PrintMode::Colour);
}
void BM_PrintedPageBlackAndWhite(benchmark::State& state) {
    pageToPdf(state, PrintMode::BlackAndWhite);
}

BENCHMARK(BM_PrintedPageColour)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PrintedPageBlackAndWhite)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
