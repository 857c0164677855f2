// SPDX-License-Identifier: MIT
#pragma once

#include "ToolbarButton.h"

#include <QPointer>
#include <QWidget>

namespace vitalune {

// A flat toolbar holding buttons, separators and labels at fixed places: the button face
// (Button) with a light line (Light) along its top edge.
//
// It keeps track of which of its buttons is under the pointer. One at most is: the one
// before is always left before the next is entered, whatever order the windowing system
// reports the crossings in, and a button that is hidden or disabled, or whose window is
// deactivated or blocked by a modal window, is left then. Entering a button shows its
// action's status text and hovers the action; leaving it clears the status text. Status
// texts go up to the window as QStatusTipEvents, as Qt's own toolbars send them.
class Toolbar : public QWidget {
    Q_OBJECT
public:
    explicit Toolbar(QWidget* parent = nullptr);

    ToolbarButton* hoveredButton() const { return hovered_; }
    // Enters `button` (one of this toolbar's), leaving the one before; none leaves it.
    void setHoveredButton(ToolbarButton* button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<ToolbarButton> hovered_;
};

} // namespace vitalune
