// SPDX-License-Identifier: MIT
// The printed page as drawing operations: places, texts, curves and the pens of each print
// mode.
#include "PrintedPage.h"
#include "PageFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>

using namespace vitalune;
using namespace vitalune::testing;
using Kind = RecordingSurface::Kind;

namespace {

class PrintedPageTest : public ::testing::Test {
protected:
    bool print(Date birth, Date target, PrintMode mode = PrintMode::Colour) {
        return page.draw(printer, birth, target, mode);
    }
    std::vector<std::string> labelsAt(float y) const {
        std::vector<std::string> out;
        for (const auto& op : textsAtY(printer, y))
            out.push_back(op.text);
        return out;
    }
    Op only(const std::string& text) const {
        const auto found = textsNamed(printer, text);
        EXPECT_EQ(found.size(), 1u) << text;
        return found.empty() ? Op{} : found.front();
    }

    RecordingSurface printer;
    PrintedPage page;
};

void expectAt(const Op& op, float x, float y) {
    EXPECT_EQ(op.state.currentX, x) << op.text;
    EXPECT_EQ(op.state.currentY, y) << op.text;
}

void expectLine(const Op& op, float x1, float y1, float x2, float y2) {
    EXPECT_EQ(op.x1, x1);
    EXPECT_EQ(op.y1, y1);
    EXPECT_EQ(op.x2, x2);
    EXPECT_EQ(op.y2, y2);
}

bool sameOp(const Op& a, const Op& b) {
    return a.kind == b.kind && a.state == b.state && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 &&
           a.y2 == b.y2 && a.colour == b.colour && a.items == b.items;
}

// Age in days of a date, counted independently of the program's calendar code.
int age(int y, int m, int d, Date birth) {
    namespace c = std::chrono;
    const auto date = c::sys_days{c::year{y} / c::month{unsigned(m)} / c::day{unsigned(d)}};
    const auto born = c::sys_days{c::year{birth.year} / c::month{unsigned(birth.month)} /
                                  c::day{unsigned(birth.day)}};
    return int((date - born).count());
}

} // namespace

TEST_F(PrintedPageTest, HeaderNamesTheProgramAndTheBirthDateYearFirst) {
    printer.setPenMode(PenMode::Xor);
    printer.setFontName("MS Sans Serif");
    ASSERT_TRUE(print({17, 2, 1959}, {10, 6, 2004}));

    const auto title = only("Vitalune");
    expectAt(title, 910, 74);
    EXPECT_EQ(title.state.fontSize, 24);
    EXPECT_TRUE(title.state.fontBold);

    const auto label = only("Data de Nascimento");
    expectAt(label, 160, 280);
    EXPECT_EQ(label.state.fontSize, 12);
    EXPECT_TRUE(label.state.fontBold);

    const auto birth = only("1959/02/17");
    expectAt(birth, 1990, 280);
    EXPECT_EQ(birth.items, (std::vector<std::string>{"1959", "/", "02", "/", "17"}));
    EXPECT_EQ(birth.state.fontSize, 12);
    EXPECT_TRUE(birth.state.fontBold);

    // The printer is set up before anything is drawn, and all text is Courier New.
    for (const auto& op : printer.ops) {
        EXPECT_EQ(op.state.penMode, PenMode::Copy);
        if (op.kind == Kind::Text) {
            EXPECT_EQ(op.state.fontName, "Courier New") << op.text;
        }
    }
    // One page, one job: finishPage comes once, last.
    ASSERT_FALSE(printer.ops.empty());
    EXPECT_EQ(printer.ops.back().kind, Kind::FinishPage);
    EXPECT_EQ(printer.of(Kind::FinishPage).size(), 1u);
    EXPECT_TRUE(printer.of(Kind::Clear).empty());

    printer.forget();
    print({5, 1, 1900}, {10, 6, 2004});
    only("1900/01/05");
}

TEST_F(PrintedPageTest, ChartsTheReferenceMonthAndTheMonthAfter) {
    print({17, 2, 1959}, {10, 2, 2004});
    const auto first = only("Fevereiro 2004");
    expectAt(first, 960, 410);
    EXPECT_EQ(first.state.fontSize, 16);
    EXPECT_TRUE(first.state.fontBold);
    expectAt(only("Março 2004"), 960, 1910);

    // December's next month is January of the year after, day labels included.
    printer.forget();
    print({17, 2, 1959}, {31, 12, 2004});
    expectAt(only("Dezembro 2004"), 960, 410);
    const auto second = only("Janeiro 2005");
    expectAt(second, 960, 1910);
    EXPECT_EQ(second.state.fontSize, 16);
    const auto days = labelsAt(2548);
    ASSERT_EQ(days.size(), 31u);
    EXPECT_EQ(days.back(), "31");
    ASSERT_FALSE(labelsAt(2503).empty());
    EXPECT_EQ(labelsAt(2503).front(), "S "); // 1 January 2005 was a Saturday
}

TEST_F(PrintedPageTest, ReferenceDayDoesNotChangeThePage) {
    RecordingSurface firstDay, lastDay;
    PrintedPage().draw(firstDay, {17, 2, 1959}, {1, 2, 2004}, PrintMode::Colour);
    PrintedPage().draw(lastDay, {17, 2, 1959}, {29, 2, 2004}, PrintMode::Colour);
    ASSERT_EQ(lastDay.ops.size(), firstDay.ops.size());
    for (std::size_t i = 0; i < firstDay.ops.size(); ++i)
        ASSERT_TRUE(sameOp(lastDay.ops[i], firstDay.ops[i])) << "operation " << i;
}

TEST_F(PrintedPageTest, FramesAxisTicksAndGridOfBothCharts) {
    print({17, 2, 1959}, {10, 6, 2004}, PrintMode::Colour);
    std::vector<Op> black;
    for (const auto& op : printer.lines())
        if (op.colour == rgb(0, 0, 0))
            black.push_back(op);
    // Per chart: 2 frames of 4 lines, the axis, 31 ticks, 33 + 21 grid lines.
    ASSERT_EQ(black.size(), 2u * (9 + 31 + 33 + 21));

    for (int chart = 0; chart < 2; ++chart) {
        const float dy = 1500.0f * chart;
        const Op* l = &black[std::size_t(chart) * 94];
        expectLine(l[0], 160, 395 + dy, 2280, 395 + dy);
        expectLine(l[1], 160, 1575 + dy, 2280, 1575 + dy);
        expectLine(l[2], 160, 395 + dy, 160, 1575 + dy);
        expectLine(l[3], 2280, 395 + dy, 2280, 1575 + dy);
        expectLine(l[4], 260, 495 + dy, 2180, 495 + dy);
        expectLine(l[5], 260, 1485 + dy, 2180, 1485 + dy);
        expectLine(l[6], 260, 495 + dy, 260, 1485 + dy);
        expectLine(l[7], 2180, 495 + dy, 2180, 1485 + dy);
        expectLine(l[8], 260, 990 + dy, 2180, 990 + dy);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(l[i].state.lineWidth, 4);
            EXPECT_EQ(l[i].state.lineStyle, LineStyle::Solid);
        }
        // Ticks on the axis for days 1 to 31.
        for (int i = 0; i < 31; ++i) {
            const auto& tick = l[9 + i];
            expectLine(tick, 60 * (i + 1) + 260, 980 + dy, 60 * (i + 1) + 260, 1000 + dy);
            EXPECT_EQ(tick.state.lineWidth, 4);
        }
        // A thin vertical line at every day from day 0 to day 32 ...
        for (int i = 0; i < 33; ++i) {
            const auto& v = l[40 + i];
            expectLine(v, 60 * i + 260, 495 + dy, 60 * i + 260, 1485 + dy);
            EXPECT_EQ(v.state.lineWidth, 1);
            EXPECT_EQ(v.state.lineStyle, LineStyle::Solid);
        }
        // ... and a horizontal one per tenth of the value, reaching left past the frame.
        for (int i = 0; i < 21; ++i) {
            const auto& h = l[73 + i];
            expectLine(h, 248, 540 + 45 * i + dy, 2180, 540 + 45 * i + dy);
            EXPECT_EQ(h.state.lineWidth, 1);
        }
    }
}

TEST_F(PrintedPageTest, ValueLabelsFromMinusTenToTen) {
    print({17, 2, 1959}, {10, 6, 2004});
    for (int chart = 0; chart < 2; ++chart) {
        const float dy = 1500.0f * chart;
        std::vector<Op> labels;
        for (const auto& op : printer.texts())
            if (op.state.currentX <= 208 && op.state.currentY >= 500 + dy &&
                op.state.currentY <= 1450 + dy)
                labels.push_back(op);
        ASSERT_EQ(labels.size(), 21u) << "chart " << chart; // 0 printed once
        for (const auto& op : labels) {
            EXPECT_EQ(op.state.fontSize, 7);
            EXPECT_FALSE(op.state.fontBold);
            const int v = std::stoi(op.text);
            EXPECT_EQ(op.state.currentY, 968 - 45 * v + dy) << op.text;
            const float x = v == -10 ? 162 : v == 10 ? 185 : v < 0 ? 185 : 208;
            EXPECT_EQ(op.state.currentX, x) << op.text;
        }
    }
    EXPECT_EQ(textsNamed(printer, "0").size(), 2u);
    expectAt(textsNamed(printer, "-10").at(0), 162, 1418);
    expectAt(textsNamed(printer, "10").at(0), 185, 518);
}

TEST_F(PrintedPageTest, DayLabelsFollowTheMonthLength) {
    print({17, 2, 1959}, {10, 2, 2004});
    auto numbers = textsAtY(printer, 1048);
    ASSERT_EQ(numbers.size(), 29u);                 // leap February
    EXPECT_EQ(textsAtY(printer, 2548).size(), 31u); // March
    // Days 1 to 9 stand 11 pixels left of their column, two-digit days 22.
    expectAt(numbers[0], 309, 1048);
    expectAt(numbers[8], 789, 1048);
    expectAt(numbers[9], 838, 1048);
    EXPECT_EQ(numbers[28].text, "29");
    expectAt(numbers[28], 1978, 1048);
    EXPECT_EQ(numbers[0].state.fontSize, 7);
    EXPECT_FALSE(numbers[0].state.fontBold);

    // 1 February 2004 was a Sunday; only Tuesday's "3ª" moves 22 pixels left.
    const auto weekdays = textsAtY(printer, 1003);
    ASSERT_EQ(weekdays.size(), 29u);
    const char* week[] = {"D ", "2ª", "3ª", "4ª", "5ª", "6ª", "S "};
    for (std::size_t t = 1; t <= 29; ++t) {
        const auto& op = weekdays[t - 1];
        EXPECT_EQ(op.text, week[(t - 1) % 7]) << "day " << t;
        EXPECT_EQ(op.state.currentX, 60.0f * t + 260 - (op.text == "3ª" ? 22 : 11)) << "day " << t;
    }

    // Centuries not divisible by 400 have 28 days in February, in either chart.
    printer.forget();
    print({17, 2, 1959}, {1, 2, 2100});
    EXPECT_EQ(textsAtY(printer, 1048).size(), 28u);
    printer.forget();
    print({17, 2, 1959}, {1, 1, 1900});
    EXPECT_EQ(textsAtY(printer, 2548).size(), 28u);
    printer.forget();
    print({17, 2, 1959}, {1, 1, 2000});
    EXPECT_EQ(textsAtY(printer, 2548).size(), 29u);
    EXPECT_EQ(textsAtY(printer, 1048).size(), 31u);
}

TEST_F(PrintedPageTest, CurvesFollowTheThreeCycles) {
    const std::int16_t periods[] = {23, 28, 33};
    // Before, on and long after the birth date: negative, zero and large ages.
    for (const Date birth : {Date{15, 3, 2010}, Date{9, 1, 2004}, Date{17, 2, 1959}}) {
        SCOPED_TRACE(birth.year);
        printer.forget();
        print(birth, {20, 1, 2004});
        const auto segments = linesSpanning(printer, 10);
        ASSERT_EQ(segments.size(), 2u * 3 * 192);
        for (int chart = 0; chart < 2; ++chart) {
            const int month = 1 + chart;
            for (int c = 0; c < 3; ++c) {
                float x = 260, y = 0;
                for (int k = 0; k < 192; ++k) {
                    const auto& s = segments[std::size_t(chart * 576 + k * 3 + c)];
                    ASSERT_EQ(s.x1, x);
                    ASSERT_EQ(s.x2, x + 10);
                    // Each segment starts at the end of the one before, taken to a whole pixel.
                    if (k > 0) {
                        EXPECT_EQ(s.y1, std::nearbyint(y));
                    }
                    x = s.x2;
                    y = s.y2;
                    const int offset = int(s.x2) - 260;
                    if (offset % 60 != 0)
                        continue;
                    // Day t of the month (0 the last day of the month before) under this point.
                    const int t = offset / 60;
                    const int a = age(2004, month, 1, birth) - 1 + t;
                    const double value = std::sin(2 * std::numbers::pi * a / periods[c]);
                    EXPECT_NEAR(s.y2, 990 + 1500 * chart - 450 * value, 0.25)
                        << "chart " << chart << " cycle " << c << " day " << t;
                }
            }
        }
    }
}

TEST_F(PrintedPageTest, PensOfColourAndBlackAndWhite) {
    struct Expected {
        PrintMode mode;
        Colour colours[3];
        std::int16_t width;
        LineStyle styles[3];
    };
    const Colour black = rgb(0, 0, 0);
    const Expected cases[] = {
        {PrintMode::Colour,
         {rgb(255, 0, 0), rgb(0, 0, 255), rgb(0, 255, 0)},
         3,
         {LineStyle::Solid, LineStyle::Solid, LineStyle::Solid}},
        {PrintMode::BlackAndWhite,
         {black, black, black},
         1,
         {LineStyle::Solid, LineStyle::Dash, LineStyle::Dot}},
    };
    for (const auto& e : cases) {
        SCOPED_TRACE(e.mode == PrintMode::Colour ? "colour" : "black and white");
        printer.forget();
        print({17, 2, 1959}, {10, 6, 2004}, e.mode);
        const auto curves = linesSpanning(printer, 10);
        ASSERT_EQ(curves.size(), 1152u);
        for (std::size_t i = 0; i < curves.size(); ++i) {
            EXPECT_EQ(curves[i].colour, e.colours[i % 3]);
            EXPECT_EQ(curves[i].state.lineWidth, e.width);
            EXPECT_EQ(curves[i].state.lineStyle, e.styles[i % 3]);
        }
        // Legend: name and a sample of the pen under it, in both charts.
        const auto samples = linesSpanning(printer, 100);
        ASSERT_EQ(samples.size(), 6u);
        const char* names[] = {"Físico", "Emocional", "Intelectual"};
        const float textX[] = {600, 1110, 1660};
        for (std::size_t i = 0; i < 6; ++i) {
            const std::size_t c = i % 3;
            const float dy = i < 3 ? 0 : 1500;
            expectLine(samples[i], textX[c] - 110, 1536 + dy, textX[c] - 10, 1536 + dy);
            EXPECT_EQ(samples[i].colour, e.colours[c]);
            EXPECT_EQ(samples[i].state.lineWidth, e.width);
            EXPECT_EQ(samples[i].state.lineStyle, e.styles[c]);
            const auto name = textsNamed(printer, names[c]);
            ASSERT_EQ(name.size(), 2u);
            expectAt(name[i / 3], textX[c], 1510 + dy);
            EXPECT_EQ(name[i / 3].state.fontSize, 10);
            EXPECT_TRUE(name[i / 3].state.fontBold);
        }
    }
}

TEST_F(PrintedPageTest, FailingOperationsAreSkippedAndTheJobStillEnds) {
    print({17, 2, 1959}, {10, 6, 2004});
    const auto allLines = printer.lines().size();
    const auto allTexts = printer.texts().size();

    for (const auto kind : {Kind::Line, Kind::Text, Kind::FinishPage}) {
        RecordingSurface failing;
        failing.failing = kind;
        const bool ended =
            PrintedPage().draw(failing, {17, 2, 1959}, {10, 6, 2004}, PrintMode::Colour);
        EXPECT_EQ(ended, kind != Kind::FinishPage);
        EXPECT_EQ(failing.lines().size(), kind == Kind::Line ? 0 : allLines);
        EXPECT_EQ(failing.texts().size(), kind == Kind::Text ? 0 : allTexts);
        EXPECT_EQ(failing.of(Kind::FinishPage).size(), kind == Kind::FinishPage ? 0u : 1u);
    }
}

TEST_F(PrintedPageTest, StrayDatesCostOnlyTheirOwnSteps) {
    // A month no table holds: no title and no day labels, everything else is printed.
    EXPECT_TRUE(print({17, 2, 1959}, {10, 40, 2004}));
    EXPECT_TRUE(labelsAt(1048).empty());
    EXPECT_TRUE(labelsAt(2548).empty());
    EXPECT_TRUE(textsAtY(printer, 410).empty());
    EXPECT_EQ(linesSpanning(printer, 10).size(), 1152u);
    EXPECT_EQ(printer.ops.back().kind, Kind::FinishPage);
}

TEST_F(PrintedPageTest, MonthsThirteenAndZeroAreChartedAsTheMonthsTheyStandFor) {
    print({17, 2, 1959}, {5, 13, 3000});
    only("Janeiro 3001");
    only("Fevereiro 3001");
    EXPECT_EQ(labelsAt(2548).size(), 28u);

    printer.forget();
    print({17, 2, 1959}, {5, 0, 1900});
    only("Dezembro 1899");
    only("Janeiro 1900");
    EXPECT_EQ(labelsAt(1048).size(), 31u);
}
