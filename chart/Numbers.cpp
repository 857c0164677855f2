// SPDX-License-Identifier: MIT
#include "Numbers.h"

#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace vitalune {

namespace {
std::int16_t to16(long long v) {
    if (v < std::numeric_limits<std::int16_t>::min() ||
        v > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError("Overflow");
    return static_cast<std::int16_t>(v);
}
} // namespace

std::int16_t CInt(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e6)
        throw RuntimeError("Overflow");
    // nearbyint honours the default rounding mode, which is to nearest, ties to even.
    return to16(static_cast<long long>(std::nearbyint(value)));
}

std::int16_t add16(int a, int b) {
    return to16(static_cast<long long>(a) + b);
}

std::int16_t mul16(int a, int b) {
    return to16(static_cast<long long>(a) * b);
}

float checkedFloat(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        throw RuntimeError("Overflow");
    return static_cast<float>(value);
}

} // namespace vitalune
