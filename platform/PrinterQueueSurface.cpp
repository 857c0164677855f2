// SPDX-License-Identifier: MIT
#include "PrinterQueueSurface.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace vitalune {

namespace {

// The layout's resolution, else the nearest finer one, else the printer's finest.
constexpr int kDefaultResolution = 300;

int chooseResolution(QList<int> supported) {
    std::sort(supported.begin(), supported.end());
    const auto above = std::lower_bound(supported.begin(), supported.end(), kDefaultResolution);
    if (above != supported.end())
        return *above;
    return !supported.isEmpty() && supported.back() > 0 ? supported.back() : kDefaultResolution;
}

} // namespace

PrinterQueueSurface::PrinterQueueSurface(const QPrinterInfo& printer) {
    if (printer.isNull())
        return;
    printer_ = std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
    printer_->setResolution(chooseResolution(printer.supportedResolutions()));
    printer_->setDocName("Vitalune");
    setPage(printer_.get());
}

PrinterQueueSurface::PrinterQueueSurface(const QPrinterInfo& printer, const QString& spoolFile)
    : PrinterQueueSurface(printer) {
    // Still the printer's own engine: the file holds what Qt would send (not a ".pdf" name).
    if (printer_)
        printer_->setOutputFileName(spoolFile);
}

PrinterQueueSurface::~PrinterQueueSurface() {
    endJob(); // while the printer is still there
}

int PrinterQueueSurface::resolution() const {
    return printer_ ? printer_->resolution() : 0;
}

bool PrinterQueueSurface::stopped() const {
    const auto st = printer_->printerState();
    return st == QPrinter::Aborted || st == QPrinter::Error;
}

QString PrinterQueueSurface::refusal() const {
    return QStringLiteral("a impressora «%1» não aceitou o trabalho").arg(printer_->printerName());
}

} // namespace vitalune
