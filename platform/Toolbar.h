// SPDX-License-Identifier: MIT
#pragma once

#include "ToolbarButton.h"

#include <QPointer>
#include <QWidget>

namespace vitalune {

// A flat toolbar of fixed places. It decides the hover itself, so at most one button is
// hovered whatever order crossings come in; the status text goes up as Qt's toolbars send it.
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
