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

// Sends the page itself, not through Qt, so the job's number tells its fate.
class CupsPrintQueue : public PrintQueue {
public:
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
