// SPDX-License-Identifier: MIT
#include "Cycles.h"

#include "Numbers.h"

#include <cmath>

namespace vitalune {

float joursBase(Date birth, Date target) {
    const auto days = numeroJour(target.year, target.month, target.day) -
                      numeroJour(birth.year, birth.month, birth.day);
    float base = static_cast<float>(days);
    base = base - static_cast<float>(target.day);
    base = base - 1.0f;
    return base;
}

float phase(float ageInDays, std::int16_t period) {
    const float v = ageInDays / static_cast<float>(period);
    return v - std::floor(v);
}

double angle(std::int16_t x, std::int16_t period, float phase) {
    const float span = static_cast<float>(mul16(kLargeurJour, period));
    const float bracket = static_cast<float>(x) / span + phase;
    return kTour * static_cast<double>(bracket);
}

float ordonnee(std::int16_t x, std::int16_t period, float phase) {
    return checkedFloat(100.0 - kAmplitude * std::sin(angle(x, period, phase)));
}

int pourcentageDuJour(std::int16_t day, std::int16_t period, float phase) {
    // The middle of the day's column, where the cursor stands.
    const std::int16_t x = add16(mul16(kLargeurJour, day), kLargeurJour);
    const long percent = std::lround(100.0 * std::sin(angle(x, period, phase)));
    return percent == 0 ? 0 : static_cast<int>(percent); // no "-0%"
}

DialPoint pointCadran(std::int16_t x, std::int16_t period, float phase) {
    const double a = angle(x, period, phase);
    const float y = ordonnee(x, period, phase);
    const double px = (100.0 - kAmplitude * std::cos(a)) * 21.0 / kAmplitude + 2.0;
    const double py = static_cast<double>(y) * 21.0 / kAmplitude + 2.0;
    return {CInt(px), CInt(py)};
}

} // namespace vitalune
