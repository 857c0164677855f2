// SPDX-License-Identifier: MIT
#pragma once

#include "PrintQueue.h"

#include <memory>

namespace vitalune {

// The system's print queue: the CUPS scheduler's default queue, its page drawn through
// Qt's print support. Both live in the print module, a library of its own that is loaded
// on the first call, so that a window that never prints never maps them (nor the TLS,
// Kerberos and Avahi libraries that libcups brings). Should the module be missing, the
// queue returned sends nothing and says why.
std::shared_ptr<PrintQueue> systemPrintQueue();

// The module's one entry: a new queue, owned by the caller.
using NewPrintQueue = PrintQueue* (*)();
inline constexpr char kNewPrintQueue[] = "vitalune_new_print_queue";

} // namespace vitalune
