// SPDX-License-Identifier: MIT
#include "ChartExport.h"

#include "PrintedPage.h"
#include "PrinterSurface.h"
#include "ScrollBarDates.h"
#include "MainWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QScrollBar>
#include <QTemporaryDir>

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
QString writeWindow(MainWindow& window, QSaveFile& out) {
    QImage image(window.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    window.render(&image);
    if (!image.save(&out, "PNG"))
        return QStringLiteral("could not encode the picture");
    return {};
}

// The page as the print button prints it. The printer surface writes a PDF only to a
// named file, so it goes to a scratch folder first.
QString writePage(MainWindow& window, bool blackAndWhite, QSaveFile& out) {
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return QStringLiteral("no temporary folder: %1").arg(scratch.errorString());
    const QString pdf = scratch.filePath(QStringLiteral("page.pdf"));
    {
        PrinterSurface surface(pdf);
        const ScrollBarDates dates(window.birthDayStepper, window.birthMonthStepper, window.birthYearStepper,
                                   window.referenceDayStepper, window.referenceMonthStepper, window.referenceYearStepper);
        PrintedPage page;
        if (!page.draw(surface, dates, blackAndWhite ? 0 : 1))
            return surface.errorString().isEmpty() ? QStringLiteral("could not draw the page")
                                                   : surface.errorString();
    }
    QFile written(pdf);
    if (!written.open(QIODevice::ReadOnly))
        return written.errorString();
    if (out.write(written.readAll()) != written.size())
        return out.errorString();
    return {};
}

} // namespace

QString exportChart(const ChartExport& request) {
    const auto format = ChartExport::formatOf(request.file);
    if (!format)
        return QStringLiteral("%1: the file name must end in .png or .pdf").arg(request.file);

    QSaveFile out(request.file);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(request.file, out.errorString());

    QString problem;
    try {
        // Loaded as the window loads (reference date today), then the birth date as a
        // host's person arrives.
        const QDate today =
            request.reference
                ? QDate(request.reference->year, request.reference->month, request.reference->day)
                : QDate::currentDate();
        MainWindow window([today] { return today; });
        window.setQuitOnClose(false);
        if (request.birth) {
            window.Text2 = dateText(*request.birth);
            if (!window.loadBirthDate())
                return QStringLiteral("not a birth date: %1").arg(window.Text2);
            window.clearChart();
            window.redrawChart();
        }
        problem = *format == ChartExport::Format::Png
                      ? writeWindow(window, out)
                      : writePage(window, request.blackAndWhite, out);
    } catch (const std::exception& error) {
        problem = QString::fromUtf8(error.what());
    }
    if (problem.isEmpty() && !out.commit())
        problem = out.errorString();
    if (!problem.isEmpty())
        return QStringLiteral("cannot write %1: %2").arg(request.file, problem);
    return {};
}

} // namespace vitalune
