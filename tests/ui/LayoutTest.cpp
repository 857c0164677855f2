// SPDX-License-Identifier: MIT
// The main window's and the printer-type dialog's make-up: places, ranges, pictures and
// readable colours.
#include "PrintModeDialog.h"
#include "SystemColours.h"
#include "Toolbar.h"
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

// Fusion with qt6ct's "darker" colour scheme (its colours in the order of QPalette's roles).
QPalette darkPalette() {
    const char* scheme[] = {"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947",
                            "#ffffff", "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0",
                            "#12608a", "#f9f9f9", "#0986d3", "#a70b06", "#5c5b5a"};
    QPalette p;
    for (int role = 0; role < int(std::size(scheme)); ++role)
        p.setColor(QPalette::ColorRole(role), QColor(scheme[role]));
    return p;
}

// Where `control` stands in its window's picture.
QRect placeOf(const QWidget* control) {
    return QRect(control->mapTo(control->window(), QPoint(0, 0)), control->size());
}

// How far the pixels of `area` stand out from `background`: the most (the core of a text)
// or, among those that differ from it, the least (the faintest ink of a picture).
std::pair<double, double> contrasts(const QImage& image, QRect area, const QColor& background) {
    double most = 1, least = 21;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.rgb() == background.rgb())
                continue;
            most = std::max(most, contrastRatio(c, background));
            least = std::min(least, contrastRatio(c, background));
        }
    return {most, least};
}

// Every text of the window and the dialog as drawn stands out 4.5 to 1 from its ground, and
// every picture on the toolbar's face 3 to 1; the dials sit on the window's background.
void expectReadable(MainWindow& window, PrintModeDialog& dialog) {
    const QColor face = window.palette().color(QPalette::Button);
    const QColor ground = window.palette().color(QPalette::Window);
    const auto inside = [](const QWidget* w) { return placeOf(w).adjusted(2, 2, -2, -2); };
    for (ToolbarButton* hovered : {window.webButton, window.printButton, window.helpButton,
                                   window.closeButton, static_cast<ToolbarButton*>(nullptr)}) {
        window.toolbar->setHoveredButton(hovered); // none: every button at rest
        const QImage shot = window.grab().toImage();
        for (ToolbarButton* b : {window.printButton, window.helpButton, window.closeButton}) {
            if (hovered && b != hovered)
                continue;
            EXPECT_GE(contrasts(shot, inside(b), face).second, 3.0) << "picture";
        }
        if (hovered == window.webButton) {
            EXPECT_GE(contrasts(shot, inside(hovered), face).first, 4.5) << "hovered caption";
        }
        if (hovered != window.printButton)
            continue;
        EXPECT_EQ(window.statusLine->text(), "Imprimir");
        EXPECT_GE(contrasts(shot, placeOf(window.statusLine), face).first, 4.5) << "status";
        for (QLabel* heading : {window.birthHeading, window.referenceHeading})
            EXPECT_GE(contrasts(shot, placeOf(heading), ground).first, 4.5) << "heading";
        for (QWidget* dial : {window.physicalDial, window.emotionalDial, window.intellectualDial})
            EXPECT_EQ(shot.pixelColor(placeOf(dial).topLeft()), ground) << "dial corner";
    }
    for (bool hovered : {true, false}) {
        dialog.cancelButton->setAttribute(Qt::WA_UnderMouse, hovered);
        const QImage shot = dialog.grab().toImage();
        EXPECT_GE(contrasts(shot, placeOf(dialog.heading), face).first, 4.5) << "dialog heading";
        EXPECT_GE(contrasts(shot, inside(dialog.cancelButton), face).second, 3.0) << "cross";
    }
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

TEST_F(DarkThemeTest, EveryTextAndPictureAsDrawnStandsOutFromItsGround) {
    PrintModeDialog dialog;
    expectReadable(*window, dialog);
}

TEST_F(DarkThemeTest, ThemeChangesAreFollowedAndTheDefaultPaletteLooksAsDesigned) {
    PrintModeDialog dialog;
    // Windows on screen hear of the desktop's theme.
    window->show();
    dialog.show();
    const QPalette dark = QApplication::palette();
    // The desktop tells the windows of a new theme through the event loop.
    const auto switchTo = [this, &dialog](const QPalette& theme) {
        QApplication::setPalette(theme);
        const QPalette now = QApplication::palette();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return window->palette().color(QPalette::Window) == now.color(QPalette::Window) &&
                   dialog.palette().color(QPalette::Button) == now.color(QPalette::Button);
        }));
    };
    switchTo(saved_);
    const QImage windowShot = window->grab().toImage(), dialogShot = dialog.grab().toImage();
    {
        // A window and a dialog that never saw the dark theme.
        MainWindow fresh([] { return QDate(2005, 1, 31); });
        PrintModeDialog freshDialog;
        EXPECT_EQ(windowShot, fresh.grab().toImage());
        EXPECT_EQ(dialogShot, freshDialog.grab().toImage());
    }
    switchTo(dark);
    expectReadable(*window, dialog);
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
