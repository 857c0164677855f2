// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vitalune {

// A colour as the drawing code passes it around: 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return Colour(r & 0xFF) | Colour(g & 0xFF) << 8 | Colour(b & 0xFF) << 16;
}
constexpr int redOf(Colour c) {
    return int(c & 0xFF);
}
constexpr int greenOf(Colour c) {
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c) {
    return int((c >> 16) & 0xFF);
}

// How a line combines with the pixels under it. Drawn twice with Xor, a line restores them.
enum class PenMode { Xor, Copy };
// The pen pattern of later lines (Dash on the printer only).
enum class LineStyle { Solid, Dash, Dot };

// Kept between calls and redraws: the cursor code relies on it.
struct SurfaceState {
    float currentX = 0;
    float currentY = 0;
    std::string fontName = "MS Sans Serif";
    float fontSize = 8.25f;
    bool fontBold = false;
    PenMode penMode = PenMode::Copy;
    LineStyle lineStyle = LineStyle::Solid;
    int lineWidth = 1;

    bool operator==(const SurfaceState&) const = default;
};

// A failing operation returns false: the screen chart stops, the printed page skips it.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    const SurfaceState& state() const { return state_; }

    void setCurrentX(float x) { state_.currentX = x; }
    void setCurrentY(float y) { state_.currentY = y; }
    void setFontName(std::string name) { state_.fontName = std::move(name); }
    void setFontSize(float points) { state_.fontSize = points; }
    void setFontBold(bool bold) { state_.fontBold = bold; }
    void setPenMode(PenMode m) { state_.penMode = m; }
    void setLineStyle(LineStyle s) { state_.lineStyle = s; }
    void setLineWidth(int w) { state_.lineWidth = w; }

    // Erases every line and text, bringing back the background (picture boxes only).
    virtual bool clear() = 0;
    // A segment between two absolute points with the current width, style and pen mode.
    virtual bool line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // Draws the items one after the other from the top-left corner (currentX, currentY).
    bool text(std::initializer_list<std::string_view> items) {
        return drawText(std::vector<std::string>(items.begin(), items.end()));
    }
    bool text(std::string_view item) { return text({item}); }
    // Ends the print job (printer only); the single page drawn is printed.
    virtual bool finishPage() = 0;

protected:
    // Items are UTF-8 text.
    virtual bool drawText(const std::vector<std::string>& items) = 0;

private:
    SurfaceState state_;
};

} // namespace vitalune
