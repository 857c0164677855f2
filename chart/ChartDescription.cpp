// SPDX-License-Identifier: MIT
#include "ChartDescription.h"

#include "Cycles.h"

namespace vitalune {

namespace {
std::string valueText(std::size_t cycle, int percent) {
    return std::string(Cycles[cycle].name) + " " + std::to_string(percent) + "%";
}
} // namespace

std::array<int, 3> dayValues(Date birth, Date target) {
    const float base = baseDays(birth, target);
    std::array<int, 3> values{};
    for (std::size_t c = 0; c < Cycles.size(); ++c)
        values[c] = dayPercent(target.day, Cycles[c].period, phase(base, Cycles[c].period));
    return values;
}

std::string monthAndYear(Date target) {
    return trimmed(paddedMonthName(target.month)) + " de " + std::to_string(target.year);
}

std::string chartDescription(Date birth, Date target) {
    const auto values = dayValues(birth, target);
    std::string text = "Dia " + std::to_string(target.day) + ":";
    for (std::size_t c = 0; c < values.size(); ++c)
        text += (c == 0 ? " " : ", ") + valueText(c, values[c]);
    return text;
}

std::string dialDescription(std::size_t cycle, Date birth, Date target) {
    const auto values = dayValues(birth, target);
    return valueText(cycle, values.at(cycle)) + ", dia " + std::to_string(target.day) + " de " +
           monthAndYear(target);
}

} // namespace vitalune
