// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QPointer>

class QAction;

namespace vitalune {

// A flat button showing its icon or its text, raised under the pointer and sunken when
// held. Only Tab focuses it; on a Toolbar the toolbar decides the hover.
class ToolbarButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToolbarButton(QWidget* parent = nullptr);

    // Makes the button, once, a view of `action`: its icon, its icon text as caption, its
    // text as the name a screen reader reads, its enabled state; a click triggers it. The
    // toolbar shows its status text.
    void setAction(QAction* action);
    QAction* action() const { return action_; }

    // Shown as under the pointer.
    bool isHovered() const;

    // A picture for a button: `plain`, and `hovered` (if any) as the Active picture, each with
    // its twice-as-fine version beside it ("name@2x.png") for finer screens.
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
