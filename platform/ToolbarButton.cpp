// SPDX-License-Identifier: MIT
#include "ToolbarButton.h"

#include "DoubleResolution.h"
#include "PictureFile.h"
#include "SystemColours.h"
#include "Toolbar.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace vitalune {

namespace {

constexpr int kEdge = 2; // two rings of the 3D edge

QRect paintedPart(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                ink |= QRect(x, y, 1, 1);
    }
    if (ink.isNull())
        return {};
    const qreal dpr = pixmap.devicePixelRatio();
    return QRect(QPoint(int(ink.left() / dpr), int(ink.top() / dpr)),
                 QPoint(int(std::ceil((ink.right() + 1) / dpr)) - 1,
                        int(std::ceil((ink.bottom() + 1) / dpr)) - 1));
}

// Raised, the light colours are on the top and left sides; sunken, the shadow colours.
void drawEdge(QPainter& p, const QRect& r, const QPalette& pal, bool sunken) {
    auto ring = [&p, sunken](const QRect& q, const QColor& light, const QColor& shadow) {
        p.setPen(sunken ? shadow : light);
        p.drawLine(q.topLeft(), q.topRight() - QPoint(1, 0));
        p.drawLine(q.topLeft(), q.bottomLeft() - QPoint(0, 1));
        p.setPen(sunken ? light : shadow);
        p.drawLine(q.bottomLeft(), q.bottomRight());
        p.drawLine(q.topRight(), q.bottomRight());
    };
    ring(r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
    ring(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
}

// The last key or mouse press decides: desktops show focus frames to keyboard users only.
class KeyboardInUse : public QObject {
public:
    static bool now() { return watcher() && watcher()->keyboard_; }

    static void watch() {
        if (watcher() || !qApp)
            return;
        watcher() = new KeyboardInUse(qApp);
        qApp->installEventFilter(watcher());
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        const bool key = type == QEvent::KeyPress || type == QEvent::ShortcutOverride ||
                         type == QEvent::Shortcut;
        const bool press = type == QEvent::MouseButtonPress ||
                           type == QEvent::MouseButtonDblClick || type == QEvent::TouchBegin;
        if ((key || press) && key != keyboard_) {
            keyboard_ = key;
            if (auto* focused = qobject_cast<ToolbarButton*>(QApplication::focusWidget()))
                focused->update();
        }
        return false;
    }

private:
    using QObject::QObject;

    static QPointer<KeyboardInUse>& watcher() {
        static QPointer<KeyboardInUse> one;
        return one;
    }

    bool keyboard_ = false;
};

// On a dark face a picture shows in lightened ink, made once per picture and face.
QPixmap onFace(const QPixmap& pixmap, const QColor& face) {
    if (!isDark(face))
        return pixmap;
    const QString key =
        QStringLiteral("vitalune-on-face/%1/%2").arg(pixmap.cacheKey()).arg(face.rgba(), 0, 16);
    QPixmap shown;
    if (!QPixmapCache::find(key, &shown)) {
        shown = QPixmap::fromImage(readableOn(pixmap.toImage(), face));
        shown.setDevicePixelRatio(pixmap.devicePixelRatio());
        QPixmapCache::insert(key, shown);
    }
    return shown;
}

} // namespace

ToolbarButton::ToolbarButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus); // a mouse click leaves the focus where it was
    setAttribute(Qt::WA_OpaquePaintEvent);
    setIconSize(QSize(16, 16));
    KeyboardInUse::watch();
}

void ToolbarButton::setAction(QAction* action) {
    action_ = action;
    auto follow = [this, action] {
        setIcon(action->icon());
        setText(action->iconText());
        setAccessibleName(action->text());
        setEnabled(action->isEnabled());
    };
    follow();
    connect(action, &QAction::changed, this, follow);
    connect(this, &QAbstractButton::clicked, action, &QAction::trigger);
}

QIcon ToolbarButton::picture(const QString& plain, const QString& hovered) {
    QIcon icon;
    for (auto [path, mode] : {std::pair{plain, QIcon::Normal}, std::pair{hovered, QIcon::Active}}) {
        if (path.isEmpty())
            continue;
        icon.addPixmap(readPixmap(path), mode);
        icon.addPixmap(readPixmap(doubleResolutionPath(path)), mode); // with a pixel ratio of 2
    }
    return icon;
}

bool ToolbarButton::isHovered() const {
    if (const auto* bar = qobject_cast<const Toolbar*>(parentWidget()))
        return bar->hoveredButton() == this;
    return underMouse();
}

void ToolbarButton::enterEvent(QEnterEvent* event) {
    update();
    QAbstractButton::enterEvent(event);
}

void ToolbarButton::leaveEvent(QEvent* event) {
    update();
    QAbstractButton::leaveEvent(event);
}

void ToolbarButton::keyPressEvent(QKeyEvent* event) {
    // Space and the arrow keys are QAbstractButton's; Enter and Return click as well.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier))
        click();
    else
        QAbstractButton::keyPressEvent(event);
}

void ToolbarButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const bool hovered = isHovered() && isEnabled();
    const bool sunken = isDown() && isEnabled();

    p.fillRect(rect(), pal.color(QPalette::Button));
    if (sunken || hovered)
        drawEdge(p, rect(), pal, sunken);
    QRect area = rect().adjusted(kEdge, kEdge, -kEdge, -kEdge);
    if (sunken)
        area.translate(1, 1);
    auto centred = [&area](QSize size) {
        return QRect(QPoint(area.left() + (area.width() - size.width()) / 2,
                            area.top() + (area.height() - size.height()) / 2),
                     size);
    };

    if (!icon().isNull()) {
        const QIcon::Mode mode = !isEnabled() ? QIcon::Disabled
                                 : hovered    ? QIcon::Active
                                              : QIcon::Normal;
        // The resolution of what is painted on (the screen, or a grab at another ratio).
        const QPaintEngine* engine = p.paintEngine();
        const qreal dpr = engine ? engine->paintDevice()->devicePixelRatioF() : devicePixelRatioF();
        QPixmap pixmap = icon().pixmap(iconSize(), dpr, mode);
        QSize pict = pixmap.deviceIndependentSize().toSize();
        QRect visible(QPoint(0, 0), pict); // the part of the pixmap drawn, in its own pixels
        const QSize room = area.size().expandedTo(QSize(1, 1));
        if (pict.width() > room.width() || pict.height() > room.height()) {
            // Too big: the painted part at full size when it fits, else the picture shrunk.
            const QRect ink = paintedPart(pixmap);
            if (ink.width() <= room.width() && ink.height() <= room.height()) {
                const QSize cut = pict.boundedTo(room);
                visible = QRect(QPoint(std::clamp(ink.center().x() - cut.width() / 2, 0,
                                                  pict.width() - cut.width()),
                                       std::clamp(ink.center().y() - cut.height() / 2, 0,
                                                  pict.height() - cut.height())),
                                cut);
            } else {
                pixmap = icon().pixmap(pict.scaled(room, Qt::KeepAspectRatio), dpr, mode);
                visible = QRect(QPoint(0, 0), pixmap.deviceIndependentSize().toSize());
            }
        }
        pixmap = onFace(pixmap, pal.color(QPalette::Button));
        const qreal ratio = pixmap.devicePixelRatio();
        p.drawPixmap(centred(visible.size()), pixmap,
                     QRectF(QPointF(visible.topLeft()) * ratio, QSizeF(visible.size()) * ratio));
    } else if (!text().isEmpty()) {
        QFont f = font();
        f.setUnderline(hovered);
        p.setFont(f);
        const QFontMetrics fm(f);
        p.setPen(pal.color(hovered ? QPalette::Link : QPalette::ButtonText));
        p.drawText(centred(QSize(fm.horizontalAdvance(text()), fm.height())), Qt::AlignCenter,
                   text());
    }

    if (hasFocus() && KeyboardInUse::now()) {
        // Keyboard users only: an inverting dotted frame, readable on any face or picture.
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(kEdge, kEdge, -kEdge - 1, -kEdge - 1));
    }
}

} // namespace vitalune
