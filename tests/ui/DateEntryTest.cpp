// SPDX-License-Identifier: MIT
#include "WindowFixture.h"

#include <QAccessible>
#include <QSignalBlocker>

using namespace vitalune;
using DateEntryTest = vitalune::testing::WindowFixture;

TEST_F(DateEntryTest, LoadShowsTheDefaultsAndToday) {
    EXPECT_EQ(birth(), (Date{17, 2, 1959}));
    EXPECT_EQ(target(), (Date{31, 1, 2005}));
    EXPECT_EQ(window->Etijj1->text(), " 17");
    EXPECT_EQ(window->Etimm1->text(), "  Fevereiro");
    EXPECT_EQ(window->Etiaa1->text(), " 1959");
    EXPECT_EQ(window->Etimm2->text(), "  Janeiro  ");
    EXPECT_EQ(window->windowTitle(), "Vitalune");
    EXPECT_TRUE(window->chart().drawn);
    EXPECT_EQ(window->chart().cursorX, 14 * 31 + 14);
}

TEST_F(DateEntryTest, LoadOnTheTwentyNinthOfFebruaryKeepsToday) {
    for (QDate today : {QDate(2028, 2, 29), QDate(2000, 2, 29), QDate(2004, 2, 29)}) {
        open(today);
        EXPECT_EQ(target(), (Date{29, 2, static_cast<std::int16_t>(today.year())}));
        EXPECT_EQ(window->Etijj2->text(), " 29");
        EXPECT_EQ(window->chart().cursorX, 14 * 29 + 14);
    }
}

TEST_F(DateEntryTest, MonthStepClampsTheDayToTheNewMonth) {
    step(window->Défilmm2, +1); // 31/01/2005
    EXPECT_EQ(target(), (Date{28, 2, 2005}));
    EXPECT_EQ(window->Etijj2->text(), " 28");
    EXPECT_EQ(window->chart().cursorX, 14 * 28 + 14);

    setTarget(31, 1, 2004);
    step(window->Défilmm2, +1);
    EXPECT_EQ(target(), (Date{29, 2, 2004}));

    setTarget(31, 1, 2100); // not a leap year
    step(window->Défilmm2, +1);
    EXPECT_EQ(target(), (Date{28, 2, 2100}));
}

TEST_F(DateEntryTest, MonthStepRollsTheYearOver) {
    setTarget(15, 12, 2004);
    step(window->Défilmm2, +1);
    EXPECT_EQ(target(), (Date{15, 1, 2005}));
    EXPECT_EQ(window->Etimm2->text(), "  Janeiro  ");
    EXPECT_EQ(window->Etiaa2->text(), " 2005");

    step(window->Défilmm2, -1);
    EXPECT_EQ(target(), (Date{15, 12, 2004}));
    EXPECT_EQ(window->Etimm2->text(), "  Dezembro ");
    EXPECT_EQ(window->Etiaa2->text(), " 2004");
}

TEST_F(DateEntryTest, MonthStepStopsAtTheEndsOfTheYearRange) {
    setTarget(15, 12, 3000);
    const QImage before = window->Img0->image();
    step(window->Défilmm2, +1);
    EXPECT_EQ(target(), (Date{15, 12, 3000}));
    EXPECT_EQ(window->Img0->image(), before);

    setTarget(15, 1, 1900);
    step(window->Défilmm2, -1);
    EXPECT_EQ(target(), (Date{15, 1, 1900}));

    // A large step towards the end stops on the last month, labels and chart alike.
    setTarget(15, 11, 3000);
    window->Défilmm2->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(target(), (Date{15, 12, 3000}));
    EXPECT_EQ(window->Etimm2->text(), "  Dezembro ");
    setTarget(15, 2, 1900);
    window->Défilmm2->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(target(), (Date{15, 1, 1900}));
    EXPECT_EQ(window->Etimm2->text(), "  Janeiro  ");
}

TEST_F(DateEntryTest, YearStepFromALeapDayMovesToTheTwentyEighth) {
    setTarget(29, 2, 2004);
    step(window->Défilaa2, +1);
    EXPECT_EQ(target(), (Date{28, 2, 2005}));
    EXPECT_EQ(window->Etijj2->text(), " 28");
    setTarget(29, 2, 2096);
    step(window->Défilaa2, +1);
    EXPECT_EQ(target(), (Date{28, 2, 2097}));
}

TEST_F(DateEntryTest, BirthDatesAreClampedByTheirOwnMonth) {
    window->Défilaa1->setValue(1980);
    window->Défilmm1->setValue(3);
    window->Défiljj1->setValue(31);
    ASSERT_EQ(birth(), (Date{31, 3, 1980}));
    step(window->Défilmm1, +1);
    EXPECT_EQ(birth(), (Date{30, 4, 1980}));
    EXPECT_EQ(window->Etijj1->text(), " 30");

    window->Défilmm1->setValue(2);
    window->Défilaa1->setValue(1960);
    window->Défiljj1->setValue(29);
    EXPECT_EQ(birth(), (Date{29, 2, 1960}));
    // A leap February drawn last must not let 29/02/1959 stand.
    setTarget(10, 2, 2004);
    window->Défilaa1->setValue(1959);
    EXPECT_EQ(birth(), (Date{28, 2, 1959}));
}

TEST_F(DateEntryTest, AssigningAnUnchangedValueDrawsNothing) {
    QImage marked = window->Img0->image();
    window->Img0->setCurrentX(0);
    window->Img0->setPenMode(PenMode::Copy);
    window->Img0->line(460, 190, 465, 190, rgb(255, 0, 0));
    marked = window->Img0->image();
    window->Défiljj2->setValue(window->Défiljj2->value());
    window->Défilaa1->setValue(window->Défilaa1->value());
    EXPECT_EQ(window->Img0->image(), marked);
}

TEST_F(DateEntryTest, MovingTheCursorRestoresEveryDotOfTheOldOne) {
    setTarget(17, 3, 2004);
    const QImage on17 = window->Img0->image();
    setTarget(3, 3, 2004);
    {
        const QSignalBlocker block(window->Défiljj2);
        window->Défiljj2->setValue(17);
    }
    window->moveDayCursor();
    EXPECT_EQ(window->Img0->image(), on17);
    // And drawn again in place, the cursor leaves the picture as it was.
    window->moveDayCursor();
    EXPECT_EQ(window->Img0->image(), on17);
}

TEST_F(DateEntryTest, RafraichirClearsOnlyADrawnChart) {
    ASSERT_TRUE(window->chart().drawn);
    window->Rafraichir();
    EXPECT_FALSE(window->chart().drawn);
    QImage white(window->Img0->image().size(), window->Img0->image().format());
    white.fill(Qt::white);
    EXPECT_EQ(window->Img0->image(), white);
}

TEST_F(DateEntryTest, KeyboardStepsTheFocusedField) {
    window->show();
    window->Défiljj2->setFocus();
    setTarget(10, 3, 2004);
    QTest::keyClick(window->Défiljj2, Qt::Key_Right);
    EXPECT_EQ(target().day, 11);
    QTest::keyClick(window->Défiljj2, Qt::Key_PageUp); // large step
    EXPECT_EQ(target().day, 14);
    EXPECT_EQ(window->Etijj2->text(), " 14");
    QTest::keyClick(window->Défiljj2, Qt::Key_Left);
    EXPECT_EQ(target().day, 13);
}

TEST_F(DateEntryTest, ScreenReadersReadTheDatesAndTheDayValuesAsShown) {
    const auto value = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Value);
    };
    EXPECT_EQ(value(window->Défiljj1), "17");
    // A step of the birth month names the new birth month, whatever the reference month.
    step(window->Défilmm1, +1);
    EXPECT_EQ(window->Etimm1->text().trimmed(), "Março");
    EXPECT_EQ(value(window->Défilmm1), "Março");
    EXPECT_EQ(value(window->Défilmm2), "Janeiro");

    // The chart and the dials describe the selected day, and follow a change of it.
    EXPECT_EQ(window->Img0->accessibleName(), "Gráfico de Janeiro de 2005");
    EXPECT_TRUE(window->Img0->accessibleDescription().startsWith("Dia 31: Físico "));
    step(window->Défiljj2, -1);
    EXPECT_TRUE(window->Img0->accessibleDescription().startsWith("Dia 30: Físico "));
    EXPECT_TRUE(window->Img2->accessibleDescription().startsWith("Emocional "));
    EXPECT_TRUE(window->Img2->accessibleDescription().endsWith("dia 30 de Janeiro de 2005"));
}
