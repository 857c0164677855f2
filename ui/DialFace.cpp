// SPDX-License-Identifier: MIT
#include "DialFace.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vitalune {

namespace {
// The face's disc, in pixels of the 54 x 54 face, as the pictures are drawn.
constexpr double kCentre = 27.5;
constexpr double kRadius = 26.5;
constexpr int kDrawnOn = 240;
constexpr int kSamples = 8; // per side of a pixel, for the part of it inside the disc
constexpr int kSameShade = 3;

bool sameShade(const QColor& c) {
    return std::abs(c.red() - kDrawnOn) <= kSameShade &&
           std::abs(c.green() - kDrawnOn) <= kSameShade &&
           std::abs(c.blue() - kDrawnOn) <= kSameShade;
}
} // namespace

QImage dialFaceOn(const QImage& face, const QColor& background) {
    if (face.isNull() || sameShade(background))
        return face;
    const double scale = face.devicePixelRatio();
    // Finer versions centre the disc on the design pixel's block, as the chart does.
    const double shift = (scale - std::max(1.0, std::floor(scale + 0.5))) / 2;
    const int shade[3] = {background.red() - kDrawnOn, background.green() - kDrawnOn,
                          background.blue() - kDrawnOn};

    QImage out = face.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const double mid = std::hypot((x + 0.5 - shift) / scale - kCentre,
                                          (y + 0.5 - shift) / scale - kCentre);
            if (mid < kRadius - 1)
                continue; // well inside the disc
            double outside = 1;
            if (mid <= kRadius + 1) {
                int in = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        in += std::hypot((x + (sx + 0.5) / kSamples - shift) / scale - kCentre,
                                         (y + (sy + 0.5) / kSamples - shift) / scale - kCentre) <=
                              kRadius;
                outside = 1 - double(in) / (kSamples * kSamples);
            }
            if (outside == 0)
                continue;
            const QRgb px = line[x];
            auto channel = [outside](int value, int delta) {
                return std::clamp(int(std::lround(value + outside * delta)), 0, 255);
            };
            line[x] = qRgb(channel(qRed(px), shade[0]), channel(qGreen(px), shade[1]),
                           channel(qBlue(px), shade[2]));
        }
    }
    out.setDevicePixelRatio(scale);
    return out;
}

} // namespace vitalune
