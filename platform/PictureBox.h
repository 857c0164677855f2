// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

namespace vitalune {

// Keeps drawings in device pixels, unsmoothed so the exclusive-or pen restores exactly.
class PictureBox : public QWidget, public DrawingSurface {
    Q_OBJECT
public:
    explicit PictureBox(QSize pixels, QWidget* parent = nullptr);
    ~PictureBox() override;

    // What clear() brings back; setting either clears the box.
    void setBackColour(const QColor& colour);
    void setBackgroundPicture(const QImage& picture);
    // On finer screens the "@1.5x" or "@2x" version beside the file, the coarsest fine enough.
    void setBackgroundPicture(const QString& path);
    // Applied to the background picture (to lay it on the window's colours); clears the box.
    using PictureFilter = std::function<QImage(const QImage&)>;
    void setPictureFilter(PictureFilter filter);
    // Colour of printed text; the palette's window-text colour unless set.
    void setForeColour(const QColor& colour) { foreColour_ = colour; }
    QColor foreColour() const {
        return foreColour_.value_or(palette().color(QPalette::WindowText));
    }

    // What the box shows (RGB32, at the pixel ratio below).
    const QImage& image() const { return image_; }

    // Device pixels to a logical pixel; the picture is scaled until the owner redraws.
    void setPixelRatio(qreal ratio);

    bool clear() override;
    bool line(float x1, float y1, float x2, float y2, Colour colour) override;
    // A picture box is not a print job.
    bool finishPage() override { return false; }

signals:
    void pixelRatioChanged();

protected:
    bool drawText(const std::vector<std::string>& items) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Sprite;
    struct FontEntry;

    void rebuildBackground();
    QImage pictureForRatio() const;
    long toDevice(float v) const;
    void touched(const QRect& area);
    FontEntry& currentFont();
    const Sprite& spriteFor(FontEntry& font, const std::string& text, QRgb colour);
    void blend(const Sprite& sprite, int x, int y);

    QImage image_;
    QImage cleared_; // the background picture as clear() restores it; null for a plain colour
    QColor backColour_ = Qt::white;
    QImage backgroundPicture_;
    QString backgroundPath_;
    PictureFilter pictureFilter_;
    qreal ratio_ = 1;
    std::optional<QColor> foreColour_;
    QRect requested_; // area already handed to update() since the last paint

    using FontKey = std::tuple<std::string, float, bool>; // name, size, bold
    std::map<FontKey, std::unique_ptr<FontEntry>> fonts_;
    FontEntry* lastFont_ = nullptr;
    FontKey lastFontKey_;
};

} // namespace vitalune
