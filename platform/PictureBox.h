#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace vitalune {

// A picture box: a fixed-size widget that keeps everything drawn on it in a raster image
// and paints from that image, so nothing is lost while the window is covered, until Cls.
// Lines are set pixel by pixel without smoothing, so the exclusive-or pen restores exactly.
class PictureBox : public QWidget, public DrawingSurface {
    Q_OBJECT
public:
    explicit PictureBox(QSize pixels, QWidget* parent = nullptr);
    ~PictureBox() override;

    // Background colour and picture (drawn at the top-left corner) that Cls brings back.
    // Setting either clears the box.
    void setBackColour(const QColor& colour);
    QColor backColour() const { return backColour_; }
    void setBackgroundPicture(const QImage& picture);
    const QImage& backgroundPicture() const { return backgroundPicture_; }
    // Colour of printed text; the palette's window-text colour unless set.
    void setForeColour(const QColor& colour);
    QColor foreColour() const;

    // What the box shows (RGB32, one pixel per pixel of the box).
    const QImage& image() const { return image_; }

    bool Cls() override;
    bool Line(float x1, float y1, float x2, float y2, Colour colour) override;
    // A picture box is not a print job.
    bool EndDoc() override { return false; }

protected:
    bool printItems(const std::vector<std::string>& items) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Sprite;
    struct FontEntry;

    void rebuildBackground();
    void touched(const QRect& area);
    FontEntry& currentFont();
    const Sprite& spriteFor(FontEntry& font, const std::string& text, QRgb colour);
    void blend(const Sprite& sprite, int x, int y);

    QImage image_;
    QImage cleared_; // the background as Cls restores it
    QColor backColour_ = Qt::white;
    QImage backgroundPicture_;
    std::optional<QColor> foreColour_;
    QRect requested_; // area already handed to update() since the last paint

    std::unordered_map<std::string, std::unique_ptr<FontEntry>> fonts_;
    FontEntry* lastFont_ = nullptr;
    std::string lastFontName_;
    float lastFontSize_ = -1;
    bool lastFontBold_ = false;
};

} // namespace vitalune
