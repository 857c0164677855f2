// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DrawingSurface.h"

#include <array>
#include <cstdint>

namespace vitalune {

// The pen of one cycle's curve and legend sample on paper.
struct PrintPen {
    std::int16_t width;
    LineStyle style;
    Colour colour;
    bool operator==(const PrintPen&) const = default;
};

// How the page is printed, as the printer-type dialog asks.
enum class PrintMode { Colour, BlackAndWhite };

// Pens for Físico, Emocional, Intelectual: thick red, blue and green in colour; thin black,
// solid, dashed and dotted in black and white.
std::array<PrintPen, 3> printPens(PrintMode mode);

// The printed biorhythm page: a title, the birth date and two monthly charts, the
// reference month and the month after it, at fixed printer-pixel positions.
//
// The dates come from the window's date model. Every step is attempted in its turn and a
// step that fails (a drawing operation that returns false, an arithmetic or table fault) is
// skipped, so the page always reaches finishPage. The working values are kept from one page to the
// next, as the page printer that owns the page keeps them: a step that fails leaves the value
// of the previous page in place.
class PrintedPage {
public:
    // Draws the page on the printer and ends the job. Returns finishPage's result.
    bool draw(DrawingSurface& printer, Date birth, Date reference, PrintMode mode);

    // Working values, as the last page left them.
    struct Working {
        std::int16_t currentX = 0;
        std::int16_t previousX = 0;
        std::array<std::int16_t, 3> previousY{};
        float dayOffset = 0;
        std::array<float, 3> currentY{};
        std::array<float, 3> phase{};
        std::int16_t birthDay = 0, birthMonth = 0, birthYear = 0;
        std::int16_t chartDay = 0, chartMonth = 0, chartYear = 0;
    };
    const Working& working() const { return w_; }

private:
    void normaliseChartMonth();
    void prepareMonth();
    void drawHeader(DrawingSurface& p);
    void drawChart(DrawingSurface& p, int dy, const std::array<PrintPen, 3>& pens);
    void drawCurves(DrawingSurface& p, int dy, const std::array<PrintPen, 3>& pens);

    Working w_;
};

// Convenience for a one-off page with fresh working values.
bool printPage(DrawingSurface& printer, Date birth, Date reference, PrintMode mode);

} // namespace vitalune
