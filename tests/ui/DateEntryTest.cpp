// SPDX-License-Identifier: MIT
#include "WindowFixture.h"

#include <QAccessible>
#include <QSignalBlocker>

using namespace vitalune;
using DateEntryTest = vitalune::testing::WindowFixture;

TEST_F(DateEntryTest, LoadShowsTheDefaultsAndToday) {
    EXPECT_EQ(birth(), (Date{17, 2, 1959}));
    EXPECT_EQ(target(), (Date{31, 1, 2005}));
    EXPECT_EQ(window->birthDayLabel->text(), " 17");
    EXPECT_EQ(window->birthMonthLabel->text(), "  Fevereiro");
    EXPECT_EQ(window->birthYearLabel->text(), " 1959");
    EXPECT_EQ(window->referenceMonthLabel->text(), "  Janeiro  ");
    EXPECT_EQ(window->windowTitle(), "Vitalune");
    EXPECT_TRUE(window->chart().drawn);
    EXPECT_EQ(window->chart().cursorX, 14 * 31 + 14);
}

TEST_F(DateEntryTest, LoadOnTheTwentyNinthOfFebruaryKeepsToday) {
    for (QDate today : {QDate(2028, 2, 29), QDate(2000, 2, 29), QDate(2004, 2, 29)}) {
        open(today);
        EXPECT_EQ(target(), (Date{29, 2, static_cast<std::int16_t>(today.year())}));
        EXPECT_EQ(window->referenceDayLabel->text(), " 29");
        EXPECT_EQ(window->chart().cursorX, 14 * 29 + 14);
    }
}

TEST_F(DateEntryTest, MonthStepClampsTheDayToTheNewMonth) {
    step(window->referenceMonthStepper, +1); // 31/01/2005
    EXPECT_EQ(target(), (Date{28, 2, 2005}));
    EXPECT_EQ(window->referenceDayLabel->text(), " 28");
    EXPECT_EQ(window->chart().cursorX, 14 * 28 + 14);

    setTarget(31, 1, 2004);
    step(window->referenceMonthStepper, +1);
    EXPECT_EQ(target(), (Date{29, 2, 2004}));

    setTarget(31, 1, 2100); // not a leap year
    step(window->referenceMonthStepper, +1);
    EXPECT_EQ(target(), (Date{28, 2, 2100}));
}

TEST_F(DateEntryTest, MonthStepRollsTheYearOver) {
    setTarget(15, 12, 2004);
    step(window->referenceMonthStepper, +1);
    EXPECT_EQ(target(), (Date{15, 1, 2005}));
    EXPECT_EQ(window->referenceMonthLabel->text(), "  Janeiro  ");
    EXPECT_EQ(window->referenceYearLabel->text(), " 2005");

    step(window->referenceMonthStepper, -1);
    EXPECT_EQ(target(), (Date{15, 12, 2004}));
    EXPECT_EQ(window->referenceMonthLabel->text(), "  Dezembro ");
    EXPECT_EQ(window->referenceYearLabel->text(), " 2004");
}

TEST_F(DateEntryTest, MonthStepStopsAtTheEndsOfTheYearRange) {
    setTarget(15, 12, 3000);
    const QImage before = window->chartView->image();
    step(window->referenceMonthStepper, +1);
    EXPECT_EQ(target(), (Date{15, 12, 3000}));
    EXPECT_EQ(window->chartView->image(), before);

    setTarget(15, 1, 1900);
    step(window->referenceMonthStepper, -1);
    EXPECT_EQ(target(), (Date{15, 1, 1900}));

    // A large step towards the end stops on the last month, labels and chart alike.
    setTarget(15, 11, 3000);
    window->referenceMonthStepper->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(target(), (Date{15, 12, 3000}));
    EXPECT_EQ(window->referenceMonthLabel->text(), "  Dezembro ");
    setTarget(15, 2, 1900);
    window->referenceMonthStepper->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(target(), (Date{15, 1, 1900}));
    EXPECT_EQ(window->referenceMonthLabel->text(), "  Janeiro  ");
}

TEST_F(DateEntryTest, YearStepFromALeapDayMovesToTheTwentyEighth) {
    setTarget(29, 2, 2004);
    step(window->referenceYearStepper, +1);
    EXPECT_EQ(target(), (Date{28, 2, 2005}));
    EXPECT_EQ(window->referenceDayLabel->text(), " 28");
    setTarget(29, 2, 2096);
    step(window->referenceYearStepper, +1);
    EXPECT_EQ(target(), (Date{28, 2, 2097}));
}

TEST_F(DateEntryTest, BirthDatesAreClampedByTheirOwnMonth) {
    window->birthYearStepper->setValue(1980);
    window->birthMonthStepper->setValue(3);
    window->birthDayStepper->setValue(31);
    ASSERT_EQ(birth(), (Date{31, 3, 1980}));
    step(window->birthMonthStepper, +1);
    EXPECT_EQ(birth(), (Date{30, 4, 1980}));
    EXPECT_EQ(window->birthDayLabel->text(), " 30");

    window->birthMonthStepper->setValue(2);
    window->birthYearStepper->setValue(1960);
    window->birthDayStepper->setValue(29);
    EXPECT_EQ(birth(), (Date{29, 2, 1960}));
    // A leap February drawn last must not let 29/02/1959 stand.
    setTarget(10, 2, 2004);
    window->birthYearStepper->setValue(1959);
    EXPECT_EQ(birth(), (Date{28, 2, 1959}));
}

TEST_F(DateEntryTest, AssigningAnUnchangedValueDrawsNothing) {
    QImage marked = window->chartView->image();
    window->chartView->setCurrentX(0);
    window->chartView->setPenMode(PenMode::Copy);
    window->chartView->line(460, 190, 465, 190, rgb(255, 0, 0));
    marked = window->chartView->image();
    window->referenceDayStepper->setValue(window->referenceDayStepper->value());
    window->birthYearStepper->setValue(window->birthYearStepper->value());
    EXPECT_EQ(window->chartView->image(), marked);
}

TEST_F(DateEntryTest, MovingTheCursorRestoresEveryDotOfTheOldOne) {
    setTarget(17, 3, 2004);
    const QImage on17 = window->chartView->image();
    setTarget(3, 3, 2004);
    ScreenChart chart = window->chart(); // the chart as drawn for the 3rd
    chart.moveDayCursor(17, *window->chartView);
    EXPECT_EQ(window->chartView->image(), on17);
    // And drawn again in place, the cursor leaves the picture as it was.
    chart.moveDayCursor(17, *window->chartView);
    EXPECT_EQ(window->chartView->image(), on17);
}

TEST_F(DateEntryTest, ClearChartClearsOnlyADrawnChart) {
    ASSERT_TRUE(window->chart().drawn);
    window->clearChart();
    EXPECT_FALSE(window->chart().drawn);
    QImage white(window->chartView->image().size(), window->chartView->image().format());
    white.fill(Qt::white);
    EXPECT_EQ(window->chartView->image(), white);
}

TEST_F(DateEntryTest, KeyboardStepsTheFocusedField) {
    window->show();
    window->referenceDayStepper->setFocus();
    setTarget(10, 3, 2004);
    QTest::keyClick(window->referenceDayStepper, Qt::Key_Right);
    EXPECT_EQ(target().day, 11);
    QTest::keyClick(window->referenceDayStepper, Qt::Key_PageUp); // large step
    EXPECT_EQ(target().day, 14);
    EXPECT_EQ(window->referenceDayLabel->text(), " 14");
    QTest::keyClick(window->referenceDayStepper, Qt::Key_Left);
    EXPECT_EQ(target().day, 13);
}

TEST_F(DateEntryTest, ScreenReadersReadTheDatesAndTheDayValuesAsShown) {
    const auto value = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Value);
    };
    EXPECT_EQ(value(window->birthDayStepper), "17");
    // A step of the birth month names the new birth month, whatever the reference month.
    step(window->birthMonthStepper, +1);
    EXPECT_EQ(window->birthMonthLabel->text().trimmed(), "Março");
    EXPECT_EQ(value(window->birthMonthStepper), "Março");
    EXPECT_EQ(value(window->referenceMonthStepper), "Janeiro");

    // The chart and the dials describe the selected day, and follow a change of it.
    EXPECT_EQ(window->chartView->accessibleName(), "Gráfico de Janeiro de 2005");
    EXPECT_TRUE(window->chartView->accessibleDescription().startsWith("Dia 31: Físico "));
    step(window->referenceDayStepper, -1);
    EXPECT_TRUE(window->chartView->accessibleDescription().startsWith("Dia 30: Físico "));
    EXPECT_TRUE(window->emotionalDial->accessibleDescription().startsWith("Emocional "));
    EXPECT_TRUE(
        window->emotionalDial->accessibleDescription().endsWith("dia 30 de Janeiro de 2005"));

    // A month control standing past December, charted as January: the texts still follow
    // the day, never keeping the values of the day before.
    {
        const QSignalBlocker block(window->referenceMonthStepper);
        window->referenceMonthStepper->setValue(13);
    }
    step(window->referenceDayStepper, -1);
    EXPECT_EQ(window->chartView->accessibleName(), "Gráfico de Janeiro de 2005");
    EXPECT_TRUE(window->chartView->accessibleDescription().startsWith("Dia 29: Físico "));
    EXPECT_TRUE(
        window->emotionalDial->accessibleDescription().endsWith("dia 29 de Janeiro de 2005"));
}
