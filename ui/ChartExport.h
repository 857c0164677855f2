// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vitalune {

// The chart written to a file: .png the window's client area, .pdf the printed page.
struct ChartExport {
    enum class Format { Png, Pdf };

    QString file;
    std::optional<Date> birth;     // unset: the window's default birth date
    std::optional<Date> reference; // unset: today
    bool blackAndWhite = false;    // the page as the black-and-white print button prints it

    static std::optional<Format> formatOf(const QString& file);
};

// Writes the file whole or not at all. `path`: the name's raw bytes where `request.file`
// cannot hold them. Returns why it failed, or an empty text.
QString exportChart(const ChartExport& request, const QByteArray& path = {});

} // namespace vitalune
