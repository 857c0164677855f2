// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QPainter>
#include <QString>

#include <array>
#include <memory>

class QIODevice;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QPrinterInfo;

namespace vitalune {

// A drawing surface on a printer: one print job of one page, from the first drawing to
// finishPage, in the printer's device pixels (300 per inch for PDF). A failing operation
// returns false and errorString() says why.
class PrinterSurface : public DrawingSurface {
public:
    // A given printer queue; a null QPrinterInfo means there is no printer.
    explicit PrinterSurface(const QPrinterInfo& printer);
    // Written to `spoolFile` instead: the caller sends it to the queue and learns the job.
    PrinterSurface(const QPrinterInfo& printer, const QString& spoolFile);
    // An A4 PDF file or device, without asking the print system.
    explicit PrinterSurface(const QString& pdfFile);
    explicit PrinterSurface(QIODevice* pdfOutput);
    ~PrinterSurface() override;

    PrinterSurface(const PrinterSurface&) = delete;
    PrinterSurface& operator=(const PrinterSurface&) = delete;

    // Why the last failing operation failed, for the user.
    QString errorString() const { return error_; }
    // Pixels per inch of the page; 0 without a printer.
    int resolution() const;
    bool jobActive() const { return painter_.isActive(); }
    // The printer the page is laid out for (page size, sides); null without one.
    const QPrinter* printer() const { return printer_.get(); }

    // A printed page cannot be erased.
    bool clear() override;
    bool line(float x1, float y1, float x2, float y2, Colour colour) override;
    bool finishPage() override;

protected:
    bool drawText(const std::vector<std::string>& items) override;

private:
    // The end of a recent segment: a dashed curve drawn as short segments keeps its pattern.
    struct Chain {
        double x = 0, y = 0;
        double offset = 0; // pattern position at the end, in pixels
        Colour colour = 0;
        LineStyle style = LineStyle::Solid;
        int width = 0;
        bool used = false;
    };

    void setUpPdf();
    bool begin();
    bool fail(const QString& why);
    Chain* chainAt(double x, double y, Colour colour, LineStyle style, int width);

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPagedPaintDevice* page_ = nullptr; // whichever of the two there is
    QString pdfFile_;
    QPainter painter_;
    QString error_;
    bool broken_ = false; // the job could not start: later operations fail until finishPage
    std::array<Chain, 8> chains_{};
    std::size_t nextChain_ = 0;
};

} // namespace vitalune
