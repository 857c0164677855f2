// SPDX-License-Identifier: MIT
#include "Toolbar.h"

#include "SystemColours.h"

#include <QChildEvent>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace vitalune {

namespace {

// Children not shown yet count; those hidden on purpose do not.
bool explicitlyHidden(const QWidget* w) {
    return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

} // namespace

Toolbar::Toolbar(QWidget* parent) : EtchedWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Toolbar::setShowleftlines(bool on) {
    showleftlines_ = on;
    update();
}
void Toolbar::setShowtwoleftlines(bool on) {
    showtwoleftlines_ = on;
    update();
}
void Toolbar::setAutoheight(int mode) {
    autoheight_ = mode;
    fitHeight();
}

int Toolbar::fittingHeight() const {
    int top = INT_MAX, bottom = INT_MIN;
    for (QObject* o : children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || explicitlyHidden(w))
            continue;
        top = std::min(top, w->y());
        bottom = std::max(bottom, w->y() + w->height());
    }
    if (top == INT_MAX)
        return height();
    return bottom + std::max(0, top);
}

void Toolbar::fitHeight() {
    if (autoheight_ == 0 || fitting_)
        return;
    fitting_ = true;
    const int h = fittingHeight();
    if (h > 0 && h != height())
        resize(width(), h);
    fitting_ = false;
}

void Toolbar::childEvent(QChildEvent* event) {
    if (event->child()->isWidgetType()) {
        if (event->added())
            event->child()->installEventFilter(this);
        else if (event->removed())
            event->child()->removeEventFilter(this);
        fitHeight();
    }
    QWidget::childEvent(event);
}

bool Toolbar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        fitHeight();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Toolbar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), backcolor_);
    p.setPen(light3dcolor_);
    p.drawLine(0, 0, width() - 1, 0);
    // Grip lines: etched pairs standing a little in from the left end.
    const int grips = showtwoleftlines_ ? 2 : showleftlines_ ? 1 : 0;
    for (int i = 0; i < grips; ++i) {
        const int x = 2 + 3 * i;
        p.setPen(light3dcolor_);
        p.drawLine(x, 3, x, height() - 3);
        p.setPen(shadow3dcolor_);
        p.drawLine(x + 1, 3, x + 1, height() - 3);
    }
}

} // namespace vitalune
