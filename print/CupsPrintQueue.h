// SPDX-License-Identifier: MIT
#pragma once

#include "PrintQueue.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

class QTemporaryFile;

namespace vitalune {

// The default queue as the CUPS scheduler reports it. The scheduler is asked from a
// thread of its own while the event loop goes on, so a host's calls are answered
// meanwhile, and each conversation is given up after a few seconds: the user is then
// told that the print service does not answer. The page is handed to the queue here
// rather than by Qt, so the job's own number tells its fate. A job that fails later, in
// the queue's back end, is not known here.
class CupsPrintQueue : public PrintQueue {
public:
    // How long the scheduler has to answer each conversation.
    static constexpr std::chrono::milliseconds kAnswerTime{4000};

    CupsPrintQueue();
    ~CupsPrintQueue() override;

    Verdict beforeJob() override;
    std::unique_ptr<DrawingSurface> openJob() override;
    QString afterJob() override;

private:
    QString queue_;  // the queue asked about before the job; empty without one
    QString device_; // the same with its instance, as Qt names printers
    std::unique_ptr<QTemporaryFile> spool_; // the page, drawn for the queue
    std::vector<std::pair<QByteArray, QByteArray>>
        options_; // page size and sides, as Qt sends them
    QByteArray title_;
};

} // namespace vitalune
