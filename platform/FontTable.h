// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

#include <string_view>

namespace vitalune {

// The font names the windows and charts were designed with ("MS Sans Serif", "Small Fonts",
// "Courier New", "System"), matched without regard to case, mapped onto faces this desktop
// has; any other name is asked for as it stands, with a sans fallback.

QString substituteFamily(std::string_view name);

// points × dpi / 72, rounded, at least 1 (6.75 pt at 96 dpi is 9 px).
int fontPixelSize(double points, double dpi);

// A font for `name` at `points` on a device of `dpi` dots per inch, sized in pixels.
QFont substituteFont(std::string_view name, double points, bool bold, double dpi);

} // namespace vitalune
