// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QString>

#include <memory>

namespace vitalune {

// The print system asked directly around one job: Qt drops the scheduler's answer.
class PrintQueue {
public:
    virtual ~PrintQueue() = default;

    struct Verdict {
        bool send = true; // false: the queue would refuse the page, do not send it
        QString warning;  // for the user, naming the printer and the reason; empty when all is well
    };

    virtual Verdict beforeJob() = 0;
    // The surface the page is drawn on for this queue; null when the queue has none.
    virtual std::unique_ptr<DrawingSurface> openJob() { return nullptr; }
    // Once the page is drawn: empty when queued or printed, else why refused or ended.
    virtual QString afterJob() = 0;
};

} // namespace vitalune
