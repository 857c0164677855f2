// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QImage>

namespace vitalune {

// How far apart two colours stand for the eye: the ratio of their relative luminances
// (each plus 0.05), from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A background darker than mid grey, on which the design's dark colours would vanish.
bool isDark(const QColor& background);

// A design colour for text on `background`: the colour itself on a light background; on a
// dark one the lightest needed shade of the same hue that stands out from it 4.5 to 1.
QColor readableOn(const QColor& design, const QColor& background);

// A dark-ink picture lightened for a dark `background` (hue and order of shades kept) so
// its darkest stands out 4.5 to 1; on a light background or opaque, as it is.
QImage readableOn(const QImage& picture, const QColor& background);

// A drawing colour (0x00BBGGRR) as Qt's colour type.
inline QColor toQColor(Colour c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

} // namespace vitalune
