// SPDX-License-Identifier: MIT
// The arithmetic of one whole month of the screen chart: day offset, phases, every
// curve sample and every dial point.
#include "Cycles.h"

#include <benchmark/benchmark.h>

using namespace vitalune;

static void MonthArithmetic(benchmark::State& state) {
    const Date birth{17, 2, 1959};
    const Date target{15, 3, 2004};
    for (auto _ : state) {
        const float base = baseDays(birth, target);
        float phases[3];
        for (int c = 0; c < 3; ++c)
            phases[c] = phase(base, Cycles[c].period);
        float sum = 0;
        for (int x = 0; x <= 490; x += 7)
            for (int c = 0; c < 3; ++c)
                sum += ordinate(x, Cycles[c].period, phases[c]);
        int hands = 0;
        for (int day = 1; day <= 31; ++day)
            for (int c = 0; c < 3; ++c) {
                const auto p = dialPoint(14 * day + 14, Cycles[c].period, phases[c]);
                hands += p.x + p.y;
            }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(hands);
    }
}
BENCHMARK(MonthArithmetic);
