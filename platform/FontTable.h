// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

#include <string_view>

namespace vitalune {

// The design's font names mapped onto faces this desktop has; others asked for as named.

QString substituteFamily(std::string_view name);

// points × dpi / 72, rounded, at least 1 (6.75 pt at 96 dpi is 9 px).
int fontPixelSize(double points, double dpi);

// A font sized in pixels for `points` on a device of `dpi` (a screen's by default).
QFont substituteFont(std::string_view name, double points, bool bold, double dpi = 96);

} // namespace vitalune
