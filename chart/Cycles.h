// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DrawingSurface.h"

#include <array>
#include <cstdint>

namespace vitalune {

struct Cycle {
    const char* name;    // the printed legend
    std::int16_t period; // days
    Colour screenColour;
};

// Physical, emotional, intellectual: always processed in this order.
inline constexpr std::array<Cycle, 3> Cycles = {{
    {"Físico", 23, RGB(255, 0, 255)},
    {"Emocional", 28, RGB(0, 255, 255)},
    {"Intelectual", 33, RGB(0, 255, 0)},
}};

// The full turn as the charts have always used it: exactly 6.2832, not 2π.
inline constexpr double kTour = 6.2832;
inline constexpr std::int16_t kLargeurJour = 14;
inline constexpr std::int16_t kAmplitude = 85;

// Age in days of the day at the screen chart's x = 0 (two days before the 1st of
// the reference month).
float joursBase(Date birth, Date target);

// Fractional part of the age in cycles, in [0, 1) also for negative ages.
float phase(float ageInDays, std::int16_t period);

// Angle of a cycle at screen chart abscissa x (pixels).
double angle(std::int16_t x, std::int16_t period, float phase);

// Curve ordinate at screen chart abscissa x: 100 on the zero line, 15 at a peak.
float ordonnee(std::int16_t x, std::int16_t period, float phase);

// A cycle's value on a day (1..31) of the charted month, read where the chart's curve
// crosses the middle of the day's column: 100 at a peak, -100 at a trough, rounded.
int pourcentageDuJour(std::int16_t day, std::int16_t period, float phase);

struct DialPoint {
    std::int16_t x;
    std::int16_t y;
    bool operator==(const DialPoint&) const = default;
};

// End point of a dial hand (the hand runs from there to the centre (27, 27)).
DialPoint pointCadran(std::int16_t x, std::int16_t period, float phase);

} // namespace vitalune
