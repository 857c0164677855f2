// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace vitalune {

// Rounds to the nearest integer, ties to the even one, into a 16-bit integer;
// throws RuntimeError("Overflow") outside -32768..32767 or for a non-finite value.
std::int16_t CInt(double value);

// 16-bit integer arithmetic with overflow checking.
std::int16_t add16(int a, int b);
std::int16_t mul16(int a, int b);

// Throws RuntimeError unless the value is finite (invalid operation, division by zero,
// overflow of a float step).
float checkedFloat(double value);

} // namespace vitalune
