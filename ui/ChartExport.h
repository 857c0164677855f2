// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vitalune {

// The chart written to a file instead of shown or printed: a .png file gets the main
// window's client area, a .pdf file the printed page, both for the two dates given. The
// dates are put in a date model as the window would hold them; the page is drawn straight
// from it, the picture by a main window loaded with it and rendered off screen.
struct ChartExport {
    enum class Format { Png, Pdf };

    QString file;
    std::optional<Date> birth;     // unset: the window's default birth date
    std::optional<Date> reference; // unset: today
    bool blackAndWhite = false;    // the page as the black-and-white print button prints it

    // The format the file's name asks for, if it is one of ours.
    static std::optional<Format> formatOf(const QString& file);
};

// Renders without showing a window or reaching a printer (or the print system) and writes
// the file whole or not at all: an existing file is replaced only on success, a symbolic
// link to a regular file replaces that file, and anything but a regular file is refused.
// `path` is the file's name as the bytes the user gave, where `request.file` cannot hold
// them (a name that is not UTF-8); empty: `request.file`. Returns why it failed, or an
// empty text. Needs a QApplication (the offscreen platform will do).
QString exportChart(const ChartExport& request, const QByteArray& path = {});

} // namespace vitalune
