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

namespace vitalune {

// One printed page in device pixels; errorString() says why an operation failed.
class PrinterSurface : public DrawingSurface {
public:
    // An A4 PDF file or device, without asking the print system.
    explicit PrinterSurface(const QString& pdfFile);
    explicit PrinterSurface(QIODevice* pdfOutput);
    ~PrinterSurface() override;

    PrinterSurface(const PrinterSurface&) = delete;
    PrinterSurface& operator=(const PrinterSurface&) = delete;

    QString errorString() const { return error_; }
    // Pixels per inch of the page; 0 without a printer.
    virtual int resolution() const;
    bool jobActive() const { return painter_.isActive(); }

    // A printed page cannot be erased.
    bool clear() override;
    bool line(float x1, float y1, float x2, float y2, Colour colour) override;
    bool finishPage() override;

protected:
    // A page drawn on the subclass's own device, given by setPage; none means no printer.
    PrinterSurface();
    void setPage(QPagedPaintDevice* page) { page_ = page; }
    // Ends a job left open; a subclass calls it before its device goes.
    void endJob();
    // The device stopped the job (aborted, or in error).
    virtual bool stopped() const { return false; }
    // Why the job could not start, as the end of a sentence.
    virtual QString refusal() const;

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

    std::unique_ptr<QPdfWriter> pdf_;   // a PDF file or device; or
    QPagedPaintDevice* page_ = nullptr; // the subclass's printer
    QString pdfFile_;
    QPainter painter_;
    QString error_;
    bool broken_ = false; // the job could not start: later operations fail until finishPage
    std::array<Chain, 8> chains_{};
    std::size_t nextChain_ = 0;
};

} // namespace vitalune
