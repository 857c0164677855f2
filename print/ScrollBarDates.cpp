// SPDX-License-Identifier: MIT
#include "ScrollBarDates.h"

#include <stdexcept>

namespace vitalune {

ScrollBarDates::ScrollBarDates(QScrollBar* birthDay, QScrollBar* birthMonth, QScrollBar* birthYear,
                               QScrollBar* targetDay, QScrollBar* targetMonth,
                               QScrollBar* targetYear)
    : bars_{birthDay, birthMonth, birthYear, targetDay, targetMonth, targetYear} {}

std::int16_t ScrollBarDates::value(DateField field) const {
    const auto index = static_cast<int>(field);
    if (index < 0 || index >= 6 || bars_[index].isNull())
        throw std::runtime_error("Object required");
    // The controls' ranges fit 16 bits.
    return static_cast<std::int16_t>(bars_[index]->value());
}

} // namespace vitalune
