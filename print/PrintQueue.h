// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace vitalune {

// What the print system itself says about the default queue around one job. Qt hands
// the page over and drops the scheduler's answer, so the queue is asked directly.
class PrintQueue {
public:
    virtual ~PrintQueue() = default;

    struct Verdict {
        bool send = true; // false: the queue would refuse the page, do not send it
        QString warning;  // for the user, naming the printer and the reason; empty when all is well
    };

    // Asked just before the page is sent.
    virtual Verdict beforeJob() = 0;
    // Asked right after: empty when the job stands in the queue or has been printed,
    // otherwise why it was refused or ended at once.
    virtual QString afterJob() = 0;
};

} // namespace vitalune
