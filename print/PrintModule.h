// SPDX-License-Identifier: MIT
#pragma once

#include "PrintQueue.h"

#include <memory>

namespace vitalune {

// The CUPS default queue, from a module loaded on the first call so a window that never
// prints never maps libcups and what it brings. Without the module it sends nothing.
std::shared_ptr<PrintQueue> systemPrintQueue();

// The module's one entry: a new queue, owned by the caller.
using NewPrintQueue = PrintQueue* (*)();
inline constexpr char kNewPrintQueue[] = "vitalune_new_print_queue";

} // namespace vitalune
