// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace vitalune {

// A run-time error of the chart arithmetic or drawing (overflow, index out of range,
// a failed drawing operation). It ends the handling in progress.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vitalune
