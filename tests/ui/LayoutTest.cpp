// SPDX-License-Identifier: MIT
// The main window's and the printer-type dialog's make-up: places, ranges, pictures and
// readable colours.
#include "PrintModeDialog.h"
#include "ToolbarButton.h"
#include "WindowFixture.h"

#include <QApplication>

using namespace vitalune;
using LayoutTest = vitalune::testing::WindowFixture;

TEST_F(LayoutTest, ControlsStandAtTheirDesignPlaces) {
    EXPECT_EQ(window->size(), QSize(483, 308));
    const std::vector<std::pair<QWidget*, QRect>> expected = {
        {window->chartView, {8, 5, 466, 203}},
        {window->physicalDial, {160, 219, 54, 54}},
        {window->emotionalDial, {217, 220, 54, 54}},
        {window->intellectualDial, {273, 220, 54, 54}},
        {window->birthHeading, {11, 212, 136, 17}},
        {window->referenceHeading, {336, 211, 131, 19}},
        {window->birthMonthLabel, {6, 231, 73, 17}},
        {window->birthDayLabel, {79, 231, 29, 17}},
        {window->birthYearLabel, {108, 231, 37, 17}},
        {window->birthMonthStepper, {29, 249, 29, 15}},
        {window->birthDayStepper, {79, 248, 29, 15}},
        {window->birthYearStepper, {112, 248, 29, 15}},
        {window->referenceMonthLabel, {335, 230, 73, 17}},
        {window->referenceDayLabel, {408, 230, 29, 17}},
        {window->referenceYearLabel, {437, 230, 37, 17}},
        {window->referenceMonthStepper, {357, 247, 29, 15}},
        {window->referenceDayStepper, {408, 247, 29, 15}},
        {window->referenceYearStepper, {441, 247, 29, 15}},
        {window->webButton, {0, 2, 69, 22}},
        {window->printButton, {73, 2, 23, 22}},
        {window->helpButton, {97, 2, 23, 22}},
        {window->closeButton, {442, 3, 37, 21}},
    };
    for (const auto& [widget, rect] : expected)
        EXPECT_EQ(widget->geometry(), rect) << widget->objectName().toStdString();
}

TEST_F(LayoutTest, RangesAndStepsOfTheDateControls) {
    struct Range {
        QScrollBar* bar;
        int min, max, page;
    };
    for (const auto& r :
         {Range{window->birthDayStepper, 1, 31, 3}, Range{window->birthMonthStepper, 1, 12, 3},
          Range{window->birthYearStepper, 1900, 3000, 1},
          Range{window->referenceDayStepper, 1, 31, 3},
          Range{window->referenceMonthStepper, 0, 13, 3},
          Range{window->referenceYearStepper, 1900, 3000, 1}}) {
        EXPECT_EQ(r.bar->minimum(), r.min);
        EXPECT_EQ(r.bar->maximum(), r.max);
        EXPECT_EQ(r.bar->singleStep(), 1);
        EXPECT_EQ(r.bar->pageStep(), r.page);
    }
    EXPECT_EQ(window->birthHeading->text(), "Data de Nascimento");
    EXPECT_EQ(window->referenceHeading->text(), "Data do Vitalune");
}

TEST_F(LayoutTest, ResizingMovesNothing) {
    const QRect chart = window->chartView->geometry();
    window->resize(800, 600);
    EXPECT_EQ(window->chartView->geometry(), chart);
    EXPECT_EQ(window->chartView->image().size(), QSize(466, 203));
}

TEST_F(LayoutTest, DialsShowTheirFacesAgainWhenCleared) {
    window->clearChart();
    const QImage face = window->physicalDial->image();
    // The painted pointer is back at the top of the face.
    EXPECT_NE(face.pixelColor(27, 10), QColor(Qt::black));
    EXPECT_EQ(face.pixelColor(27, 10), QColor(255, 0, 255));

    // At 1.5 device pixels to the pixel the face drawn for that ratio shows as it is.
    window->physicalDial->setPixelRatio(1.5);
    window->redrawChart();
    window->clearChart();
    EXPECT_EQ(window->physicalDial->image(),
              QImage(":/images/dial-fisico@1.5x.png").convertToFormat(QImage::Format_RGB32));
}

namespace {

// A dark desktop theme: light text on dark windows and buttons.
QPalette darkPalette() {
    QPalette p;
    const QColor window(53, 53, 53), text(Qt::white);
    for (auto [role, colour] :
         {std::pair{QPalette::Window, window}, std::pair{QPalette::WindowText, text},
          std::pair{QPalette::Base, QColor(42, 42, 42)}, std::pair{QPalette::Text, text},
          std::pair{QPalette::Button, window}, std::pair{QPalette::ButtonText, text},
          std::pair{QPalette::Light, QColor(80, 80, 80)},
          std::pair{QPalette::Dark, QColor(30, 30, 30)},
          std::pair{QPalette::Midlight, QColor(66, 66, 66)},
          std::pair{QPalette::Shadow, QColor(20, 20, 20)}})
        p.setColor(role, colour);
    return p;
}

// Pixels of the picture no lighter than dark grey.
int darkPixels(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 80;
    return n;
}

} // namespace

class DarkThemeTest : public vitalune::testing::WindowFixture {
protected:
    void SetUp() override {
        saved_ = QApplication::palette();
        QApplication::setPalette(darkPalette());
        open();
    }
    void TearDown() override {
        window.reset();
        QApplication::setPalette(saved_);
    }

private:
    QPalette saved_;
};

TEST_F(DarkThemeTest, TextOnTheWhiteChartAndValueLabelsStaysDark) {
    // Heading, weekdays and day numbers are black on the chart's white.
    const QImage chart = window->chartView->image();
    EXPECT_GT(darkPixels(chart, {190, 0, 150, 20}), 30) << "month heading";
    EXPECT_GT(darkPixels(chart, {21, 86, 40, 10}), 5) << "weekday labels";
    EXPECT_GT(darkPixels(chart, {21, 106, 40, 10}), 5) << "day numbers";
    for (QLabel* label :
         {window->birthMonthLabel, window->birthDayLabel, window->birthYearLabel,
          window->referenceMonthLabel, window->referenceDayLabel, window->referenceYearLabel}) {
        const QImage shown = label->grab().toImage();
        const QRect inside = shown.rect().adjusted(2, 2, -2, -2);
        EXPECT_EQ(shown.pixelColor(inside.topLeft()), QColor(Qt::white));
        EXPECT_GT(darkPixels(shown, inside), 3) << label->objectName().toStdString();
    }
}

TEST_F(DarkThemeTest, EveryLabelOfTheWindowAndTheDialogIsReadable) {
    PrintModeDialog dialog;
    QList<QLabel*> labels = window->findChildren<QLabel*>();
    labels += dialog.findChildren<QLabel*>();
    for (QLabel* label : labels) {
        const QPalette pal = label->palette();
        const QColor back = label->autoFillBackground()
                                ? pal.color(QPalette::Window)
                                : label->parentWidget()->palette().color(QPalette::Window);
        EXPECT_GE(std::abs(pal.color(QPalette::WindowText).lightness() - back.lightness()), 100)
            << label->objectName().toStdString();
    }
}

TEST_F(LayoutTest, ToolbarPicturesComeAtTwiceTheResolution) {
    for (ToolbarButton* b : {window->printButton, window->helpButton, window->closeButton})
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active}) {
            const QList<QSize> sizes = b->icon().availableSizes(mode);
            ASSERT_EQ(sizes.size(), 2) << b->objectName().toStdString();
            EXPECT_EQ(sizes[1], sizes[0] * 2) << b->objectName().toStdString();
        }

    // At scale 2 the print, help and dialog pictures show more than the 1x picture blown
    // up: some 2 x 2 block of what the button draws is not of one colour.
    PrintModeDialog dialog;
    for (auto* b : {window->printButton, window->helpButton, dialog.cancelButton,
                    dialog.blackAndWhiteButton, dialog.colourButton})
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active}) {
            if (b->icon().availableSizes(mode).isEmpty())
                continue;
            const QSize size = b->icon().availableSizes(mode).front();
            const QImage shown = b->icon().pixmap(size, 2.0, mode).toImage();
            ASSERT_EQ(shown.size(), size * 2) << b->objectName().toStdString();
            bool finer = false;
            for (int y = 0; y < shown.height(); y += 2)
                for (int x = 0; x < shown.width(); x += 2)
                    for (const QPoint d : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                        finer = finer || shown.pixel(x, y) != shown.pixel(QPoint(x, y) + d);
            EXPECT_TRUE(finer) << b->objectName().toStdString();
        }
}
