// SPDX-License-Identifier: MIT
#include "RasterLine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vitalune {

namespace {

// Far enough outside any picture, small enough for the products to fit 64 bits.
constexpr std::int64_t kLimit = std::int64_t(1) << 28;

// floor(v + 0.5): the nearest device pixel, halves upward.
std::int64_t nearest(double v) {
    if (std::isnan(v))
        return 0;
    return std::int64_t(std::floor(std::clamp(v, -double(kLimit), double(kLimit)) + 0.5));
}

// Lengths, in device pixels, of the dots and dashes: 0 period means solid.
struct Pattern {
    std::int64_t on = 1;
    std::int64_t period = 0;
    bool at(std::int64_t step) const { return period == 0 || step % period < on; }
};

Pattern patternFor(LineStyle style, std::int64_t unit, double scale) {
    switch (style) {
    case LineStyle::Dot:
        return {unit, std::max<std::int64_t>(unit + 1, std::llround(2 * scale))};
    case LineStyle::Dash:
        return {std::max<std::int64_t>(1, std::llround(6 * scale)),
                std::max<std::int64_t>(2, std::llround(9 * scale))};
    case LineStyle::Solid:
        break;
    }
    return {};
}

// Along the major axis, ends included; across it a band of `across` pixels.
struct Segment {
    bool xMajor;
    std::int64_t major0, minor0, major1, minor1;
    std::int64_t across;
};

QRect plotSegment(QImage& image, const Segment& g, const Pattern& pattern, const RasterPen& pen) {
    const int w = image.width();
    const int h = image.height();
    const std::int64_t majorSize = g.xMajor ? w : h;
    const std::int64_t minorSize = g.xMajor ? h : w;

    const std::int64_t minorLo = std::min(g.minor0, g.minor1);
    const std::int64_t minorHi = std::max(g.minor0, g.minor1) + g.across - 1;
    const std::int64_t majorLo = std::min(g.major0, g.major1);
    const std::int64_t majorHi = std::max(g.major0, g.major1);
    if (majorHi < 0 || majorLo >= majorSize || minorHi < 0 || minorLo >= minorSize)
        return {};

    const std::int64_t dMajor = g.major1 - g.major0;
    const std::int64_t dMinor = g.minor1 - g.minor0;
    const std::int64_t n = std::llabs(dMajor); // steps; n + 1 pixels
    const std::int64_t majorStep = dMajor < 0 ? -1 : 1;
    const std::int64_t minorStep = dMinor < 0 ? -1 : 1;
    const std::int64_t absMinor = std::llabs(dMinor);

    const std::int64_t first =
        std::max<std::int64_t>(0, majorStep > 0 ? -g.major0 : g.major0 - (majorSize - 1));
    const std::int64_t last = std::min(n, majorStep > 0 ? majorSize - 1 - g.major0 : g.major0);
    if (first > last)
        return {};

    // round(i * |dMinor| / n), halves away from the start, followed incrementally.
    const std::int64_t twoN = 2 * std::max<std::int64_t>(n, 1);
    std::int64_t num = 2 * first * absMinor + n;
    std::int64_t q = num / twoN;
    std::int64_t r = num % twoN;

    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRgb pixel = pen.colour;
    const QRgb flip = pen.colour & 0x00FFFFFFu;
    auto plot = [&](std::int64_t x, std::int64_t y) {
        QRgb* p = reinterpret_cast<QRgb*>(bits + y * stride) + x;
        *p = pen.exclusiveOr ? (*p ^ flip) : pixel;
    };

    for (std::int64_t i = first; i <= last; ++i) {
        if (pattern.at(i)) {
            const std::int64_t major = g.major0 + majorStep * i;
            const std::int64_t start = g.minor0 + minorStep * q;
            const std::int64_t lo = std::max<std::int64_t>(start, 0);
            const std::int64_t hi = std::min<std::int64_t>(start + g.across - 1, minorSize - 1);
            for (std::int64_t m = lo; m <= hi; ++m) {
                if (g.xMajor)
                    plot(major, m);
                else
                    plot(m, major);
            }
        }
        r += 2 * absMinor;
        if (r >= twoN) {
            r -= twoN;
            ++q;
        }
    }

    auto clampTo = [](std::int64_t v, int size) {
        return int(std::clamp<std::int64_t>(v, 0, size - 1));
    };
    const std::int64_t x0 = g.xMajor ? majorLo : minorLo, x1 = g.xMajor ? majorHi : minorHi;
    const std::int64_t y0 = g.xMajor ? minorLo : majorLo, y1 = g.xMajor ? minorHi : majorHi;
    return QRect(QPoint(clampTo(x0, w), clampTo(y0, h)), QPoint(clampTo(x1, w), clampTo(y1, h)));
}

} // namespace

QRect drawRasterLine(QImage& image, double x0, double y0, double x1, double y1,
                     const RasterPen& pen, double scale) {
    if (image.width() <= 0 || image.height() <= 0 || !(scale > 0))
        return {};
    const int width = std::max(1, pen.width);
    // Device pixels of one logical pixel along the line, and of the pen across it.
    const std::int64_t unit = std::max<std::int64_t>(1, std::llround(scale));
    const std::int64_t across = std::max<std::int64_t>(1, std::llround(width * scale));
    const int before = (width - 1) / 2; // logical pixels of a wide pen before the line

    // First device pixel of the block of the logical pixel at v, along and across.
    auto along = [&](double v) { return nearest(v * scale + (scale - double(unit)) / 2); };
    auto band = [&](double v) {
        return nearest((v - before) * scale + (width * scale - double(across)) / 2);
    };

    const std::int64_t ax0 = along(x0), ay0 = along(y0), ax1 = along(x1), ay1 = along(y1);
    Segment g{};
    g.xMajor = std::llabs(ax1 - ax0) >= std::llabs(ay1 - ay0);
    g.major0 = g.xMajor ? ax0 : ay0;
    g.major1 = g.xMajor ? ax1 : ay1;
    // The end block in the line's direction is covered to its far side.
    if (g.major1 >= g.major0)
        g.major1 += unit - 1;
    else
        g.major0 += unit - 1;
    g.minor0 = band(g.xMajor ? y0 : x0);
    g.minor1 = band(g.xMajor ? y1 : x1);
    g.across = across;
    return plotSegment(image, g, patternFor(pen.style, unit, scale), pen);
}

} // namespace vitalune
