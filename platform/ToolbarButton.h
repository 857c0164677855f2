// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QPointer>

class QAction;

namespace vitalune {

// A flat button showing a picture (its icon, at iconSize()) or, without one, a caption (its
// text). Under the pointer it shows the icon's Active picture, its caption as a link, and a
// raised edge; held down, a sunken one. The face and edge colours come from the palette:
// Button, ButtonText, Link for the hovered caption, Light and Shadow for the outer ring of
// the edge, Midlight and Dark for the inner one.
//
// Keyboard: Tab (not the mouse) gives it the focus, shown by a dotted frame while the keyboard
// is in use (the last key or mouse press was a key's); Space, Enter and Return click it, the
// arrow keys move the focus on. On a dark face its pictures show in lightened ink.
//
// On a Toolbar the toolbar decides which button counts as under the pointer; elsewhere the
// pointer alone does.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QAction> action_;
};

} // namespace vitalune
