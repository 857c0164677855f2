// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace vitalune {

// A line cut into a toolbar: a Dark and a Light line side by side.
class ToolbarSeparator : public QWidget {
    Q_OBJECT
public:
    explicit ToolbarSeparator(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vitalune
