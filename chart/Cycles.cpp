// SPDX-License-Identifier: MIT
#include "Cycles.h"

#include "Numbers.h"

#include <cmath>

namespace vitalune {

float baseDays(Date birth, Date target) {
    const int days = dayNumber(target.year, target.month, target.day) -
                     dayNumber(birth.year, birth.month, birth.day);
    float base = static_cast<float>(days);
    base = base - static_cast<float>(target.day);
    base = base - 1.0f;
    return base;
}

float phase(float ageInDays, int period) {
    const float v = ageInDays / static_cast<float>(period);
    return v - std::floor(v);
}

namespace {
double angle(int x, int period, float phase) {
    const float span = static_cast<float>(kDayWidth * period);
    const float bracket = static_cast<float>(x) / span + phase;
    return kFullTurn * static_cast<double>(bracket);
}
} // namespace

float ordinate(int x, int period, float phase) {
    return static_cast<float>(100.0 - kAmplitude * std::sin(angle(x, period, phase)));
}

int dayPercent(int day, int period, float phase) {
    const int x = kDayWidth * day + kDayWidth; // the column's middle, where the cursor stands
    const long percent = std::lround(100.0 * std::sin(angle(x, period, phase)));
    return percent == 0 ? 0 : static_cast<int>(percent); // no "-0%"
}

DialPoint dialPoint(int x, int period, float phase) {
    const double a = angle(x, period, phase);
    const float y = ordinate(x, period, phase);
    const double px = (100.0 - kAmplitude * std::cos(a)) * 21.0 / kAmplitude + 2.0;
    const double py = static_cast<double>(y) * 21.0 / kAmplitude + 2.0;
    return {roundHalfToEven(px), roundHalfToEven(py)};
}

} // namespace vitalune
