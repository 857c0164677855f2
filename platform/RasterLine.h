#pragma once

#include "DrawingSurface.h"

#include <QImage>
#include <QRect>

namespace vitalune {

// How a raster line combines with the pixels under it.
struct RasterPen {
    QRgb colour = 0;          // 0xFFRRGGBB
    bool exclusiveOr = false; // pixel = pixel XOR colour, so a second pass restores it
    DrawStyle style = DrawStyle::Solid;
    int width = 1;
};

// Dotted lines set every second pixel; dashed lines 6 pixels on, 3 off. The pattern is
// counted along the line from its first point.
constexpr int kDashOn = 6;
constexpr int kDashPeriod = 9;

// Sets the pixels of the segment (x0, y0)-(x1, y1), both end points included, into a
// 32-bit image: each pixel at most once, nothing outside the image. Wider pens extend
// across the line's direction. Returns the rectangle that may have changed (empty when
// nothing did).
QRect drawRasterLine(QImage& image, long x0, long y0, long x1, long y1, const RasterPen& pen);

} // namespace vitalune
