// SPDX-License-Identifier: MIT
#include "ScreenChart.h"
#include "Cycles.h"
#include "RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

using namespace vitalune;
using vitalune::testing::RecordingSurface;
using Kind = RecordingSurface::Kind;

namespace {
class ScreenChartTest : public ::testing::Test {
protected:
    bool draw() { return chart.redraw(birth, target, {img0, img1, img2, img3}); }

    std::vector<RecordingSurface::Op> linesOf(Colour c) const {
        std::vector<RecordingSurface::Op> out;
        for (const auto& op : img0.lines())
            if (op.colour == c)
                out.push_back(op);
        return out;
    }
    std::vector<std::string> dayLabels() const {
        std::vector<std::string> out;
        for (const auto& op : img0.texts())
            if (op.state.currentY == 105)
                out.push_back(op.text);
        return out;
    }

    Date birth{17, 2, 1959};
    Date target{1, 3, 2004};
    RecordingSurface img0, img1, img2, img3;
    ScreenChart chart;
};
} // namespace

TEST_F(ScreenChartTest, ColumnsAndEdgesFollowTheMonthLength) {
    struct Case {
        Date target;
        std::size_t days;
        float rightEdge;
    };
    for (const Case& c :
         {Case{{1, 2, 2005}, 28, 414}, Case{{1, 2, 2004}, 29, 428}, Case{{1, 4, 2004}, 30, 442},
          Case{{1, 3, 2004}, 31, 456}, Case{{1, 2, 1900}, 28, 414}, Case{{1, 2, 2000}, 29, 428}}) {
        img0.forget();
        target = c.target;
        draw();
        const auto labels = dayLabels();
        ASSERT_EQ(labels.size(), c.days) << c.target.month << '/' << c.target.year;
        EXPECT_EQ(labels.front(), "1");
        EXPECT_EQ(labels.back(), std::to_string(c.days));
        const auto grey = linesOf(rgb(128, 128, 128));
        ASSERT_EQ(grey.size(), 3u);
        EXPECT_EQ(grey[0].x2, 471);
        EXPECT_EQ(grey[1].x1, 20);
        EXPECT_EQ(grey[2].x1, c.rightEdge);
        EXPECT_EQ(grey[2].y2, 199);
    }
}

TEST_F(ScreenChartTest, HeadingAndLabelsStandWhereTheyShould) {
    draw();
    const auto texts = img0.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "Março  2004");
    EXPECT_EQ(texts[0].state.currentX, 190);
    EXPECT_EQ(texts[0].state.currentY, 0);
    EXPECT_EQ(texts[0].state.fontName, "MS Sans Serif");
    EXPECT_EQ(texts[0].state.fontSize, 14);
    EXPECT_TRUE(texts[0].state.fontBold);

    // 1 March 2004 was a Monday: "2ª" four pixels into column 1 (21..35).
    EXPECT_EQ(texts[1].text, "2ª");
    EXPECT_EQ(texts[1].state.currentX, 25);
    EXPECT_EQ(texts[1].state.currentY, 85);
    EXPECT_EQ(texts[1].state.fontName, "Small Fonts");
    EXPECT_FLOAT_EQ(texts[1].state.fontSize, 6.75f);
    EXPECT_FALSE(texts[1].state.fontBold);
    // Day numbers: 5 pixels in for 1..9, 2 pixels from 10 on.
    EXPECT_EQ(texts[2].state.currentX, 26);
    const auto ten = std::find_if(texts.begin(), texts.end(), [](auto& t) {
        return t.text == "10" && t.state.currentY == 105;
    });
    ASSERT_NE(ten, texts.end());
    EXPECT_EQ(ten->state.currentX, 9 * 14 + 21 + 2);
}

TEST_F(ScreenChartTest, OnlySaturdaysAreMarkedOnTheZeroLine) {
    draw(); // March 2004: Saturdays 6, 13, 20, 27
    const auto navy = linesOf(rgb(0, 0, 128));
    ASSERT_EQ(navy.size(), 4u);
    for (std::size_t i = 0; i < navy.size(); ++i) {
        const float e = (6 + 7 * float(i) - 1) * 14 + 21;
        EXPECT_EQ(navy[i].x1, e);
        EXPECT_EQ(navy[i].x2, e + 14);
        EXPECT_EQ(navy[i].y1, 100);
    }
}

TEST_F(ScreenChartTest, CurvesAreSampledEverySevenPixels) {
    draw();
    for (int c = 0; c < 3; ++c) {
        const auto segs = linesOf(Cycles[c].screenColour);
        ASSERT_EQ(segs.size(), 71u) << c;
        EXPECT_EQ(segs.front().x1, 0);
        EXPECT_EQ(segs.front().x2, 0);
        EXPECT_LE(std::abs(segs.front().y2 - segs.front().y1), 0.5f);
        EXPECT_EQ(segs.back().x2, 490);
        for (std::size_t i = 1; i < segs.size(); ++i) {
            EXPECT_EQ(segs[i].x1, segs[i - 1].x2);
            // Each segment starts at the previous end point rounded to a pixel.
            EXPECT_EQ(segs[i].y1, std::nearbyint(segs[i - 1].y2));
        }
        EXPECT_EQ(segs.front().state.penMode, PenMode::Copy);
        EXPECT_EQ(segs.front().state.lineStyle, LineStyle::Solid);
    }
}

TEST_F(ScreenChartTest, CursorSitsOnTheSelectedDayWithAnExclusiveOrDottedPen) {
    for (auto [day, x] : {std::pair{1, 28}, std::pair{31, 448}, std::pair{17, 252}}) {
        img0.forget();
        target = {day, 3, 2004};
        draw();
        const auto& last = img0.ops.back();
        EXPECT_EQ(last.kind, Kind::Line);
        EXPECT_EQ(last.x1, x);
        EXPECT_EQ(last.x2, x);
        EXPECT_EQ(last.y1, 0);
        EXPECT_EQ(last.y2, 199);
        EXPECT_EQ(last.colour, rgb(255, 255, 255));
        EXPECT_EQ(last.state.penMode, PenMode::Xor);
        EXPECT_EQ(last.state.lineStyle, LineStyle::Dot);
        EXPECT_EQ(chart.cursorX, x);
    }
    // What the cursor move relies on is left behind.
    EXPECT_EQ(img0.state().fontName, "Small Fonts");
    EXPECT_EQ(img0.state().lineWidth, 1);
}

TEST_F(ScreenChartTest, DialsShowTheSelectedDayHand) {
    birth = {1, 3, 2004};
    target = {8, 3, 2004}; // 7 days old: emotional peak
    draw();
    RecordingSurface* dials[3] = {&img1, &img2, &img3};
    for (int c = 0; c < 3; ++c) {
        const auto& ops = dials[c]->ops;
        ASSERT_EQ(ops.size(), 3u);
        EXPECT_EQ(ops[0].kind, Kind::Clear);
        // The painted pointer of the face is covered first, with the copy pen.
        EXPECT_EQ(ops[1].x1, 27);
        EXPECT_EQ(ops[1].y1, 6);
        EXPECT_EQ(ops[1].y2, 25);
        EXPECT_EQ(ops[1].colour, 0u);
        EXPECT_EQ(ops[1].state.penMode, PenMode::Copy);
        EXPECT_EQ(ops[2].x2, 27);
        EXPECT_EQ(ops[2].y2, 27);
        EXPECT_EQ(ops[2].colour, Cycles[c].screenColour);
        EXPECT_EQ(ops[2].state.penMode, PenMode::Xor);
        EXPECT_EQ(ops[2].state.lineStyle, LineStyle::Solid);
        EXPECT_EQ(dials[c]->state().penMode, PenMode::Xor);
    }
    EXPECT_EQ(img2.ops[2].x1, 27);
    EXPECT_EQ(img2.ops[2].y1, 6);
}

TEST_F(ScreenChartTest, DialArraysFillOnlyTheDaysOfTheMonth) {
    target = {1, 3, 2004};
    draw();
    const auto day31 = chart.dialX[0][31];
    target = {1, 2, 2005};
    draw();
    EXPECT_EQ(chart.dialX[0][31], day31);
    // Day j is computed at its column centre x = 14j + 14.
    const float p = chart.phases[1];
    EXPECT_EQ(chart.dialX[1][28], dialPoint(14 * 28 + 14, 28, p).x);
    EXPECT_EQ(chart.dialY[1][1], dialPoint(28, 28, p).y);
    EXPECT_EQ(chart.chartRight, 413);
    EXPECT_EQ(chart.chartLeft, 21);
    EXPECT_TRUE(chart.drawn);
}

TEST_F(ScreenChartTest, ReferenceMonthAtTheTableEdgesTakesTheExtraEntries) {
    target = {1, 13, 3000};
    draw();
    EXPECT_EQ(img0.texts()[0].text, "Janeiro  3000");
    EXPECT_EQ(dayLabels().size(), 31u);
    img0.forget();
    target = {1, 0, 1900};
    draw();
    EXPECT_EQ(img0.texts()[0].text.substr(0, 8), "Dezembro");
}

TEST_F(ScreenChartTest, MovingTheCursorErasesThenRedraws) {
    target = {3, 3, 2004};
    draw();
    img0.forget();
    target.day = 17;
    chart.moveDayCursor(target.day, img0);
    ASSERT_EQ(img0.ops.size(), 2u);
    EXPECT_EQ(img0.ops[0].x1, 56);
    EXPECT_EQ(img0.ops[1].x1, 252);
    EXPECT_EQ(img0.ops[1].state.penMode, PenMode::Xor);
}

TEST_F(ScreenChartTest, AFailingOperationEndsTheRedraw) {
    img0.failing = Kind::Text;
    EXPECT_FALSE(draw());
    EXPECT_FALSE(chart.drawn);
    EXPECT_TRUE(img0.lines().empty()) << "nothing after the heading";
    img0.failing.reset();
    img2.failing = Kind::Clear;
    const auto before = img0.ops.size();
    EXPECT_FALSE(draw());
    EXPECT_EQ(img0.ops.size(), before) << "stopped before the chart";
}

// Each curve passes, at the centre of every day's column, through that day's value of its
// own cycle, computed here from the calendar alone: sin(2π · age in days / period).
TEST_F(ScreenChartTest, CurvesCrossEachDayCentreAtThatDaysCycleValue) {
    using namespace std::chrono;
    struct Case {
        Date birth, target;
    };
    for (const Case& c : {Case{{17, 2, 1959}, {1, 3, 2004}}, Case{{5, 6, 1970}, {1, 12, 2026}},
                          Case{{29, 2, 2000}, {1, 2, 2001}}, Case{{1, 1, 2030}, {1, 10, 2029}}}) {
        img0.forget();
        birth = c.birth;
        target = c.target;
        draw();
        const sys_days born =
            year_month_day{year{c.birth.year}, month(c.birth.month), day(c.birth.day)};
        const year_month ym{year{c.target.year}, month(c.target.month)};
        const unsigned days = static_cast<unsigned>((ym / last).day());
        for (std::size_t k = 0; k < 3; ++k) {
            const auto segs = linesOf(Cycles[k].screenColour);
            ASSERT_EQ(segs.size(), 71u);
            for (unsigned d = 1; d <= days; ++d) {
                const double age = (sys_days{ym / day(d)} - born).count();
                const double expected =
                    100 - 85 * std::sin(2 * std::numbers::pi * age / Cycles[k].period);
                const auto& seg = segs[2 * d + 2]; // the sample at x = 14·d + 14
                ASSERT_EQ(seg.x2, 14.0f * d + 14);
                EXPECT_NEAR(seg.y2, expected, 0.05) << Cycles[k].name << " day " << d << " of "
                                                    << c.target.month << '/' << c.target.year;
            }
        }
    }
}
