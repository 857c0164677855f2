// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DrawingSurface.h"

#include <array>
#include <cstdint>

namespace vitalune {

struct PrintPen {
    std::int16_t width;
    LineStyle style;
    Colour colour;
};

enum class PrintMode { Colour, BlackAndWhite };

// Físico, Emocional, Intelectual: thick red, blue, green; or thin black solid, dash, dot.
std::array<PrintPen, 3> printPens(PrintMode mode);

// A failed step is skipped, leaving the previous page's working value in place.
class PrintedPage {
public:
    // Draws the page on the printer and ends the job. Returns finishPage's result.
    bool draw(DrawingSurface& printer, Date birth, Date reference, PrintMode mode);

private:
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
    void normaliseChartMonth();
    void prepareMonth();
    void drawHeader(DrawingSurface& p);
    void drawChart(DrawingSurface& p, int dy, const std::array<PrintPen, 3>& pens);
    void drawCurves(DrawingSurface& p, int dy, const std::array<PrintPen, 3>& pens);

    Working w_;
};

} // namespace vitalune
