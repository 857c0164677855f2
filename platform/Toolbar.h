// SPDX-License-Identifier: MIT
#pragma once

#include "ToolbarButton.h"

#include <QPointer>
#include <QWidget>

namespace vitalune {

// Decides the hover itself, so one button at most is hovered whatever order crossings come.
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
