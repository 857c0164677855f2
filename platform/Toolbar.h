// SPDX-License-Identifier: MIT
#pragma once

#include "ToolbarButton.h"

#include <QPointer>
#include <QWidget>

namespace vitalune {

// A flat toolbar (Button face, Light top line) holding buttons, separators and labels at
// fixed places. At most one button is hovered, whatever order the windowing system reports
// crossings in; hiding, disabling, deactivation or a modal window end the hover. The hovered
// button's action is hovered and its status text goes up as a QStatusTipEvent, as Qt's own
// toolbars send it.
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
