// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QImage>

namespace vitalune {

// Contrast ratio of relative luminances, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A background darker than mid grey, on which the design's dark colours would vanish.
bool isDark(const QColor& background);

// Text colour on `background`: as designed, or on a dark one a shade standing out 4.5:1.
QColor readableOn(const QColor& design, const QColor& background);

// A dark-ink picture lightened, shades in order, to stand out 4.5:1 on a dark background.
QImage readableOn(const QImage& picture, const QColor& background);

// A drawing colour (0x00BBGGRR) as Qt's colour type.
inline QColor toQColor(Colour c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

} // namespace vitalune
