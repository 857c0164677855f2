// SPDX-License-Identifier: MIT
#include "ToolbarButton.h"

#include "SystemColours.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace vitalune {

namespace {

constexpr int kEdge = 2; // two rings of the 3D edge

// The button under the pointer, across all windows: its MouseExit comes before any other
// button's MouseEnter.
QPointer<ToolbarButton>& current() {
    static QPointer<ToolbarButton> button;
    return button;
}

// The bounding box of a picture's non-transparent pixels, in its own pixels.
QRect paintedPart(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    const qreal dpr = pixmap.devicePixelRatio();
    return QRect(
        QPoint(int(left / dpr), int(top / dpr)),
        QPoint(int(std::ceil((right + 1) / dpr)) - 1, int(std::ceil((bottom + 1) / dpr)) - 1));
}

} // namespace

ToolbarButton::ToolbarButton(QWidget* parent)
    : QAbstractButton(parent), forecolor_(systemColour(SystemColour::ButtonText)),
      backcolor_(systemColour(SystemColour::ButtonFace)), focusedfrcolor_(Qt::blue),
      focusedbkcolor_(systemColour(SystemColour::ButtonFace)),
      lightcolorin_(systemColour(SystemColour::ThreeDLight)),
      lightcolorout_(systemColour(SystemColour::ButtonHighlight)),
      shadowcolorin_(systemColour(SystemColour::ButtonShadow)),
      shadowcolorout_(systemColour(SystemColour::ThreeDDarkShadow)) {
    setMouseTracking(true);
    // Tab reaches the button; a mouse click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The mouse raises Click itself (below); QAbstractButton's clicked comes only from the
    // keyboard and from assistive tools.
    connect(this, &QAbstractButton::clicked, this, &ToolbarButton::Click);
}

ToolbarButton::~ToolbarButton() {
    // No MouseExit from here: the handlers' window may already be half gone.
    if (current() == this)
        current() = nullptr;
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
}

void ToolbarButton::setCaption(const QString& caption) {
    caption_ = caption;
    settingsChanged();
}
void ToolbarButton::setForecolor(const QColor& c) {
    forecolor_ = c;
    update();
}
void ToolbarButton::setBackcolor(const QColor& c) {
    backcolor_ = c;
    update();
}
void ToolbarButton::setFocusedfrcolor(const QColor& c) {
    focusedfrcolor_ = c;
    update();
}
void ToolbarButton::setFocusedbkcolor(const QColor& c) {
    focusedbkcolor_ = c;
    update();
}
void ToolbarButton::setLightcolorin(const QColor& c) {
    lightcolorin_ = c;
    update();
}
void ToolbarButton::setLightcolorout(const QColor& c) {
    lightcolorout_ = c;
    update();
}
void ToolbarButton::setShadowcolorin(const QColor& c) {
    shadowcolorin_ = c;
    update();
}
void ToolbarButton::setShadowcolorout(const QColor& c) {
    shadowcolorout_ = c;
    update();
}
void ToolbarButton::setPicture(const QIcon& picture) {
    picture_ = picture;
    settingsChanged();
}
void ToolbarButton::setFocusedpicture(const QIcon& picture) {
    focusedpicture_ = picture;
    settingsChanged();
}
void ToolbarButton::setPictposition(int position) {
    pictposition_ = position;
    settingsChanged();
}
void ToolbarButton::setPictsize(int size) {
    pictsize_ = size;
    settingsChanged();
}
void ToolbarButton::setMargin(int pixels) {
    margin_ = std::max(0, pixels);
    settingsChanged();
}
void ToolbarButton::setDistance(int pixels) {
    distance_ = std::max(0, pixels);
    settingsChanged();
}
void ToolbarButton::setFocusedbold(bool on) {
    focusedbold_ = on;
    settingsChanged();
}
void ToolbarButton::setFocusedunderline(bool on) {
    focusedunderline_ = on;
    update();
}
void ToolbarButton::setActiveborder(bool on) {
    activeborder_ = on;
    update();
}
void ToolbarButton::setStyle(int style) {
    style_ = style;
    update();
}
void ToolbarButton::setAutosize(bool on) {
    autosize_ = on;
    settingsChanged();
}

void ToolbarButton::settingsChanged() {
    updateGeometry();
    if (autosize_)
        resize(size().expandedTo(sizeHint()));
    update();
}

// ---- pointer tracking

void ToolbarButton::enter() {
    if (hovered_ || !isEnabled() || !isVisible())
        return;
    QPointer<ToolbarButton> self(this);
    if (current() && current() != this)
        current()->exit();
    if (!self || hovered_ || !isEnabled() || !isVisible())
        return;
    hovered_ = true;
    current() = this;
    update();
    emit MouseEnter();
}

void ToolbarButton::exit() {
    if (!hovered_)
        return;
    hovered_ = false;
    if (current() == this)
        current() = nullptr;
    update();
    emit MouseExit();
}

// The mouse events skip QAbstractButton's handling, which would raise a second Click and
// knows nothing of the pointer pairs.
void ToolbarButton::enterEvent(QEnterEvent* event) {
    enter();
    QWidget::enterEvent(event);
}

void ToolbarButton::leaveEvent(QEvent* event) {
    exit();
    QWidget::leaveEvent(event);
}

void ToolbarButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    // Back over the button after a MouseExit that the pointer did not cause (the window
    // was deactivated or blocked): a new pair starts.
    if (inside && !hovered_ && !(event->buttons() & Qt::LeftButton))
        enter();
    if (pressed_ && inside != pressedIn_) {
        pressedIn_ = inside;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void ToolbarButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = pressedIn_ = true;
    update();
}

void ToolbarButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool over = rect().contains(event->position().toPoint());
    pressed_ = pressedIn_ = false;
    update();
    // The handler may open a modal dialog or close the window; nothing here runs after it.
    if (over && isEnabled())
        emit Click();
}

void ToolbarButton::keyPressEvent(QKeyEvent* event) {
    // Space is QAbstractButton's: pressed on the key's press, Click on its release.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        click();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (event->modifiers() != Qt::NoModifier)
            break;
        focusNextPrevChild(false);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (event->modifiers() != Qt::NoModifier)
            break;
        focusNextPrevChild(true);
        return;
    default:
        break;
    }
    QAbstractButton::keyPressEvent(event);
}

void ToolbarButton::hideEvent(QHideEvent* event) {
    pressed_ = pressedIn_ = false;
    // A visible window that is deleted hides its children from its base destructor, when
    // the handlers' own window object is already gone: end the hover without a signal then.
    if (watchedWindow_ && watchedWindow_->metaObject() != windowType_) {
        hovered_ = false;
        if (current() == this)
            current() = nullptr;
    }
    exit();
    QAbstractButton::hideEvent(event);
}

void ToolbarButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        pressed_ = pressedIn_ = false;
        exit();
    }
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        exit();
    if (event->type() == QEvent::FontChange)
        settingsChanged();
    QAbstractButton::changeEvent(event);
}

bool ToolbarButton::event(QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::ParentChange)
        watchWindow();
    return QAbstractButton::event(event);
}

void ToolbarButton::watchWindow() {
    QWidget* w = window();
    if (w == watchedWindow_ || w == this)
        return;
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = w;
    windowType_ = w->metaObject();
    w->installEventFilter(this);
    connect(w, &QObject::destroyed, this, [this, w] {
        if (watchedWindow_ == w)
            watchedWindow_ = nullptr;
    });
}

bool ToolbarButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_) {
        switch (event->type()) {
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
            pressed_ = pressedIn_ = false;
            exit();
            break;
        default:
            break;
        }
    }
    return QAbstractButton::eventFilter(watched, event);
}

// ---- geometry

QSize ToolbarButton::pictureSize() const {
    if (picture_.isNull() && focusedpicture_.isNull())
        return {};
    switch (pictsize_) {
    case PictSmall:
        return {16, 16};
    case PictLarge:
        return {32, 32};
    default:
        break;
    }
    QSize own;
    for (const QIcon* icon : {&picture_, &focusedpicture_}) {
        const auto sizes = icon->availableSizes();
        for (const QSize& s : sizes)
            own = own.expandedTo(s);
    }
    return own.isValid() ? own : QSize(32, 32);
}

QFont ToolbarButton::captionFont() const {
    QFont f = font();
    if (hovered_ && isEnabled()) {
        if (focusedbold_)
            f.setBold(true);
        if (focusedunderline_)
            f.setUnderline(true);
    }
    return f;
}

QSize ToolbarButton::contentSize() const {
    const QSize pict = pictureSize();
    QSize text;
    if (!caption_.isEmpty()) {
        QFont f = font();
        if (focusedbold_)
            f.setBold(true); // room for the wider, focused caption
        const QFontMetrics fm(f);
        text = QSize(fm.horizontalAdvance(caption_), fm.height());
    }
    if (pict.isEmpty())
        return text.isValid() ? text : QSize(0, 0);
    if (!text.isValid())
        return pict;
    const bool across = pictposition_ == PictLeft || pictposition_ == PictRight;
    if (across)
        return {pict.width() + distance_ + text.width(), std::max(pict.height(), text.height())};
    return {std::max(pict.width(), text.width()), pict.height() + distance_ + text.height()};
}

QSize ToolbarButton::sizeHint() const {
    const int frame = 2 * (kEdge + margin_) + 2; // +2: one pixel of air on each side
    return contentSize() + QSize(frame, frame);
}

QSize ToolbarButton::minimumSizeHint() const {
    return sizeHint();
}

// ---- painting

void ToolbarButton::drawEdge(QPainter& p, const QRect& r, bool sunken) const {
    auto ring = [&p](const QRect& q, const QColor& topLeft, const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(q.topLeft(), q.topRight() - QPoint(1, 0));
        p.drawLine(q.topLeft(), q.bottomLeft() - QPoint(0, 1));
        p.setPen(bottomRight);
        p.drawLine(q.bottomLeft(), q.bottomRight());
        p.drawLine(q.topRight(), q.bottomRight());
    };
    if (sunken) {
        ring(r, shadowcolorout_, lightcolorout_);
        ring(r.adjusted(1, 1, -1, -1), shadowcolorin_, lightcolorin_);
    } else {
        ring(r, lightcolorout_, shadowcolorout_);
        ring(r.adjusted(1, 1, -1, -1), lightcolorin_, shadowcolorin_);
    }
}

void ToolbarButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool enabled = isEnabled();
    const bool focused = hovered_ && enabled;
    const bool sunken = ((pressed_ && pressedIn_) || isDown()) && enabled;

    p.fillRect(rect(), focused ? focusedbkcolor_ : backcolor_);
    if (sunken)
        drawEdge(p, rect(), true);
    else if (style_ == StyleStandard || (focused && activeborder_))
        drawEdge(p, rect(), false);

    QRect area =
        rect().adjusted(kEdge + margin_, kEdge + margin_, -kEdge - margin_, -kEdge - margin_);
    if (sunken)
        area.translate(1, 1);

    // Picture, shrunk (keeping its shape) when the button is too small for it.
    const QIcon& icon = focused && !focusedpicture_.isNull() ? focusedpicture_ : picture_;
    QSize pict = pictureSize();
    QSize text;
    const QFont f = captionFont();
    if (!caption_.isEmpty()) {
        const QFontMetrics fm(f);
        text = QSize(fm.horizontalAdvance(caption_), fm.height());
    }
    const bool across = pictposition_ == PictLeft || pictposition_ == PictRight;
    QPixmap pixmap;
    QRect visible; // the part of the pixmap drawn, in its own pixels
    if (!pict.isEmpty() && !icon.isNull()) {
        QSize room = area.size();
        if (text.isValid()) {
            if (across)
                room.rwidth() -= text.width() + distance_;
            else
                room.rheight() -= text.height() + distance_;
        }
        room = room.expandedTo(QSize(1, 1));
        const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
        // The resolution of what is painted on (the screen, or a grab at another ratio).
        const QPaintEngine* engine = p.paintEngine();
        const qreal dpr = engine ? engine->paintDevice()->devicePixelRatioF() : devicePixelRatioF();
        pixmap = icon.pixmap(pict, dpr, mode);
        pict = pixmap.deviceIndependentSize().toSize();
        visible = QRect(QPoint(0, 0), pict);
        if (pict.width() > room.width() || pict.height() > room.height()) {
            // Too big for the button: show the painted part at full size when it fits,
            // otherwise shrink the whole picture.
            const QRect ink = paintedPart(pixmap);
            if (ink.width() <= room.width() && ink.height() <= room.height()) {
                const QSize cut = pict.boundedTo(room);
                visible = QRect(QPoint(std::clamp(ink.center().x() - cut.width() / 2, 0,
                                                  pict.width() - cut.width()),
                                       std::clamp(ink.center().y() - cut.height() / 2, 0,
                                                  pict.height() - cut.height())),
                                cut);
            } else {
                pixmap = icon.pixmap(pict.scaled(room, Qt::KeepAspectRatio), dpr, mode);
                visible = QRect(QPoint(0, 0), pixmap.deviceIndependentSize().toSize());
            }
            pict = visible.size();
        }
    }

    // Picture and caption as one block, centred.
    QSize block;
    if (pixmap.isNull())
        block = text.isValid() ? text : QSize();
    else if (!text.isValid())
        block = pict;
    else if (across)
        block = {pict.width() + distance_ + text.width(), std::max(pict.height(), text.height())};
    else
        block = {std::max(pict.width(), text.width()), pict.height() + distance_ + text.height()};
    const QPoint origin(area.left() + (area.width() - block.width()) / 2,
                        area.top() + (area.height() - block.height()) / 2);

    QRect pictRect, textRect;
    if (!pixmap.isNull() && text.isValid()) {
        switch (pictposition_) {
        case PictLeft:
            pictRect = QRect(origin.x(), origin.y() + (block.height() - pict.height()) / 2,
                             pict.width(), pict.height());
            textRect =
                QRect(pictRect.right() + 1 + distance_, origin.y(), text.width(), block.height());
            break;
        case PictRight:
            textRect = QRect(origin.x(), origin.y(), text.width(), block.height());
            pictRect = QRect(textRect.right() + 1 + distance_,
                             origin.y() + (block.height() - pict.height()) / 2, pict.width(),
                             pict.height());
            break;
        case PictBottom:
            textRect = QRect(origin.x(), origin.y(), block.width(), text.height());
            pictRect = QRect(origin.x() + (block.width() - pict.width()) / 2,
                             textRect.bottom() + 1 + distance_, pict.width(), pict.height());
            break;
        default: // above the caption
            pictRect = QRect(origin.x() + (block.width() - pict.width()) / 2, origin.y(),
                             pict.width(), pict.height());
            textRect =
                QRect(origin.x(), pictRect.bottom() + 1 + distance_, block.width(), text.height());
            break;
        }
    } else if (!pixmap.isNull()) {
        pictRect = QRect(origin, pict);
    } else if (text.isValid()) {
        textRect = QRect(origin, text);
    }

    if (!pixmap.isNull()) {
        const qreal dpr = pixmap.devicePixelRatio();
        p.drawPixmap(pictRect, pixmap,
                     QRectF(visible.x() * dpr, visible.y() * dpr, visible.width() * dpr,
                            visible.height() * dpr));
    }
    if (text.isValid()) {
        p.setFont(f);
        QColor colour = focused ? focusedfrcolor_ : forecolor_;
        if (!enabled) {
            // Etched, as disabled captions are drawn on button faces.
            p.setPen(lightcolorout_);
            p.drawText(textRect.translated(1, 1), Qt::AlignCenter, caption_);
            colour = shadowcolorin_;
        }
        p.setPen(colour);
        p.drawText(textRect, Qt::AlignCenter, caption_);
    }
    if (hasFocus()) {
        // A dotted frame that inverts what lies under it, readable on the face and on any
        // picture, and leaving the picture's own colours alone.
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(kEdge, kEdge, -kEdge - 1, -kEdge - 1));
    }
}

} // namespace vitalune
