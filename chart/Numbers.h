// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

namespace vitalune {

// Rounds ties to even, as the charts always took a float to a pixel (2.5 -> 2, 3.5 -> 4).
inline int roundHalfToEven(double value) {
    // nearbyint honours the default rounding mode, which is to nearest, ties to even.
    return static_cast<int>(std::nearbyint(value));
}

} // namespace vitalune
