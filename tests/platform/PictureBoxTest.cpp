// SPDX-License-Identifier: MIT
#include "PictureBox.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>

using namespace vitalune;

namespace {

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kMagenta = rgb(255, 0, 255);
constexpr Colour kGrey = rgb(128, 128, 128);
constexpr Colour kRed = rgb(255, 0, 0);

QRgb px(const PictureBox& box, int x, int y) {
    return box.image().pixel(x, y) & 0xFFFFFF;
}

using PixelSet = std::set<std::pair<int, int>>;

// Pixels that differ between two pictures of the same size.
PixelSet changed(const QImage& before, const QImage& after) {
    PixelSet out;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                out.insert({x, y});
    return out;
}

PixelSet drawn(float x1, float y1, float x2, float y2, QSize size = {20, 20}) {
    PictureBox box(size);
    const QImage before = box.image();
    EXPECT_TRUE(box.line(x1, y1, x2, y2, rgb(0, 0, 0)));
    return changed(before, box.image());
}

// A picture with something in every pixel, so a restore is checked everywhere.
void paintBusyPicture(PictureBox& box) {
    const int w = box.image().width(), h = box.image().height();
    for (int y = 0; y < h; y += 3)
        box.line(0, float(y), float(w - 1), float(y), rgb(y * 7, 255 - y, 90));
    box.line(0, 0, float(w - 1), float(h - 1), kMagenta);
    box.line(0, float(h / 2), float(w), float(h / 2), kGrey);
}

} // namespace

TEST(PictureBoxXor, WhitePenInvertsWhatIsUnderIt) {
    PictureBox box({20, 10});
    ASSERT_TRUE(box.line(5, 5, 5, 5, kMagenta));
    ASSERT_TRUE(box.line(6, 5, 6, 5, kGrey));
    const QImage before = box.image();

    box.setPenMode(PenMode::Xor);
    ASSERT_TRUE(box.line(0, 5, 19, 5, kWhite));
    EXPECT_EQ(px(box, 5, 5), 0x00FF00u) << "magenta turns green";
    EXPECT_EQ(px(box, 6, 5), 0x7F7F7Fu) << "grey 128 turns 127";
    EXPECT_EQ(px(box, 0, 5), 0x000000u) << "white turns black";
    EXPECT_EQ(px(box, 19, 5), 0x000000u);
    EXPECT_EQ(px(box, 3, 4), 0xFFFFFFu) << "the row above is untouched";

    ASSERT_TRUE(box.line(0, 5, 19, 5, kWhite));
    EXPECT_EQ(box.image(), before);
}

TEST(PictureBoxXor, SecondPassRestoresEveryPixelInEveryStyle) {
    for (LineStyle style : {LineStyle::Solid, LineStyle::Dash, LineStyle::Dot}) {
        for (int width : {1, 3}) {
            PictureBox box({60, 40});
            paintBusyPicture(box);
            const QImage before = box.image();
            box.setPenMode(PenMode::Xor);
            box.setLineStyle(style);
            box.setLineWidth(std::int16_t(width));
            // Steep, shallow, partly outside, and a single point.
            const float lines[][4] = {{28, 0, 28, 39},  {-5, 3, 70, 31}, {59.4f, -8, 2.6f, 45},
                                      {10, 10, 10, 10}, {3, 30, 50, 29}, {-20, -20, -1, -1}};
            for (auto& l : lines)
                ASSERT_TRUE(box.line(l[0], l[1], l[2], l[3], kWhite));
            EXPECT_NE(box.image(), before);
            for (auto& l : lines)
                ASSERT_TRUE(box.line(l[0], l[1], l[2], l[3], kWhite));
            EXPECT_EQ(box.image(), before) << "style " << int(style) << " width " << width;
        }
    }
}

TEST(PictureBoxXor, MovingTheCursorRestoresTheOldColumn) {
    PictureBox box({100, 50});
    paintBusyPicture(box);
    const QImage clean = box.image();
    box.setPenMode(PenMode::Xor);
    box.setLineStyle(LineStyle::Dot);
    ASSERT_TRUE(box.line(20, 0, 20, 49, kWhite));
    const QImage withOld = box.image();
    ASSERT_TRUE(box.line(20, 0, 20, 49, kWhite)); // erase at the old place
    ASSERT_TRUE(box.line(70, 0, 70, 49, kWhite)); // draw at the new one
    const PixelSet diff = changed(clean, box.image());
    for (auto [x, y] : diff)
        EXPECT_EQ(x, 70);
    EXPECT_EQ(diff.size(), 25u) << "every second pixel of 50";
    EXPECT_NE(withOld, box.image());
}

TEST(PictureBoxStyles, DotsAndDashesAreCountedFromTheFirstPoint) {
    auto rowOf = [](LineStyle style, float x1, float x2) {
        PictureBox box({30, 3});
        box.setLineStyle(style);
        box.line(x1, 1, x2, 1, rgb(0, 0, 0));
        std::string row;
        for (int x = 0; x < 30; ++x)
            row += px(box, x, 1) == 0 ? '#' : '.';
        return row;
    };
    EXPECT_EQ(rowOf(LineStyle::Dot, 0, 29), "#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.");
    // Drawn right to left, the first dot is at the right end.
    EXPECT_EQ(rowOf(LineStyle::Dot, 28, 0), "#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.");
    EXPECT_EQ(rowOf(LineStyle::Dot, 29, 0), ".#.#.#.#.#.#.#.#.#.#.#.#.#.#.#");
    EXPECT_EQ(rowOf(LineStyle::Dash, 0, 29), "######...######...######...###");
    EXPECT_EQ(rowOf(LineStyle::Solid, 2, 5), "..####........................");
    // The pattern belongs to the whole line, also where it enters the picture.
    EXPECT_EQ(rowOf(LineStyle::Dot, -3, 29), ".#.#.#.#.#.#.#.#.#.#.#.#.#.#.#");
}

TEST(PictureBoxLine, LandsOnThePixelsItsCoordinatesName) {
    EXPECT_EQ(drawn(2, 3, 10, 3),
              (PixelSet{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 3}, {10, 3}}));
    EXPECT_EQ(drawn(4, 7, 4, 7), (PixelSet{{4, 7}}));
    EXPECT_EQ(drawn(0, 0, 4, 4), (PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    // Fractional coordinates go to the nearest pixel.
    EXPECT_EQ(drawn(1.4f, 2.6f, 3.6f, 2.6f), (PixelSet{{1, 3}, {2, 3}, {3, 3}, {4, 3}}));
    EXPECT_EQ(drawn(5, 0.2f, 5, 2.7f), (PixelSet{{5, 0}, {5, 1}, {5, 2}, {5, 3}}));
}

TEST(PictureBoxLine, SlopedLinesAreOnePixelPerStepWithBothEnds) {
    for (auto [x1, y1, x2, y2] : {std::tuple{0, 0, 15, 4}, std::tuple{15, 4, 0, 0},
                                  std::tuple{3, 19, 7, 0}, std::tuple{19, 2, 1, 11}}) {
        const PixelSet p = drawn(float(x1), float(y1), float(x2), float(y2));
        const bool xMajor = std::abs(x2 - x1) >= std::abs(y2 - y1);
        EXPECT_EQ(p.size(), std::size_t(std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1));
        EXPECT_TRUE(p.count({x1, y1}) && p.count({x2, y2}));
        std::set<int> majors;
        for (auto [x, y] : p) {
            majors.insert(xMajor ? x : y);
            // Never further than half a pixel from the ideal line, measured across it.
            const double t = xMajor ? double(x - x1) / (x2 - x1) : double(y - y1) / (y2 - y1);
            const double ideal = xMajor ? y1 + t * (y2 - y1) : x1 + t * (x2 - x1);
            EXPECT_LE(std::abs((xMajor ? y : x) - ideal), 0.5 + 1e-9);
        }
        EXPECT_EQ(majors.size(), p.size()) << "one pixel per step";
    }
}

TEST(PictureBoxLine, ClipsAtTheEdgesAndBeyond) {
    // Partly outside: only the visible part, on the same pixels as the whole line would set.
    PixelSet diagonal;
    for (int i = 0; i < 20; ++i)
        diagonal.insert({i, i});
    EXPECT_EQ(drawn(-10, -10, 30, 30), diagonal);
    EXPECT_EQ(drawn(-50, 5, 500, 5).size(), 20u);
    EXPECT_EQ(drawn(19, -1000, 19, 1000).size(), 20u);
    // Wholly outside, next to the edge or very far away.
    EXPECT_TRUE(drawn(20, 0, 20, 19).empty());
    EXPECT_TRUE(drawn(0, -1, 19, -1).empty());
    EXPECT_TRUE(drawn(1e9f, 1e9f, 2e9f, -3e9f).empty());
    EXPECT_TRUE(drawn(-1e30f, 5, -1e29f, 5).empty());
    // A line from far away still lands inside, on its true course.
    const PixelSet far = drawn(-1e7f, 10, 1e7f, 10);
    EXPECT_EQ(far.size(), 20u);
    EXPECT_TRUE(far.count({0, 10}) && far.count({19, 10}));
}

TEST(PictureBoxLine, RejectsCoordinatesThatAreNotNumbers) {
    PictureBox box({10, 10});
    const QImage before = box.image();
    EXPECT_FALSE(box.line(std::nanf(""), 0, 5, 5, 0));
    EXPECT_FALSE(box.line(0, 0, 5, std::numeric_limits<float>::infinity(), 0));
    EXPECT_EQ(box.image(), before);
}

TEST(PictureBoxLine, WidePensCoverAcrossTheLineOnce) {
    PictureBox box({20, 20});
    box.setLineWidth(3);
    box.setPenMode(PenMode::Xor);
    const QImage before = box.image();
    ASSERT_TRUE(box.line(2, 10, 17, 10, kWhite));
    const PixelSet p = changed(before, box.image());
    EXPECT_EQ(p.size(), 16u * 3u);
    for (auto [x, y] : p) {
        EXPECT_TRUE(y >= 9 && y <= 11);
        EXPECT_EQ(px(box, x, y), 0u) << "inverted once, not twice";
    }
    box.setLineWidth(0); // taken as the thinnest pen
    box.setPenMode(PenMode::Copy);
    EXPECT_EQ(drawn(0, 0, 0, 5).size(), 6u);
}

TEST(PictureBoxCls, BringsBackTheBackgroundColourAndPicture) {
    PictureBox box({12, 8});
    box.setBackColour(QColor(255, 0, 0));
    QImage picture(4, 3, QImage::Format_ARGB32);
    picture.fill(QColor(0, 0, 255));
    picture.setPixelColor(3, 2, Qt::transparent);
    box.setBackgroundPicture(picture);
    const QImage clear = box.image();
    EXPECT_EQ(px(box, 0, 0), 0x0000FFu);
    EXPECT_EQ(px(box, 3, 2), 0xFF0000u) << "transparent pixels show the colour";
    EXPECT_EQ(px(box, 4, 0), 0xFF0000u);
    EXPECT_EQ(px(box, 11, 7), 0xFF0000u);

    box.setLineWidth(2);
    box.line(0, 0, 11, 7, rgb(0, 255, 0));
    box.setPenMode(PenMode::Xor);
    box.line(0, 7, 11, 0, kWhite);
    box.setFontName("MS Sans Serif");
    box.text("Wy");
    ASSERT_NE(box.image(), clear);
    EXPECT_TRUE(box.clear());
    EXPECT_EQ(box.image(), clear);
    EXPECT_EQ(box.state().penMode, PenMode::Xor) << "clearing keeps the drawing state";
}

TEST(PictureBoxCls, NewBackColourClearsToIt) {
    PictureBox box({5, 5});
    EXPECT_EQ(px(box, 2, 2), 0xFFFFFFu);
    box.setBackColour(QColor(10, 20, 30));
    box.line(0, 0, 4, 4, kRed);
    box.clear();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(px(box, x, y), 0x0A141Eu);
    EXPECT_FALSE(box.finishPage()) << "a picture box is no print job";
}

TEST(PictureBoxBackingStore, ScreenShowsTheImageAfterHideShowAndRepaint) {
    QWidget window;
    auto* box = new PictureBox({120, 60}, &window);
    box->move(5, 5);
    window.resize(140, 80);
    window.show();
    box->clear();
    paintBusyPicture(*box);
    box->setPenMode(PenMode::Xor);
    box->setLineStyle(LineStyle::Dot);
    box->line(40, 0, 40, 59, kWhite);
    box->setCurrentX(3);
    box->setCurrentY(3);
    box->text("Abc");

    EXPECT_EQ(box->grab().toImage().convertToFormat(QImage::Format_RGB32), box->image());
    window.hide();
    QApplication::processEvents();
    window.show();
    QApplication::processEvents();
    box->repaint();
    EXPECT_EQ(box->grab().toImage().convertToFormat(QImage::Format_RGB32), box->image());

    // Drawing while hidden is shown once visible again.
    box->hide();
    box->line(0, 30, 119, 30, rgb(0, 0, 255));
    box->show();
    QApplication::processEvents();
    EXPECT_EQ(box->grab().toImage().convertToFormat(QImage::Format_RGB32), box->image());
    EXPECT_EQ(box->size(), QSize(120, 60));
}

namespace {

// The bounding box of the pixels that are not the background.
QRect inkOf(const QImage& image, QRgb background = 0xFFFFFFFF) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                r = r.united(QRect(x, y, 1, 1));
    return r;
}

} // namespace

TEST(PictureBoxText, StartsAtCurrentXAndCurrentYTopLeft) {
    PictureBox box({200, 80});
    box.setFontName("MS Sans Serif");
    box.setFontSize(14);
    box.setFontBold(true);
    box.setCurrentX(30);
    box.setCurrentY(20);
    ASSERT_TRUE(box.text("HE"));
    const QRect ink = inkOf(box.image());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 30);
    EXPECT_LE(ink.left(), 33);
    // The text's top, not its baseline, is at CurrentY: capitals start a little below it.
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.top(), 27);
    EXPECT_LE(ink.bottom(), 20 + 19);
}

TEST(PictureBoxText, SmallLabelsFitTheirDayColumn) {
    PictureBox box({100, 40});
    box.setFontName("Small Fonts");
    box.setFontSize(6.75f);
    box.setFontBold(false);
    // Columns are 14 pixels wide; weekdays start 4 pixels in, two-digit days 2 pixels in.
    const std::pair<const char*, int> labels[] = {{"2ª", 10}, {"5ª", 10}, {"S ", 10},
                                                  {"D ", 10}, {"31", 12}, {"28", 12}};
    for (auto [label, room] : labels) {
        box.clear();
        box.setCurrentX(10);
        box.setCurrentY(10);
        ASSERT_TRUE(box.text(label));
        const QRect ink = inkOf(box.image());
        ASSERT_FALSE(ink.isEmpty()) << label;
        EXPECT_GE(ink.left(), 10) << label;
        EXPECT_GE(ink.top(), 10) << label;
        EXPECT_LE(ink.bottom(), 10 + 9) << label;
        EXPECT_LT(ink.right(), 10 + room) << label << " spills into the next column";
    }
}

TEST(PictureBoxText, UsesTheForeColourAndJoinsItems) {
    PictureBox box({120, 30});
    EXPECT_EQ(box.foreColour(), box.palette().color(QPalette::WindowText));
    box.setForeColour(QColor(255, 0, 0));
    box.setFontName("MS Sans Serif");
    box.setFontSize(14);
    box.setFontBold(true);
    ASSERT_TRUE(box.text({"Mar", "ço", "  ", "2004"}));
    const QImage joinedItems = box.image();
    bool red = false;
    for (int y = 0; y < 30 && !red; ++y)
        for (int x = 0; x < 120 && !red; ++x)
            red = px(box, x, y) == 0xFF0000u;
    EXPECT_TRUE(red) << "fully covered pixels take the fore colour";

    box.clear();
    ASSERT_TRUE(box.text("Março  2004"));
    EXPECT_EQ(box.image(), joinedItems);
}

TEST(PictureBoxText, CopiesEvenUnderTheExclusiveOrPen) {
    PictureBox copy({60, 20}), xored({60, 20});
    xored.setPenMode(PenMode::Xor);
    for (PictureBox* b : {&copy, &xored}) {
        b->setForeColour(Qt::black);
        b->text("12");
        b->text("12");
    }
    EXPECT_EQ(copy.image(), xored.image());
    EXPECT_FALSE(inkOf(copy.image()).isEmpty());
}

TEST(PictureBoxText, ClipsAtTheEdgesAndToleratesOddInput) {
    PictureBox box({20, 10});
    box.setCurrentX(-6);
    box.setCurrentY(-4);
    EXPECT_TRUE(box.text("Wg"));
    box.setCurrentX(17);
    box.setCurrentY(7);
    EXPECT_TRUE(box.text("Wg"));
    box.setCurrentX(1e9f);
    EXPECT_TRUE(box.text("far away"));
    EXPECT_TRUE(box.text(""));
    EXPECT_TRUE(box.text("\xff\xfe broken UTF-8"));
    box.setFontName("");
    box.setFontSize(0);
    EXPECT_TRUE(box.text("x"));
    box.setCurrentY(std::nanf(""));
    EXPECT_FALSE(box.text("x"));
}

// On a screen of 1.5 or 2 device pixels to the pixel the box draws at the device's
// resolution, with strokes of one even width.
class PictureBoxHighDensity : public ::testing::TestWithParam<double> {};

TEST_P(PictureBoxHighDensity, KeepsDevicePixelsAndEvenStrokes) {
    const double ratio = GetParam();
    const int unit = int(std::lround(ratio));
    PictureBox box({40, 30});
    box.setPixelRatio(ratio);
    ASSERT_EQ(box.size(), QSize(40, 30));
    ASSERT_EQ(box.image().size(), QSize(int(std::ceil(40 * ratio)), int(std::ceil(30 * ratio))));

    // A horizontal line is the same `unit` rows in every column from end to end, and a
    // sloped one `unit` pixels in every column it crosses.
    for (const auto& [y2, name] : {std::pair{11.0f, "flat"}, std::pair{22.0f, "sloped"}}) {
        box.clear();
        const QImage before = box.image();
        box.line(0, 11, 39, y2, rgb(0, 0, 0));
        std::map<int, std::vector<int>> rows;
        for (const auto& [x, y] : changed(before, box.image()))
            rows[x].push_back(y);
        ASSERT_EQ(int(rows.size()), box.image().width()) << name;
        for (const auto& [x, ys] : rows) {
            ASSERT_EQ(int(ys.size()), unit) << name << " column " << x;
            EXPECT_EQ(ys.back() - ys.front(), unit - 1) << name << " column " << x;
            if (y2 == 11.0f) {
                EXPECT_EQ(ys, rows.begin()->second) << "column " << x;
            }
        }
    }

    // The dotted cursor keeps one rhythm down the whole column.
    box.clear();
    box.setLineStyle(LineStyle::Dot);
    box.line(20, 0, 20, 29, rgb(0, 0, 0));
    std::string pattern;
    const int x = int(std::floor(20 * ratio + (ratio - unit) / 2 + 0.5));
    for (int y = 0; y < box.image().height(); ++y)
        pattern += px(box, x, y) == 0 ? '#' : '.';
    const std::string period = ratio == 2 ? "##.." : "##.";
    for (std::size_t i = 0; i + period.size() <= pattern.size(); i += period.size())
        EXPECT_EQ(pattern.substr(i, period.size()), period) << pattern;
}

TEST_P(PictureBoxHighDensity, ExclusiveOrTwiceRestoresEveryPixel) {
    PictureBox box({60, 40});
    box.setPixelRatio(GetParam());
    paintBusyPicture(box);
    const QImage before = box.image();
    box.setPenMode(PenMode::Xor);
    for (auto style : {LineStyle::Solid, LineStyle::Dot, LineStyle::Dash}) {
        box.setLineStyle(style);
        for (int pass = 0; pass < 2; ++pass) {
            box.line(28, 0, 28, 39, kWhite);
            box.line(3.4f, 37.6f, 55.2f, 2.5f, kMagenta);
            box.line(59, 7, 0, 9, kGrey);
        }
        ASSERT_EQ(box.image(), before) << int(style);
    }
}

TEST_P(PictureBoxHighDensity, TextIsDrawnAtTheDeviceResolution) {
    const double ratio = GetParam();
    auto render = [](double r) {
        PictureBox box({60, 20});
        box.setPixelRatio(r);
        box.setForeColour(Qt::black);
        box.setFontName("Small Fonts");
        box.setFontSize(6.75);
        box.setCurrentX(2);
        box.setCurrentY(3);
        box.text("Sáb 1ª");
        return box.image();
    };
    const QImage sharp = render(ratio);
    const QImage blownUp =
        render(1).scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // Where the text stands is the same (give or take the hinting of another size), how
    // it is drawn is not a blown-up 1x picture.
    const QRect ink = inkOf(sharp), logical = inkOf(render(1));
    EXPECT_NEAR(ink.left() / ratio, logical.left(), 2.0);
    EXPECT_NEAR(ink.top() / ratio, logical.top(), 2.0);
    EXPECT_NEAR(ink.width() / ratio, logical.width(), 3.0);
    EXPECT_NE(sharp.convertToFormat(QImage::Format_RGB32),
              blownUp.convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(Ratios, PictureBoxHighDensity, ::testing::Values(1.5, 2.0));
