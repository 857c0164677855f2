// SPDX-License-Identifier: MIT
#include "Waiting.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace vitalune::testing {

namespace {

// One turn of the event loop that blocks for at most `ms` waiting for events.
void runLoopFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        runLoopFor(10);
    }
    return true;
}

void processEventsFor(int ms) {
    runLoopFor(ms);
}

} // namespace vitalune::testing
