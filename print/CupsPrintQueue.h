// SPDX-License-Identifier: MIT
#pragma once

#include "PrintQueue.h"

namespace vitalune {

// The default queue as the CUPS scheduler reports it. A job that fails later, in the
// queue's back end, is not known here.
class CupsPrintQueue : public PrintQueue {
public:
    Verdict beforeJob() override;
    QString afterJob() override;

private:
    QString printer_; // the queue asked about before the job; empty without one
    int lastJobBefore_ = 0;
};

} // namespace vitalune
