// SPDX-License-Identifier: MIT
#include "EtchedWidget.h"

#include "SystemColours.h"

namespace vitalune {

EtchedWidget::EtchedWidget(QWidget* parent)
    : QWidget(parent), backcolor_(systemColour(SystemColour::ButtonFace)),
      light3dcolor_(systemColour(SystemColour::ButtonHighlight)),
      shadow3dcolor_(systemColour(SystemColour::ButtonShadow)) {}

void EtchedWidget::setBackcolor(const QColor& c) {
    backcolor_ = c;
    update();
}

void EtchedWidget::setLight3dcolor(const QColor& c) {
    light3dcolor_ = c;
    update();
}

void EtchedWidget::setShadow3dcolor(const QColor& c) {
    shadow3dcolor_ = c;
    update();
}

} // namespace vitalune
