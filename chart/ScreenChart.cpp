// SPDX-License-Identifier: MIT
#include "ScreenChart.h"

#include "Cycles.h"
#include "Numbers.h"

#include <cmath>

namespace vitalune {

namespace {
const Colour kGrey = rgb(128, 128, 128);
const Colour kNavy = rgb(0, 0, 128);
const Colour kWhite = rgb(255, 255, 255);
const Colour kBlack = rgb(0, 0, 0);
} // namespace

bool ScreenChart::redraw(Date birth, Date target, ChartPictures p) {
    amplitude = kAmplitude;
    dayWidth = kDayWidth;

    DrawingSurface* dials[3] = {&p.physicalDial, &p.emotionalDial, &p.intellectualDial};
    for (auto* dial : dials)
        if (!dial->clear())
            return false;
    for (DrawingSurface* s : {&p.chart, &p.physicalDial, &p.emotionalDial, &p.intellectualDial})
        s->setPenMode(PenMode::Copy);

    ageInDays = baseDays(birth, target);
    chartLeft = dayWidth + 7;
    const int days = daysInMonth(target.month, target.year);
    chartRight = days * dayWidth + chartLeft;

    auto& chart = p.chart;
    if (!chart.clear())
        return false;

    chart.setFontName("MS Sans Serif");
    chart.setLineStyle(LineStyle::Solid);
    chart.setFontSize(14);
    chart.setFontBold(true);
    chart.setCurrentY(0);
    chart.setCurrentX(190);
    if (!chart.text({trimmed(paddedMonthName(target.month)), "  ", zeroPadded(target.year, 4)}))
        return false;

    chart.setFontName("Small Fonts");
    chart.setFontBold(false);
    chart.setFontSize(6.75f);

    if (!chart.line(0, 100, 471, 100, kGrey) ||
        !chart.line(chartLeft - 1, 0, chartLeft - 1, 199, kGrey) ||
        !chart.line(chartRight + 1, 0, chartRight + 1, 199, kGrey))
        return false;

    for (int d = 1; d <= days; ++d) {
        const int e = (d - 1) * dayWidth + chartLeft;
        const std::string& abbreviation =
            weekdayAbbreviation(weekday(dayNumber(target.year, target.month, d)));
        chart.setCurrentX(e + 4);
        chart.setCurrentY(85);
        if (!chart.text(abbreviation))
            return false;
        chart.setCurrentX(d > 9 ? e + 2 : e + 5);
        chart.setCurrentY(105);
        if (!chart.text(std::to_string(d)))
            return false;
        if (abbreviation == "S " && !chart.line(e, 100, e + 14, 100, kNavy))
            return false;
    }

    chart.setLineWidth(1);
    for (int c = 0; c < 3; ++c)
        phases[c] = phase(ageInDays, Cycles[c].period);

    // Each segment starts where the last ended, rounded; the first from the exact x = 0.
    int previousX = 0;
    std::array<int, 3> previousY{};
    for (int c = 0; c < 3; ++c)
        previousY[c] = roundHalfToEven(100.0 - amplitude * std::sin(kFullTurn * phases[c]));

    // A sample every 7 pixels, half a day: every other one is a column centre (dial points).
    int alternation = 1;
    int day = 0;
    for (int x = 0; x <= 496; x += 7) {
        std::array<float, 3> y{};
        for (int c = 0; c < 3; ++c)
            y[c] = ordinate(x, Cycles[c].period, phases[c]);
        for (int c = 0; c < 3; ++c)
            if (!chart.line(previousX, previousY[c], x, y[c], Cycles[c].screenColour))
                return false;
        previousX = x;
        for (int c = 0; c < 3; ++c)
            previousY[c] = roundHalfToEven(y[c]);

        if (x > chartLeft && x < chartRight && ++alternation == 2) {
            alternation = 0;
            ++day;
            for (int c = 0; c < 3; ++c) {
                const DialPoint point = dialPoint(x, Cycles[c].period, phases[c]);
                dialX[c][day] = point.x;
                dialY[c][day] = point.y;
            }
        }
    }

    drawn = true;

    // Cover the pointer painted on each dial's face.
    for (auto* dial : dials)
        if (!dial->line(27, 6, 27, 25, kBlack))
            return false;

    for (DrawingSurface* s : {&p.physicalDial, &p.emotionalDial, &p.intellectualDial, &p.chart})
        s->setPenMode(PenMode::Xor);
    chart.setLineStyle(LineStyle::Dot);

    cursorX = dayWidth * target.day + chartLeft - 7;
    if (!drawCursor(chart))
        return false;

    for (int c = 0; c < 3; ++c)
        if (!dials[c]->line(dialX[c][target.day], dialY[c][target.day], 27, 27,
                            Cycles[c].screenColour))
            return false;
    return true;
}

bool ScreenChart::moveDayCursor(int day, DrawingSurface& chart) {
    if (!drawCursor(chart))
        return false;
    cursorX = dayWidth * day + chartLeft - 7;
    return drawCursor(chart);
}

bool ScreenChart::drawCursor(DrawingSurface& chart) {
    return chart.line(cursorX, 0, cursorX, 199, kWhite);
}

} // namespace vitalune
