// SPDX-License-Identifier: MIT
#include "ChartExport.h"

#include "DateModel.h"
#include "MainWindow.h"
#include "PrintedPage.h"
#include "PrinterSurface.h"
#include "ReplaceFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

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

// The client area for these dates, one image pixel per window pixel, birth as a host's.
QString writeWindow(const DateModel& dates, bool birthGiven, QIODevice& out) {
    const Date reference = dates.reference();
    MainWindow window(
        [reference] { return QDate(reference.year, reference.month, reference.day); });
    window.setQuitOnClose(false);
    if (birthGiven) {
        window.loadBirthDate(dates.birth());
        window.clearChart();
        window.redrawChart();
    }
    QImage image(window.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    window.render(&image);
    if (!image.save(&out, "PNG"))
        return QStringLiteral("could not encode the picture");
    return {};
}

QString writePage(const DateModel& dates, bool blackAndWhite, QIODevice& out) {
    PrinterSurface surface(&out);
    PrintedPage page;
    const PrintMode mode = blackAndWhite ? PrintMode::BlackAndWhite : PrintMode::Colour;
    if (!page.draw(surface, dates.birth(), dates.reference(), mode))
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
        // As the window would hold them: today and the default birth date unless given.
        const QDate today = QDate::currentDate();
        const DateModel dates(
            request.reference.value_or(Date{today.day(), today.month(), today.year()}),
            request.birth.value_or(DateModel::DefaultBirth));
        problem = *format == ChartExport::Format::Png
                      ? writeWindow(dates, request.birth.has_value(), out)
                      : writePage(dates, request.blackAndWhite, out);
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
