// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QPointer>

class QAction;

namespace vitalune {

// A flat button, raised under the pointer, sunken when held; only Tab focuses it.
class ToolbarButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToolbarButton(QWidget* parent = nullptr);

    // Makes the button, once, a view of `action`: icon, icon text, spoken text, enabled state.
    void setAction(QAction* action);
    QAction* action() const { return action_; }

    bool isHovered() const;

    // `hovered` (if any) is the Active picture; each with its "@2x" version for finer screens.
    static QIcon picture(const QString& plain, const QString& hovered = {});

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QAction> action_;
};

} // namespace vitalune
