// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DrawingSurface.h"

#include <array>

namespace vitalune {

struct ChartPictures {
    DrawingSurface& chart;
    DrawingSurface& physicalDial;
    DrawingSurface& emotionalDial;
    DrawingSurface& intellectualDial;
};

// Its dates come whole: each day already inside its month.
class ScreenChart {
public:
    int dayWidth = 0;
    int amplitude = 0;
    float ageInDays = 0; // age at the chart's x = 0
    std::array<float, 3> phases{};
    int chartLeft = 0;  // left edge of day 1's column
    int chartRight = 0; // right edge of the last day's column
    int cursorX = 0;
    // Dial hand end points per cycle, indexed by day of the month (1..31).
    std::array<std::array<int, 32>, 3> dialX{};
    std::array<std::array<int, 32>, 3> dialY{};
    bool drawn = false; // a whole chart stands since the pictures were last cleared

    // Redraws the chart and dials; false when a drawing failed, leaving what was drawn.
    bool redraw(Date birth, Date target, ChartPictures pictures);
    // Moves the exclusive-or cursor to the given day without redrawing the chart.
    bool moveDayCursor(int day, DrawingSurface& chart);

private:
    bool drawCursor(DrawingSurface& chart);
};

} // namespace vitalune
