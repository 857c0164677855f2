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

// A drawing colour (0x00BBGGRR) as Qt's colour type, and back.
inline QColor toQColor(Colour c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
inline Colour toColour(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace vitalune
