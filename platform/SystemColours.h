// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QColor>
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

// A design colour for text on `background`: the colour itself on a light background, a
// lighter shade of the same hue on a dark one, so that the text stays readable there.
QColor readableOn(const QColor& design, const QColor& background);

// A drawing colour (0x00BBGGRR) as Qt's colour type, and back.
inline QColor toQColor(Colour c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
inline Colour toColour(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace vitalune
