// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace vitalune {

// A thin line cut into a toolbar between groups of buttons: a shadow (Dark) and a light
// (Light) line side by side on the button face.
class ToolbarSeparator : public QWidget {
    Q_OBJECT
public:
    explicit ToolbarSeparator(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vitalune
