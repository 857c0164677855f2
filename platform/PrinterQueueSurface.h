// SPDX-License-Identifier: MIT
#pragma once

#include "PrinterSurface.h"

#include <memory>

class QPrinter;
class QPrinterInfo;

namespace vitalune {

// A printer queue's page through Qt's print support, loaded only when the user prints.
class PrinterQueueSurface : public PrinterSurface {
public:
    // A given printer queue; a null QPrinterInfo means there is no printer.
    explicit PrinterQueueSurface(const QPrinterInfo& printer);
    // Written to `spoolFile` instead: the caller sends it to the queue and learns the job.
    PrinterQueueSurface(const QPrinterInfo& printer, const QString& spoolFile);
    ~PrinterQueueSurface() override;

    int resolution() const override;
    // The printer the page is laid out for (page size, sides); null without one.
    const QPrinter* printer() const { return printer_.get(); }

protected:
    bool stopped() const override;
    QString refusal() const override;

private:
    std::unique_ptr<QPrinter> printer_;
};

} // namespace vitalune
