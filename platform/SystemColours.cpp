#include "SystemColours.h"

#include <QGuiApplication>

namespace vitalune {

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
