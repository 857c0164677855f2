// SPDX-License-Identifier: MIT
#include "PrinterSurface.h"

#include "FontTable.h"
#include "SystemColours.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace vitalune {

namespace {

constexpr int kDefaultResolution = 300;

bool finite(float v) {
    return std::isfinite(v);
}

// Dash and dot lengths in pixels at a resolution, so the pattern reads the same on any page.
QList<qreal> patternFor(LineStyle style, int resolution) {
    const qreal unit = std::max(1.0, resolution / 100.0);
    if (style == LineStyle::Dash)
        return {6 * unit, 3 * unit};
    return {unit, 2 * unit};
}

} // namespace

// Not a QPrinter: making one waits on a scheduler that may never answer.
PrinterSurface::PrinterSurface(const QString& pdfFile)
    : pdf_(std::make_unique<QPdfWriter>(pdfFile)), pdfFile_(pdfFile) {
    setUpPdf();
}

PrinterSurface::PrinterSurface(QIODevice* pdfOutput)
    : pdf_(std::make_unique<QPdfWriter>(pdfOutput)) {
    setUpPdf();
}

void PrinterSurface::setUpPdf() {
    // A4 with Qt's PDF margins, whatever the default paper: the same file on every machine.
    pdf_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    pdf_->setResolution(kDefaultResolution);
    pdf_->setTitle(QStringLiteral("Vitalune"));
    page_ = pdf_.get();
}

PrinterSurface::PrinterSurface() = default;

PrinterSurface::~PrinterSurface() {
    endJob();
}

void PrinterSurface::endJob() {
    // A job left open is finished, as the page would be at the end of the program.
    if (painter_.isActive())
        painter_.end();
}

int PrinterSurface::resolution() const {
    return pdf_ ? pdf_->resolution() : 0;
}

QString PrinterSurface::refusal() const {
    return QStringLiteral("não foi possível gravar o arquivo «%1»").arg(pdfFile_);
}

bool PrinterSurface::fail(const QString& why) {
    error_ = why;
    return false;
}

bool PrinterSurface::begin() {
    if (!page_)
        return fail(QStringLiteral("Nenhuma impressora disponível."));
    if (broken_)
        return false;
    if (painter_.isActive())
        return !stopped() || fail(QStringLiteral("A impressão foi interrompida pela impressora."));
    if (!painter_.begin(page_)) {
        broken_ = true;
        return fail(QStringLiteral("O trabalho de impressão não pôde começar: %1.").arg(refusal()));
    }
    painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    chains_ = {};
    return true;
}

bool PrinterSurface::clear() {
    return fail(QStringLiteral("Uma página impressa não pode ser apagada."));
}

PrinterSurface::Chain* PrinterSurface::chainAt(double x, double y, Colour colour, LineStyle style,
                                               int width) {
    for (auto& c : chains_)
        if (c.used && c.colour == colour && c.style == style && c.width == width &&
            std::abs(c.x - x) <= 1.0 && std::abs(c.y - y) <= 1.0)
            return &c;
    Chain& fresh = chains_[nextChain_++ % chains_.size()];
    fresh = {x, y, 0, colour, style, width, true};
    return &fresh;
}

bool PrinterSurface::line(float x1, float y1, float x2, float y2, Colour colour) {
    if (!begin())
        return false;
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2))
        return fail(QStringLiteral("Coordenadas inválidas."));
    const QPointF a(x1, y1), b(x2, y2);
    const SurfaceState& s = state();
    const int width = std::max<int>(1, s.lineWidth);

    QPen pen(toQColor(colour));
    pen.setWidthF(width);
    if (s.lineStyle == LineStyle::Solid) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        // A curve drawn as short segments keeps its pattern running from one to the next.
        Chain* chain = chainAt(a.x(), a.y(), colour, s.lineStyle, width);
        QList<qreal> pattern = patternFor(s.lineStyle, resolution());
        const qreal period = pattern[0] + pattern[1];
        for (qreal& v : pattern)
            v /= width; // Qt measures patterns in pen widths
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(pattern);
        pen.setDashOffset(chain->offset / width);
        chain->offset = std::fmod(chain->offset + std::hypot(b.x() - a.x(), b.y() - a.y()), period);
        chain->x = b.x();
        chain->y = b.y();
    }
    painter_.setPen(pen);
    painter_.drawLine(a, b);
    return true;
}

bool PrinterSurface::drawText(const std::vector<std::string>& items) {
    if (!begin())
        return false;
    const SurfaceState& s = state();
    if (!finite(s.currentX) || !finite(s.currentY))
        return fail(QStringLiteral("Posição de texto inválida."));
    QString text;
    for (const auto& item : items)
        text += QString::fromUtf8(item.data(), qsizetype(item.size()));
    if (text.isEmpty())
        return true;
    const QFont font = substituteFont(s.fontName, s.fontSize, s.fontBold, resolution());
    painter_.setFont(font);
    painter_.setPen(QPen(Qt::black));
    const QFontMetricsF fm(font, page_);
    painter_.drawText(QPointF(s.currentX, s.currentY + fm.ascent()), text);
    return true;
}

bool PrinterSurface::finishPage() {
    if (!page_)
        return fail(QStringLiteral("Nenhuma impressora disponível."));
    if (broken_) {
        broken_ = false; // the next drawing operation tries a new job
        return false;
    }
    if (!painter_.isActive())
        return true; // nothing was drawn: there is no page to print
    if (!painter_.end() || stopped())
        return fail(QStringLiteral("O trabalho de impressão não pôde ser concluído."));
    return true;
}

} // namespace vitalune
