// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace vitalune::testing {

// Runs the event loop until `condition` holds or `timeoutMs` has passed; returns whether
// it holds. Events are delivered while waiting, so D-Bus replies and window events
// arrive as they would in the program.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// Delivers the events that are due now and those posted by them.
void processEventsFor(int ms);

} // namespace vitalune::testing
