// SPDX-License-Identifier: MIT
#include "ToolbarSeparator.h"

#include <QPainter>

namespace vitalune {

ToolbarSeparator::ToolbarSeparator(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ToolbarSeparator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const int x = (width() - 2) / 2;
    const int top = height() > 6 ? 1 : 0;
    const int bottom = height() - 1 - top;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(x, top, x, bottom);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(x + 1, top, x + 1, bottom);
}

} // namespace vitalune
