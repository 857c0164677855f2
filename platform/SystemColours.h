// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QImage>
#include <QPalette>

namespace vitalune {

// The desktop colours the windows are designed with, named by their role.
enum class SystemColour {
    ButtonFace,
    ButtonText,
    ButtonHighlight,
    ButtonShadow,
    ThreeDLight,
    ThreeDDarkShadow,
    WindowText,
    Window,
    Highlight,
};

// The colour of `role` in `palette` (the application's palette by default).
QColor systemColour(SystemColour role);
QColor systemColour(SystemColour role, const QPalette& palette);

// How far apart two colours stand for the eye: the ratio of their relative luminances
// (each plus 0.05), from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A background darker than mid grey, on which the design's dark colours would vanish.
bool isDark(const QColor& background);

// A design colour for text on `background`: the colour itself on a light background; on a
// dark one the lightest needed shade of the same hue that stands out from it 4.5 to 1.
QColor readableOn(const QColor& design, const QColor& background);

// A picture drawn in dark ink on a transparent ground, for a dark `background`: every
// colour is lightened, keeping its hue and the order of light and dark in the picture, so
// that the darkest stands out from the background 4.5 to 1 (black outlines become light
// grey). On a light background, and for an opaque picture (a swatch that brings its own
// ground), the picture as it is.
QImage readableOn(const QImage& picture, const QColor& background);

// A drawing colour (0x00BBGGRR) as Qt's colour type.
inline QColor toQColor(Colour c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

} // namespace vitalune
