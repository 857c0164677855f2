#include "RasterLine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace vitalune {

namespace {

// Far enough outside any picture that the rounding error of clamping never shows, small
// enough that the products below stay inside 64 bits.
constexpr std::int64_t kLimit = std::int64_t(1) << 28;

std::int64_t clampCoord(long v) {
    return std::clamp<std::int64_t>(v, -kLimit, kLimit);
}

bool patternOn(DrawStyle style, std::int64_t step) {
    switch (style) {
    case DrawStyle::Dot:
        return (step & 1) == 0;
    case DrawStyle::Dash:
        return step % kDashPeriod < kDashOn;
    case DrawStyle::Solid:
        break;
    }
    return true;
}

} // namespace

QRect drawRasterLine(QImage& image, long x0l, long y0l, long x1l, long y1l, const RasterPen& pen) {
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0)
        return {};
    const std::int64_t x0 = clampCoord(x0l), y0 = clampCoord(y0l);
    const std::int64_t x1 = clampCoord(x1l), y1 = clampCoord(y1l);
    const int width = std::max(1, pen.width);
    const int before = (width - 1) / 2; // pixels of a wide pen on the near side of the line
    const int after = width / 2;

    // Whole line outside the picture: nothing to do.
    if (std::max(x0, x1) + after < 0 || std::min(x0, x1) - before >= w ||
        std::max(y0, y1) + after < 0 || std::min(y0, y1) - before >= h)
        return {};

    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;
    const std::int64_t dMajor = xMajor ? dx : dy;
    const std::int64_t dMinor = xMajor ? dy : dx;
    const std::int64_t n = std::llabs(dMajor); // steps; n + 1 pixels
    const std::int64_t majorStep = dMajor < 0 ? -1 : 1;
    const std::int64_t minorStep = dMinor < 0 ? -1 : 1;
    const std::int64_t absMinor = std::llabs(dMinor);
    const std::int64_t majorSize = xMajor ? w : h;
    const std::int64_t minorSize = xMajor ? h : w;

    // Steps whose major coordinate lies inside the picture.
    std::int64_t first, last;
    if (majorStep > 0) {
        first = -major0;
        last = majorSize - 1 - major0;
    } else {
        first = major0 - (majorSize - 1);
        last = major0;
    }
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, n);
    if (first > last)
        return {};

    // Minor offset at step i is round(i * |dMinor| / n), halves away from the start:
    // floor((2 i |dMinor| + n) / 2n), followed incrementally.
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
        if (patternOn(pen.style, i)) {
            const std::int64_t major = major0 + majorStep * i;
            const std::int64_t centre = minor0 + minorStep * q;
            const std::int64_t lo = std::max<std::int64_t>(centre - before, 0);
            const std::int64_t hi = std::min<std::int64_t>(centre + after, minorSize - 1);
            for (std::int64_t m = lo; m <= hi; ++m) {
                if (xMajor)
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

    QRect box(QPoint(int(std::clamp<std::int64_t>(std::min(x0, x1) - before, 0, w - 1)),
                     int(std::clamp<std::int64_t>(std::min(y0, y1) - before, 0, h - 1))),
              QPoint(int(std::clamp<std::int64_t>(std::max(x0, x1) + after, 0, w - 1)),
                     int(std::clamp<std::int64_t>(std::max(y0, y1) + after, 0, h - 1))));
    return box;
}

} // namespace vitalune
