// SPDX-License-Identifier: MIT
#pragma once

#include "PrintQueue.h"

#include <memory>

namespace vitalune {

// Loaded on the first call, so a window that never prints never maps libcups.
std::shared_ptr<PrintQueue> systemPrintQueue();

using NewPrintQueue = PrintQueue* (*)();
inline constexpr char kNewPrintQueue[] = "vitalune_new_print_queue";

} // namespace vitalune
