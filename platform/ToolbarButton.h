// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vitalune {

// A toolbar button with a picture and a caption. While the pointer is over it the button
// shows its focused picture and colours (and, with activeborder, a thin raised edge);
// pressed, it is sunken. Click comes when the button is released over itself.
//
// MouseEnter and MouseExit come in pairs, and the MouseExit of one button always comes
// before the MouseEnter of the next, whatever order the windowing system reports the
// crossings in; a button that is hidden, disabled, blocked by a modal window or whose
// window is deactivated while the pointer is over it raises its MouseExit then.
//
// Built on QAbstractButton for the keyboard and for screen readers: the button takes the
// focus from Tab (not from the mouse), shows it with a dotted frame, and Space, Enter or
// an assistive tool's press raise Click just as the mouse does.
class ToolbarButton : public QAbstractButton {
    Q_OBJECT
public:
    // Where the picture stands against the caption.
    enum PictPosition { PictLeft = 0, PictRight = 1, PictTop = 2, PictBottom = 3 };
    // Picture size: small (16 x 16), large (32 x 32) or the picture's own size. A picture
    // larger than the button is shrunk to fit.
    enum PictSize { PictSmall = 0, PictLarge = 1, PictOwnSize = 2 };
    // Flat toolbar buttons show an edge only under the pointer; standard ones always.
    enum Style { StyleStandard = 0, StyleFlat = 1 };

    explicit ToolbarButton(QWidget* parent = nullptr);
    ~ToolbarButton() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    // `enabled` and `font` are the widget's own (setEnabled, setFont).

    QColor forecolor() const { return forecolor_; }
    void setForecolor(const QColor& c);
    QColor backcolor() const { return backcolor_; }
    void setBackcolor(const QColor& c);
    QColor focusedfrcolor() const { return focusedfrcolor_; }
    void setFocusedfrcolor(const QColor& c);
    QColor focusedbkcolor() const { return focusedbkcolor_; }
    void setFocusedbkcolor(const QColor& c);
    // The edge is two rings: `out` the outer one, `in` the inner one; raised, the light
    // colours are on the top and left sides; sunken, the shadow colours are.
    QColor lightcolorin() const { return lightcolorin_; }
    void setLightcolorin(const QColor& c);
    QColor lightcolorout() const { return lightcolorout_; }
    void setLightcolorout(const QColor& c);
    QColor shadowcolorin() const { return shadowcolorin_; }
    void setShadowcolorin(const QColor& c);
    QColor shadowcolorout() const { return shadowcolorout_; }
    void setShadowcolorout(const QColor& c);

    QIcon picture() const { return picture_; }
    void setPicture(const QIcon& picture);
    void setPicture(const QPixmap& picture) { setPicture(QIcon(picture)); }
    // Shown under the pointer; without one the plain picture is shown.
    QIcon focusedpicture() const { return focusedpicture_; }
    void setFocusedpicture(const QIcon& picture);
    void setFocusedpicture(const QPixmap& picture) { setFocusedpicture(QIcon(picture)); }

    int pictposition() const { return pictposition_; }
    void setPictposition(int position);
    int pictsize() const { return pictsize_; }
    void setPictsize(int size);
    // Free space inside the edge, in pixels.
    int margin() const { return margin_; }
    void setMargin(int pixels);
    // Space between picture and caption, in pixels.
    int distance() const { return distance_; }
    void setDistance(int pixels);
    bool focusedbold() const { return focusedbold_; }
    void setFocusedbold(bool on);
    bool focusedunderline() const { return focusedunderline_; }
    void setFocusedunderline(bool on);
    bool activeborder() const { return activeborder_; }
    void setActiveborder(bool on);
    int style() const { return style_; }
    void setStyle(int style);
    // The button grows to hold its picture and caption (it never shrinks below the size
    // it was given).
    bool autosize() const { return autosize_; }
    void setAutosize(bool on);

    // True between MouseEnter and MouseExit.
    bool hovered() const { return hovered_; }
    // Held down by the left mouse button.
    bool pressed() const { return pressed_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void MouseEnter();
    void MouseExit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enter();
    void exit();
    void settingsChanged();
    QSize pictureSize() const;
    QSize contentSize() const;
    QFont captionFont() const;
    void drawEdge(class QPainter& p, const QRect& r, bool sunken) const;
    void watchWindow();

    QString caption_;
    QColor forecolor_, backcolor_, focusedfrcolor_, focusedbkcolor_;
    QColor lightcolorin_, lightcolorout_, shadowcolorin_, shadowcolorout_;
    QIcon picture_, focusedpicture_;
    int pictposition_ = PictTop;
    int pictsize_ = PictSmall;
    int margin_ = 0;
    int distance_ = 0;
    bool focusedbold_ = false;
    bool focusedunderline_ = false;
    bool activeborder_ = true;
    int style_ = StyleFlat;
    bool autosize_ = false;

    bool hovered_ = false;
    bool pressed_ = false;   // pressed with the left button, not yet released
    bool pressedIn_ = false; // ... and the pointer is over the button
    QWidget* watchedWindow_ = nullptr;
    const QMetaObject* windowType_ = nullptr; // the window's class while it is alive
};

} // namespace vitalune
