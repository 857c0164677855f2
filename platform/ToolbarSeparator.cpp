// SPDX-License-Identifier: MIT
#include "ToolbarSeparator.h"

#include "SystemColours.h"

#include <QEvent>
#include <QPainter>

namespace vitalune {

ToolbarSeparator::ToolbarSeparator(QWidget* parent) : EtchedWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
    watchParent();
}

void ToolbarSeparator::setAutoheight(int mode) {
    autoheight_ = mode;
    followParent();
}

void ToolbarSeparator::watchParent() {
    if (watched_ == parentWidget())
        return;
    if (watched_)
        watched_->removeEventFilter(this);
    watched_ = parentWidget();
    if (watched_)
        watched_->installEventFilter(this);
}

bool ToolbarSeparator::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange)
        watchParent();
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Move)
        followParent();
    return QWidget::event(event);
}

bool ToolbarSeparator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watched_ && event->type() == QEvent::Resize)
        followParent();
    return QWidget::eventFilter(watched, event);
}

void ToolbarSeparator::followParent() {
    QWidget* p = parentWidget();
    if (autoheight_ == 0 || !p)
        return;
    const int h = p->height() - 2 * y();
    if (h > 0 && h != height())
        resize(width(), h);
}

void ToolbarSeparator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), backcolor_);
    // Shadow then light, side by side at the middle: a line cut into the face.
    const int x = (width() - 2) / 2;
    const int top = height() > 6 ? 1 : 0;
    const int bottom = height() - 1 - top;
    p.setPen(shadow3dcolor_);
    p.drawLine(x, top, x, bottom);
    p.setPen(light3dcolor_);
    p.drawLine(x + 1, top, x + 1, bottom);
}

} // namespace vitalune
