// SPDX-License-Identifier: MIT
#include "SystemColours.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace vitalune {

namespace {
constexpr int kDarkBelow = 128;
// The contrast text needs to be read with ease; pictures' darkest ink gets the same.
constexpr double kReadable = 4.5;

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

// The darkest shade of `c`'s hue, no darker than `c`, passing `test`; else white.
template <typename Test> QColor lightenedUntil(const QColor& c, Test test) {
    const QColor hsl = c.toHsl();
    int low = hsl.lightness(), high = 256;
    while (low < high) { // first lightness that passes; luminance grows with lightness
        const int mid = (low + high) / 2;
        if (test(QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), mid)))
            high = mid;
        else
            low = mid + 1;
    }
    if (low > 255)
        return QColor(Qt::white);
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), low).toRgb();
}
} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const QColor& background) {
    return background.lightness() < kDarkBelow;
}

QColor readableOn(const QColor& design, const QColor& background) {
    if (!isDark(background) || contrastRatio(design, background) >= kReadable)
        return design;
    return lightenedUntil(design, [&background](const QColor& c) {
        return contrastRatio(c, background) >= kReadable;
    });
}

QImage readableOn(const QImage& picture, const QColor& background) {
    if (!isDark(background) || !picture.hasAlphaChannel())
        return picture;
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    // Luminances squeezed into [floor, 1]: black stands out enough, shades keep their order.
    const double floor = std::min(1.0, kReadable * (luminance(background) + 0.05) - 0.05);
    QHash<QRgb, QRgb> lifted; // pictures hold few colours
    bool ground = false;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = line[x];
            if (qAlpha(px) == 0) {
                ground = true;
                continue;
            }
            const QRgb key = px | 0xff000000u;
            auto it = lifted.find(key);
            if (it == lifted.end()) {
                const QColor c = QColor::fromRgb(key);
                const double target = floor + luminance(c) * (1 - floor);
                it = lifted.insert(key, lightenedUntil(c, [target](const QColor& t) {
                                            return luminance(t) >= target;
                                        }).rgb());
            }
            line[x] = (*it & 0x00ffffffu) | (px & 0xff000000u);
        }
    }
    if (!ground)
        return picture; // opaque: it brings its own ground
    out.setDevicePixelRatio(picture.devicePixelRatio());
    return out;
}

} // namespace vitalune
