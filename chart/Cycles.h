// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DrawingSurface.h"

#include <array>

namespace vitalune {

struct Cycle {
    const char* name; // the printed legend
    int period;       // days
    Colour screenColour;
};

// Physical, emotional, intellectual: always processed in this order.
inline constexpr std::array<Cycle, 3> Cycles = {{
    {"Físico", 23, rgb(255, 0, 255)},
    {"Emocional", 28, rgb(0, 255, 255)},
    {"Intelectual", 33, rgb(0, 255, 0)},
}};

// The full turn as the charts have always used it: exactly 6.2832, not 2π.
inline constexpr double kFullTurn = 6.2832;
// Screen chart: one day is 14 pixels wide; a curve swings 85 pixels about the zero line.
inline constexpr int kDayWidth = 14;
inline constexpr int kAmplitude = 85;

// Age in days at the chart's x = 0, a 32-bit float as the curves were always computed.
float baseDays(Date birth, Date target);

// Fractional part of the age in cycles, in [0, 1) also for negative ages.
float phase(float ageInDays, int period);

// Curve ordinate at screen chart abscissa x: 100 on the zero line, 15 at a peak.
float ordinate(int x, int period, float phase);

// A cycle's value on a day, where its curve crosses the column's middle, -100..100.
int dayPercent(int day, int period, float phase);

struct DialPoint {
    int x;
    int y;
    bool operator==(const DialPoint&) const = default;
};

// End point of a dial hand (the hand runs from there to the centre (27, 27)).
DialPoint dialPoint(int x, int period, float phase);

} // namespace vitalune
