// SPDX-License-Identifier: MIT
#include "ScrollBarDates.h"

#include "Numbers.h"
#include "RuntimeError.h"

namespace vitalune {

ScrollBarDates::ScrollBarDates(QScrollBar* birthDay, QScrollBar* birthMonth, QScrollBar* birthYear,
                               QScrollBar* targetDay, QScrollBar* targetMonth,
                               QScrollBar* targetYear)
    : bars_{birthDay, birthMonth, birthYear, targetDay, targetMonth, targetYear} {}

std::int16_t ScrollBarDates::value(DateField field) const {
    const auto index = static_cast<int>(field);
    if (index < 0 || index >= 6 || bars_[index].isNull())
        throw RuntimeError("Object required");
    // The controls' ranges fit 16 bits; anything else is an overflow, as on any 16-bit value.
    return add16(bars_[index]->value(), 0);
}

} // namespace vitalune
