// SPDX-License-Identifier: MIT
#include "DateStepper.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace vitalune {

DateStepper::DateStepper(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setInvertedControls(false); // Right and Page Up step up, as the right arrow does
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(50);
        if (over_)
            stepOnce();
    });
}

QString DateStepper::valueText() const {
    return valueLabel_ ? valueLabel_->text().trimmed() : QString::number(value());
}

DateStepper::Side DateStepper::sideAt(const QPoint& pos) const {
    if (!rect().contains(pos))
        return Side::None;
    return pos.x() < width() / 2 ? Side::Down : Side::Up;
}

void DateStepper::stepOnce() {
    triggerAction(pressed_ == Side::Up ? SliderSingleStepAdd : SliderSingleStepSub);
}

void DateStepper::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    pressed_ = sideAt(event->position().toPoint());
    over_ = pressed_ != Side::None;
    update();
    if (over_) {
        stepOnce();
        repeat_.start(400);
    }
}

void DateStepper::mouseMoveEvent(QMouseEvent* event) {
    const bool over = pressed_ != Side::None && sideAt(event->position().toPoint()) == pressed_;
    if (over != over_) {
        over_ = over;
        update();
    }
}

void DateStepper::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    repeat_.stop();
    pressed_ = Side::None;
    over_ = false;
    update();
}

void DateStepper::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int half = width() / 2;
    const QRect buttons[2] = {QRect(0, 0, half, height()),
                              QRect(half, 0, width() - half, height())};
    for (int i = 0; i < 2; ++i) {
        const bool down = over_ && pressed_ == (i == 0 ? Side::Down : Side::Up);
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = buttons[i];
        button.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &p, this);

        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = buttons[i].adjusted(3, 3, -3, -3).translated(down ? 1 : 0, down ? 1 : 0);
        if (!isEnabled() || (i == 0 ? value() <= minimum() : value() >= maximum()))
            arrow.state &= ~QStyle::State_Enabled;
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowLeft
                                      : QStyle::PE_IndicatorArrowRight,
                               &arrow, &p, this);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

} // namespace vitalune
