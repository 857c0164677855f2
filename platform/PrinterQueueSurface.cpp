// SPDX-License-Identifier: MIT
#include "PrinterQueueSurface.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace vitalune {

namespace {

// The resolution the printed page's layout is drawn for, or the nearest finer one the
// printer offers.
constexpr int kDefaultResolution = 300;

int chooseResolution(const QList<int>& supported) {
    if (supported.isEmpty() || supported.contains(kDefaultResolution))
        return kDefaultResolution;
    QList<int> sorted = supported;
    std::sort(sorted.begin(), sorted.end());
    for (int r : sorted)
        if (r >= kDefaultResolution)
            return r;
    return sorted.back() > 0 ? sorted.back() : kDefaultResolution;
}

} // namespace

PrinterQueueSurface::PrinterQueueSurface() : PrinterQueueSurface(QPrinterInfo::defaultPrinter()) {}

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
    // Still the printer's own engine, so the file holds exactly what Qt would send; only a
    // ".pdf" name would switch to the plain PDF writer.
    if (printer_)
        printer_->setOutputFileName(spoolFile);
}

PrinterQueueSurface::~PrinterQueueSurface() {
    endJob(); // while the printer is still there
}

bool PrinterQueueSurface::hasDefaultPrinter() {
    return !QPrinterInfo::defaultPrinter().isNull();
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
