// SPDX-License-Identifier: MIT
#include "PrintedPage.h"

#include "Calendar.h"
#include "Cycles.h"
#include "Numbers.h"

#include <cmath>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vitalune {

namespace {

constexpr Colour kBlack = rgb(0, 0, 0);

constexpr int kSecondChart = 1500; // the same block, lower on the page

// A step that throws is skipped: a faulty value costs one element, never the page.
template <typename F> void attempt(F&& step) noexcept {
    try {
        step();
    } catch (const std::exception&) {
        // Skipped on purpose: the next step runs.
    }
}

// Text at its top-left corner. A failed text only loses this text.
void text(DrawingSurface& p, float x, float y, std::initializer_list<std::string_view> items) {
    p.setCurrentX(x);
    p.setCurrentY(y);
    p.text(items);
}

struct LegendPlace {
    float textX, sampleX1, sampleX2;
};
constexpr std::array<LegendPlace, 3> kLegend = {
    {{600, 490, 590}, {1110, 1000, 1100}, {1660, 1550, 1650}}};

} // namespace

std::array<PrintPen, 3> printPens(PrintMode mode) {
    if (mode == PrintMode::Colour)
        return {{{3, LineStyle::Solid, rgb(255, 0, 0)},
                 {3, LineStyle::Solid, rgb(0, 0, 255)},
                 {3, LineStyle::Solid, rgb(0, 255, 0)}}};
    return {
        {{1, LineStyle::Solid, kBlack}, {1, LineStyle::Dash, kBlack}, {1, LineStyle::Dot, kBlack}}};
}

bool PrintedPage::draw(DrawingSurface& p, Date birth, Date reference, PrintMode mode) {
    // Dates are whole and inside the controls' ranges: they fit the page's 16-bit fields.
    const auto chartFrom = [&] {
        w_.chartDay = static_cast<std::int16_t>(reference.day);
        w_.chartMonth = static_cast<std::int16_t>(reference.month);
        w_.chartYear = static_cast<std::int16_t>(reference.year);
    };
    w_.birthDay = static_cast<std::int16_t>(birth.day);
    w_.birthMonth = static_cast<std::int16_t>(birth.month);
    w_.birthYear = static_cast<std::int16_t>(birth.year);
    chartFrom();
    normaliseChartMonth();
    prepareMonth();

    p.setPenMode(PenMode::Copy);
    p.setFontName("Courier New");
    const auto pens = printPens(mode);

    drawHeader(p);
    drawChart(p, 0, pens);

    chartFrom();
    normaliseChartMonth();
    ++w_.chartMonth;
    normaliseChartMonth();
    prepareMonth();
    drawChart(p, kSecondChart, pens);

    bool printed = false;
    attempt([&] { printed = p.finishPage(); });
    return printed;
}

// Month 13 or 0 is charted as the real month, so the month after never leaves the tables.
void PrintedPage::normaliseChartMonth() {
    if (w_.chartMonth == 13) {
        w_.chartYear = w_.chartYear + 1;
        w_.chartMonth = 1;
    } else if (w_.chartMonth == 0) {
        w_.chartYear = w_.chartYear - 1;
        w_.chartMonth = 12;
    }
}

void PrintedPage::prepareMonth() {
    // Days from birth to the last day of the month before the chart's.
    w_.dayOffset =
        static_cast<float>(dayNumber(w_.chartYear, w_.chartMonth, w_.chartDay) -
                           dayNumber(w_.birthYear, w_.birthMonth, w_.birthDay) - w_.chartDay);
}

void PrintedPage::drawHeader(DrawingSurface& p) {
    p.setFontBold(true);
    p.setFontSize(24);
    text(p, 910, 74, {"Vitalune"});
    p.setFontSize(12);
    text(p, 160, 280, {"Data de Nascimento"});
    // Year first: 17 February 1959 prints as 1959/02/17.
    attempt([&] {
        text(p, 1990, 280,
             {zeroPadded(w_.birthYear, 4), "/", zeroPadded(w_.birthMonth, 2), "/",
              zeroPadded(w_.birthDay, 2)});
    });
}

void PrintedPage::drawChart(DrawingSurface& p, int dy, const std::array<PrintPen, 3>& pens) {
    const auto Y = [dy](int y) { return static_cast<float>(y + dy); };

    p.setFontBold(true);
    p.setFontSize(16);
    attempt([&] {
        const auto name = trimmed(paddedMonthName(w_.chartMonth));
        text(p, 960, Y(410), {name, " ", zeroPadded(w_.chartYear, 4)});
    });

    p.setFontSize(10);
    for (std::size_t c = 0; c < Cycles.size(); ++c) {
        p.setLineWidth(pens[c].width);
        p.setLineStyle(pens[c].style);
        text(p, kLegend[c].textX, Y(1510), {Cycles[c].name});
        p.line(kLegend[c].sampleX1, Y(1536), kLegend[c].sampleX2, Y(1536), pens[c].colour);
    }

    // Outer and inner frames (top, bottom, left, right) and the zero axis.
    p.setLineStyle(LineStyle::Solid);
    p.setLineWidth(4);
    for (const auto& [left, top, right, bottom] :
         {std::array<int, 4>{160, 395, 2280, 1575}, std::array<int, 4>{260, 495, 2180, 1485}}) {
        p.line(left, Y(top), right, Y(top), kBlack);
        p.line(left, Y(bottom), right, Y(bottom), kBlack);
        p.line(left, Y(top), left, Y(bottom), kBlack);
        p.line(right, Y(top), right, Y(bottom), kBlack);
    }
    p.line(260, Y(990), 2180, Y(990), kBlack);

    // Day ticks on the axis, days 1 to 31 whatever the month's length.
    for (int i = 2; i <= 32; ++i)
        p.line(60 * i + 200, Y(980), 60 * i + 200, Y(1000), kBlack);

    // Grid: a line per day column, a line per tenth of the cycle value.
    p.setLineWidth(1);
    for (int i = 1; i <= 33; ++i)
        p.line(60 * i + 200, Y(495), 60 * i + 200, Y(1485), kBlack);
    for (int i = 2; i <= 22; ++i)
        p.line(248, Y(45 * i + 450), 2180, Y(45 * i + 450), kBlack);

    // Value labels -10 to 10 (cycle value times ten); the wider "-10" and "10" stand further left.
    p.setFontSize(7);
    p.setFontBold(false);
    for (int r = 0; r <= 10; ++r) {
        if (r >= 1)
            text(p, r == 10 ? 162 : 185, Y(968 + 45 * r), {std::to_string(-r)});
        text(p, r == 10 ? 185 : 208, Y(968 - 45 * r), {std::to_string(r)});
    }

    // Weekday and day-number labels under each day of the month.
    int days = 0;
    attempt([&] { days = daysInMonth(w_.chartMonth, w_.chartYear); });
    for (int t = 1; t <= days; ++t) {
        const int xt = 60 * t + 260;
        attempt([&] {
            const auto& label =
                weekdayAbbreviation(weekday(dayNumber(w_.chartYear, w_.chartMonth, t)));
            // Only Tuesday's "3ª" moves further left; "S " and "D " keep the one-letter shift.
            text(p, label == "3ª" ? xt - 22 : xt - 11, Y(1003), {label});
        });
        text(p, t <= 9 ? xt - 11 : xt - 22, Y(1048), {std::to_string(t)});
    }

    drawCurves(p, dy, pens);
}

void PrintedPage::drawCurves(DrawingSurface& p, int dy, const std::array<PrintPen, 3>& pens) {
    p.setLineWidth(pens[0].width);
    for (std::size_t c = 0; c < Cycles.size(); ++c)
        w_.phase[c] = phase(w_.dayOffset, Cycles[c].period);
    // A point every 10 pixels, 60 a day: day t at 60t + 260, 450 pixels per cycle value 1.
    w_.previousX = 260;
    for (int x = 260; x <= 2180; x += 10) {
        w_.currentX = static_cast<std::int16_t>(x);
        for (std::size_t c = 0; c < Cycles.size(); ++c) {
            const double span = 60.0 * Cycles[c].period;
            const double a = kFullTurn * ((x - 260) / span + static_cast<double>(w_.phase[c]));
            w_.currentY[c] = static_cast<float>(990.0 + dy - 450.0 * std::sin(a));
        }
        if (x > 260) {
            for (std::size_t c = 0; c < Cycles.size(); ++c) {
                p.setLineWidth(pens[c].width);
                p.setLineStyle(pens[c].style);
                p.line(w_.previousX, w_.previousY[c], x, w_.currentY[c], pens[c].colour);
            }
        }
        w_.previousX = w_.currentX;
        // Each segment starts at the previous point taken to a whole pixel.
        for (std::size_t c = 0; c < Cycles.size(); ++c)
            w_.previousY[c] = roundHalfToEven(w_.currentY[c]);
    }
}

} // namespace vitalune
