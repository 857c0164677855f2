// SPDX-License-Identifier: MIT
#pragma once

#include "MainWindow.h"
#include "RunQueue.h"

#include <memory>

namespace vitalune::testing {

// The main window as main() makes it: on the first Run, owned by the caller's `slot`.
inline RunQueue::WindowFactory lazyWindow(std::unique_ptr<MainWindow>& slot) {
    return [&slot]() -> MainWindow& {
        if (!slot)
            slot = std::make_unique<MainWindow>();
        return *slot;
    };
}

} // namespace vitalune::testing
