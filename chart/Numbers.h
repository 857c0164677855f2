// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

namespace vitalune {

// Rounds to the nearest integer, ties to the even one: how the charts have always taken
// a float ordinate or a dial point to a whole pixel (2.5 -> 2, 3.5 -> 4).
inline int roundHalfToEven(double value) {
    // nearbyint honours the default rounding mode, which is to nearest, ties to even.
    return static_cast<int>(std::nearbyint(value));
}

} // namespace vitalune
