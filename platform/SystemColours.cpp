// SPDX-License-Identifier: MIT
#include "SystemColours.h"

#include <QGuiApplication>

namespace vitalune {

namespace {
// Lightness (0 to 255) below which a background counts as dark, and the lightness that
// design colours are raised to on such a background.
constexpr int kDarkBelow = 128;
constexpr int kLightText = 190;
} // namespace

QColor readableOn(const QColor& design, const QColor& background) {
    if (background.lightness() >= kDarkBelow || design.lightness() >= kLightText)
        return design;
    const QColor hsl = design.toHsl();
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), kLightText).toRgb();
}

QColor systemColour(SystemColour role) {
    return systemColour(role, QGuiApplication::palette());
}

QColor systemColour(SystemColour role, const QPalette& palette) {
    switch (role) {
    case SystemColour::ButtonFace:
        return palette.color(QPalette::Button);
    case SystemColour::ButtonText:
        return palette.color(QPalette::ButtonText);
    case SystemColour::ButtonHighlight:
        return palette.color(QPalette::Light);
    case SystemColour::ButtonShadow:
        return palette.color(QPalette::Dark);
    case SystemColour::ThreeDLight:
        return palette.color(QPalette::Midlight);
    case SystemColour::ThreeDDarkShadow:
        return palette.color(QPalette::Shadow);
    case SystemColour::WindowText:
        return palette.color(QPalette::WindowText);
    case SystemColour::Window:
        return palette.color(QPalette::Window);
    case SystemColour::Highlight:
        return palette.color(QPalette::Highlight);
    }
    return palette.color(QPalette::WindowText);
}

} // namespace vitalune
