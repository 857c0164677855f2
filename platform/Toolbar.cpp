// SPDX-License-Identifier: MIT
#include "Toolbar.h"

#include "ToolbarButton.h"

#include <QAction>
#include <QChildEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusTipEvent>

namespace vitalune {

Toolbar::Toolbar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Toolbar::setHoveredButton(ToolbarButton* button) {
    if (button == hovered_)
        return;
    if (ToolbarButton* left = hovered_) {
        hovered_ = nullptr;
        left->update();
        QStatusTipEvent tip{QString()};
        QCoreApplication::sendEvent(this, &tip);
    }
    hovered_ = button;
    if (button) {
        button->update();
        if (QAction* action = button->action()) {
            action->showStatusText(this);
            action->hover();
        }
    }
}

void Toolbar::showEvent(QShowEvent* event) {
    // A window deactivated or blocked ends the hover (installing again changes nothing).
    window()->installEventFilter(this);
    QWidget::showEvent(event);
}

void Toolbar::childEvent(QChildEvent* event) {
    // The buttons' own crossings, moves, hiding and disabling.
    if (auto* button = qobject_cast<ToolbarButton*>(event->child()); button && event->polished()) {
        button->installEventFilter(this);
        button->setMouseTracking(true);
    }
    QWidget::childEvent(event);
}

bool Toolbar::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<ToolbarButton*>(watched);
    switch (event->type()) {
    case QEvent::WindowBlocked:
    case QEvent::WindowDeactivate:
        setHoveredButton(nullptr);
        break;
    case QEvent::MouseMove: {
        // Back over a button left without the pointer's doing (deactivation): a new hover.
        const auto* move = static_cast<QMouseEvent*>(event);
        if (!button || (move->buttons() & Qt::LeftButton) ||
            !button->rect().contains(move->position().toPoint()))
            break;
        [[fallthrough]];
    }
    case QEvent::Enter:
        if (button && button->isEnabled() && button->isVisible())
            setHoveredButton(button);
        break;
    case QEvent::EnabledChange:
        if (button && button->isEnabled())
            break;
        [[fallthrough]];
    case QEvent::Leave:
    case QEvent::Hide:
        if (button && button == hovered_)
            setHoveredButton(nullptr);
        break;
    default:
        break;
    }
    return false;
}

void Toolbar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, 0, width() - 1, 0);
}

} // namespace vitalune
