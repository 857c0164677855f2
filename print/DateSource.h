// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace vitalune {

// The six date step controls of the main window, in the order the printout reads them.
enum class DateField { BirthDay, BirthMonth, BirthYear, TargetDay, TargetMonth, TargetYear };

// Where the printout takes the two dates from: the main window's scroll bars, read at
// the moment they are asked for, never cached.
class DateSource {
public:
    virtual ~DateSource() = default;
    // The control's current value; throws std::runtime_error when it cannot be read.
    virtual std::int16_t value(DateField field) const = 0;
};

} // namespace vitalune
