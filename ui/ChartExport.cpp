// SPDX-License-Identifier: MIT
#include "ChartExport.h"

#include "PrintedPage.h"
#include "PrinterSurface.h"
#include "ReplaceFile.h"
#include "ScrollBarDates.h"
#include "frmMain.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QScrollBar>

#include <exception>

namespace vitalune {

std::optional<ChartExport::Format> ChartExport::formatOf(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (QFileInfo(file).completeBaseName().isEmpty())
        return std::nullopt;
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return std::nullopt;
}

namespace {

QString dateText(const Date& d) {
    return QStringLiteral("%1/%2/%3")
        .arg(d.day, 2, 10, QLatin1Char('0'))
        .arg(d.month, 2, 10, QLatin1Char('0'))
        .arg(d.year);
}

// The window's client area as the screen shows it, one image pixel per window pixel.
QString writeWindow(frmMain& window, QIODevice& out) {
    QImage image(window.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    window.render(&image);
    if (!image.save(&out, "PNG"))
        return QStringLiteral("could not encode the picture");
    return {};
}

// The page as the print button prints it.
QString writePage(frmMain& window, bool blackAndWhite, QIODevice& out) {
    PrinterSurface surface(&out);
    const ScrollBarDates dates(window.Défiljj1, window.Défilmm1, window.Défilaa1, window.Défiljj2,
                               window.Défilmm2, window.Défilaa2);
    PrintedPage page;
    if (!page.draw(surface, dates, blackAndWhite ? 0 : 1))
        return surface.errorString().isEmpty() ? QStringLiteral("could not draw the page")
                                               : surface.errorString();
    return {};
}

} // namespace

QString exportChart(const ChartExport& request, const QByteArray& path) {
    const auto format = ChartExport::formatOf(request.file);
    if (!format)
        return QStringLiteral("%1: the file name must end in .png or .pdf").arg(request.file);

    // Drawn in memory first: the file is written in one go, and only once all is drawn.
    QByteArray contents;
    QBuffer out(&contents);
    out.open(QIODevice::WriteOnly);
    QString problem;
    try {
        // Loaded as the window loads (reference date today), then the birth date as a
        // host's person arrives.
        const QDate today =
            request.reference
                ? QDate(request.reference->year, request.reference->month, request.reference->day)
                : QDate::currentDate();
        frmMain window([today] { return today; });
        window.setQuitOnClose(false);
        if (request.birth) {
            window.Text2 = dateText(*request.birth);
            if (!window.DecoupeDateNaissance())
                return QStringLiteral("not a birth date: %1").arg(window.Text2);
            window.Rafraichir();
            window.redrawChart();
        }
        problem = *format == ChartExport::Format::Png
                      ? writeWindow(window, out)
                      : writePage(window, request.blackAndWhite, out);
    } catch (const std::exception& error) {
        problem = QString::fromUtf8(error.what());
    }
    if (problem.isEmpty())
        problem = replaceFile(path.isEmpty() ? QFile::encodeName(request.file) : path, contents);
    if (!problem.isEmpty())
        return QStringLiteral("cannot write %1: %2").arg(request.file, problem);
    return {};
}

} // namespace vitalune
