// SPDX-License-Identifier: MIT
#include "PictureBox.h"

#include "DoubleResolution.h"
#include "FontTable.h"
#include "PictureFile.h"
#include "RasterLine.h"
#include "SystemColours.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace vitalune {

namespace {

constexpr std::size_t kMaxSprites = 1024;

QSize deviceSize(QSize logical, qreal ratio) {
    return QSize(int(std::ceil(logical.width() * ratio)), int(std::ceil(logical.height() * ratio)));
}

} // namespace

// A text rendered once in one font and colour, with its offset from the text's top-left.
struct PictureBox::Sprite {
    QImage pixels; // premultiplied ARGB
    QPoint offset;
};

struct PictureBox::FontEntry {
    QFont font;
    int ascent = 0;
    std::unordered_map<std::string, Sprite> sprites;
};

PictureBox::PictureBox(QSize pixels, QWidget* parent)
    : QWidget(parent), image_(pixels.expandedTo(QSize(0, 0)), QImage::Format_RGB32) {
    setFixedSize(image_.size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    rebuildBackground();
    clear();
    // On a high-resolution screen the image takes its device pixels from the start.
    setPixelRatio(devicePixelRatioF());
    clear();
}

PictureBox::~PictureBox() = default;

void PictureBox::setBackColour(const QColor& colour) {
    backColour_ = colour;
    rebuildBackground();
    clear();
}

void PictureBox::setBackgroundPicture(const QImage& picture) {
    backgroundPicture_ = picture;
    backgroundPath_.clear();
    rebuildBackground();
    clear();
}

void PictureBox::setBackgroundPicture(const QString& path) {
    backgroundPicture_ = readPicture(path);
    backgroundPath_ = path;
    rebuildBackground();
    clear();
}

void PictureBox::setPictureFilter(PictureFilter filter) {
    pictureFilter_ = std::move(filter);
    rebuildBackground();
    clear();
}

QImage PictureBox::pictureForRatio() const {
    if (ratio_ > 1 && !backgroundPath_.isEmpty()) {
        // The coarsest version at least as fine as the screen, so none is enlarged needlessly.
        QString path;
        double drawnFor = 1;
        for (const double r : {1.5, 2.0}) {
            const QString candidate = resolutionPath(backgroundPath_, r);
            if (!QFileInfo::exists(candidate))
                continue;
            path = candidate;
            drawnFor = r;
            if (r >= ratio_)
                break;
        }
        QImage picture = path.isEmpty() ? QImage() : readPicture(path);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(drawnFor);
            return picture;
        }
    }
    return backgroundPicture_;
}

void PictureBox::setPixelRatio(qreal ratio) {
    if (!(ratio > 0) || ratio > 16 || ratio == ratio_)
        return;
    const qreal before = ratio_;
    ratio_ = ratio;
    const QImage old = image_;
    image_ = QImage(deviceSize(size(), ratio), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    fonts_.clear();
    lastFont_ = nullptr;
    rebuildBackground();
    if (image_.isNull())
        return;
    // Keep what was drawn, at the new size, until the owner draws it again.
    {
        QImage kept = old;
        kept.setDevicePixelRatio(before);
        QPainter p(&image_);
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(size())), kept);
    }
    requested_ = QRect(); // it counted pixels of the old image
    touched(image_.rect());
    emit pixelRatioChanged();
}

long PictureBox::toDevice(float v) const {
    const double d = std::clamp(double(v) * ratio_, -1e9, 1e9);
    return long(std::floor(d + 0.5));
}

void PictureBox::rebuildBackground() {
    QImage picture = pictureForRatio();
    if (pictureFilter_ && !picture.isNull())
        picture = pictureFilter_(picture);
    // A plain colour is kept as a colour: a copy of the whole image would only repeat it.
    cleared_ = picture.isNull() ? QImage() : QImage(image_.size(), QImage::Format_RGB32);
    if (cleared_.isNull())
        return;
    cleared_.setDevicePixelRatio(ratio_);
    cleared_.fill(backColour_.rgb());
    QPainter p(&cleared_);
    p.drawImage(0, 0, picture);
}

bool PictureBox::clear() {
    if (image_.isNull())
        return true;
    // The colour filled in, or the background copied: same size and format, no reallocation.
    if (cleared_.isNull())
        image_.fill(backColour_.rgb());
    else
        std::memcpy(image_.bits(), cleared_.constBits(), std::size_t(image_.sizeInBytes()));
    touched(image_.rect());
    return true;
}

bool PictureBox::line(float x1, float y1, float x2, float y2, Colour colour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    const SurfaceState& s = state();
    const RasterPen pen{toQColor(colour).rgb(), s.penMode == PenMode::Xor, s.lineStyle,
                        s.lineWidth};
    touched(drawRasterLine(image_, x1, y1, x2, y2, pen, ratio_));
    return true;
}

PictureBox::FontEntry& PictureBox::currentFont() {
    const SurfaceState& s = state();
    const auto key = std::tie(s.fontName, s.fontSize, s.fontBold);
    if (lastFont_ && key == lastFontKey_)
        return *lastFont_;
    auto& slot = fonts_[FontKey(key)];
    if (!slot) {
        slot = std::make_unique<FontEntry>();
        slot->font = substituteFont(s.fontName, s.fontSize, s.fontBold);
        // Small labels read best in whole pixels, as bitmap fonts did; finer screens smooth them.
        if (slot->font.pixelSize() * ratio_ < 12)
            slot->font.setStyleStrategy(QFont::NoAntialias);
        slot->ascent = QFontMetrics(slot->font).ascent();
    }
    lastFont_ = slot.get();
    lastFontKey_ = key;
    return *lastFont_;
}

const PictureBox::Sprite& PictureBox::spriteFor(FontEntry& font, const std::string& text,
                                                QRgb colour) {
    std::string key(reinterpret_cast<const char*>(&colour), sizeof colour);
    key += text;
    auto found = font.sprites.find(key);
    if (found != font.sprites.end())
        return found->second;
    if (font.sprites.size() >= kMaxSprites)
        font.sprites.clear();

    const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFontMetrics fm(font.font);
    const QRect ink = fm.boundingRect(s).translated(0, font.ascent); // relative to the top
    const QRect cell(0, 0, fm.horizontalAdvance(s), fm.height());
    QRect box = ink.united(cell);
    if (ratio_ != 1) {
        // Glyphs hinted at the device size may reach a little past the logical ink.
        box.adjust(-1, -1, 1, 1);
        box = QRectF(box.left() * ratio_, box.top() * ratio_, box.width() * ratio_,
                     box.height() * ratio_)
                  .toAlignedRect();
    }

    Sprite sprite;
    sprite.offset = box.topLeft(); // device pixels
    sprite.pixels = QImage(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    sprite.pixels.setDevicePixelRatio(ratio_);
    sprite.pixels.fill(Qt::transparent);
    {
        QPainter p(&sprite.pixels);
        p.setFont(font.font);
        p.setPen(QColor::fromRgb(colour));
        if (ratio_ == 1)
            p.drawText(QPoint(-box.left(), font.ascent - box.top()), s);
        else
            p.drawText(QPointF(-box.left() / ratio_, font.ascent - box.top() / ratio_), s);
    }
    return font.sprites.emplace(std::move(key), std::move(sprite)).first->second;
}

void PictureBox::blend(const Sprite& sprite, int x, int y) {
    const QRect target = QRect(QPoint(x, y) + sprite.offset, sprite.pixels.size());
    const QRect clip = target.intersected(image_.rect());
    if (clip.isEmpty())
        return;
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int row = clip.top(); row <= clip.bottom(); ++row) {
        const QRgb* src =
            reinterpret_cast<const QRgb*>(sprite.pixels.constScanLine(row - target.top())) +
            (clip.left() - target.left());
        QRgb* dst = reinterpret_cast<QRgb*>(bits + row * stride) + clip.left();
        for (int i = 0; i < clip.width(); ++i) {
            const QRgb s = src[i];
            const uint a = qAlpha(s);
            if (a == 0)
                continue;
            if (a == 255) {
                dst[i] = s;
                continue;
            }
            const QRgb d = dst[i];
            const uint ia = 255 - a;
            auto mix = [ia](uint sc, uint dc) { return sc + (dc * ia + 127) / 255; };
            dst[i] = qRgb(int(mix(qRed(s), qRed(d))), int(mix(qGreen(s), qGreen(d))),
                          int(mix(qBlue(s), qBlue(d))));
        }
    }
    touched(clip);
}

bool PictureBox::drawText(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items)
        text += item;
    const SurfaceState& s = state();
    if (text.empty() || image_.isNull())
        return true;
    if (!std::isfinite(s.currentX) || !std::isfinite(s.currentY))
        return false;
    FontEntry& font = currentFont();
    const Sprite& sprite = spriteFor(font, text, foreColour().rgb());
    blend(sprite, int(toDevice(s.currentX)), int(toDevice(s.currentY)));
    return true;
}

void PictureBox::touched(const QRect& area) {
    if (area.isEmpty() || requested_.contains(area))
        return;
    // One growing rectangle per paint keeps the repaint bookkeeping to a few calls per redraw.
    requested_ = requested_.united(area);
    const QRectF r = requested_;
    update(QRectF(r.x() / ratio_, r.y() / ratio_, r.width() / ratio_, r.height() / ratio_)
               .toAlignedRect());
}

void PictureBox::paintEvent(QPaintEvent* event) {
    requested_ = QRect();
    QPainter p(this);
    if (ratio_ == 1) {
        const QRect r = event->rect().intersected(image_.rect());
        p.drawImage(r.topLeft(), image_, r);
        return;
    }
    // Device pixel for device pixel; the painter clips to the area asked for.
    p.setClipRegion(event->region());
    p.drawImage(QPointF(0, 0), image_);
}

bool PictureBox::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) // another screen's resolution
        setPixelRatio(devicePixelRatioF());
    return QWidget::event(event);
}

} // namespace vitalune
