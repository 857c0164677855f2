// SPDX-License-Identifier: MIT
#pragma once

#include "EtchedWidget.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace vitalune {

// A thin etched vertical line between groups of toolbar buttons.
class ToolbarSeparator : public EtchedWidget {
    Q_OBJECT
public:
    explicit ToolbarSeparator(QWidget* parent = nullptr);

    // 0: keeps its height. Otherwise it follows its container's height, keeping the same
    // space below as above.
    int autoheight() const { return autoheight_; }
    void setAutoheight(int mode);

    QSize sizeHint() const override { return {2, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchParent();
    void followParent();

    int autoheight_ = 0;
    QPointer<QWidget> watched_;
};

} // namespace vitalune
