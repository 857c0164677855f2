// SPDX-License-Identifier: MIT
#include "Cycles.h"
#include "ChartDescription.h"
#include "Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vitalune;

TEST(NumbersTest, RoundingTakesTiesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfToEven(2.5), 2);
    EXPECT_EQ(roundHalfToEven(3.5), 4);
    EXPECT_EQ(roundHalfToEven(-2.5), -2);
    EXPECT_EQ(roundHalfToEven(-3.5), -4);
    EXPECT_EQ(roundHalfToEven(99.9988), 100);
}

TEST(CyclesTest, TableHoldsTheThreeCyclesInOrder) {
    EXPECT_STREQ(Cycles[0].name, "Físico");
    EXPECT_EQ(Cycles[0].period, 23);
    EXPECT_EQ(Cycles[1].period, 28);
    EXPECT_EQ(Cycles[2].period, 33);
    EXPECT_EQ(Cycles[0].screenColour, 0xFF00FFu);
    EXPECT_EQ(Cycles[1].screenColour, 0xFFFF00u);
    EXPECT_EQ(Cycles[2].screenColour, 0x00FF00u);
}

TEST(CyclesTest, BaseDaysIsTheAgeTwoDaysBeforeTheFirst) {
    EXPECT_FLOAT_EQ(baseDays({17, 2, 1959}, {17, 2, 1959}), -18.0f);
    EXPECT_FLOAT_EQ(baseDays({1, 1, 2005}, {15, 1, 2005}), -2.0f);
    EXPECT_FLOAT_EQ(baseDays({17, 2, 1959}, {1, 3, 2004}), 16449.0f - 2.0f);
}

TEST(CyclesTest, PhaseStaysInUnitIntervalForNegativeAges) {
    for (float age : {-1.0f, -22.0f, -23.0f, -24.0f, -1000.0f, 0.0f, 5.0f, 40000.0f})
        for (const auto& c : Cycles) {
            const float p = phase(age, c.period);
            EXPECT_GE(p, 0.0f) << age;
            EXPECT_LT(p, 1.0f) << age;
        }
    EXPECT_FLOAT_EQ(phase(-1.0f, 23), 22.0f / 23.0f);
}

TEST(CyclesTest, OrdinateUsesTheChartTurnConstant) {
    EXPECT_NEAR(ordinate(0, 23, 0.25f), 15.0, 1e-4);
    // One full period with 6.2832 instead of 2π lands just above the zero line.
    EXPECT_NEAR(ordinate(322, 23, 0.0f), 99.9988, 1e-4);
    EXPECT_LT(ordinate(322, 23, 0.0f), 100.0f);
    EXPECT_NEAR(ordinate(0, 28, 0.75f), 185.0, 1e-4);
}

TEST(CyclesTest, BirthDayPutsEveryHandLeft) {
    // On the birth date itself the age is 0 at that day's column centre.
    for (int day : {1, 17, 31}) {
        const Date d{day, 1, 2005};
        const float base = baseDays(d, d);
        const int x = 14 * day + 14;
        for (const auto& c : Cycles) {
            const float p = phase(base, c.period);
            // The bracket is a whole number n of cycles: 100 - 85 sin(6.2832 n).
            const double n = std::round(double(x) / (14.0 * c.period) + p);
            EXPECT_NEAR(ordinate(x, c.period, p), 100 - 85 * std::sin(kFullTurn * n), 2e-4);
            if (n == 1) {
                EXPECT_NEAR(ordinate(x, c.period, p), 99.9988, 2e-4);
            }
            EXPECT_EQ(dialPoint(x, c.period, p), (DialPoint{6, 27})) << c.name << ' ' << day;
        }
    }
}

TEST(CyclesTest, EmotionalPeakAtSevenDaysPointsUp) {
    const Date birth{1, 3, 2004};
    const Date target{8, 3, 2004};
    const float p = phase(baseDays(birth, target), 28);
    const int x = 14 * 8 + 14;
    EXPECT_NEAR(ordinate(x, 28, p), 15.0, 1e-3);
    EXPECT_EQ(dialPoint(x, 28, p), (DialPoint{27, 6}));
}

TEST(CyclesTest, HandTurnsClockwiseThroughACycle) {
    // Quarter periods: left, up, right, down.
    EXPECT_EQ(dialPoint(0, 28, 0.0f), (DialPoint{6, 27}));
    EXPECT_EQ(dialPoint(0, 28, 0.25f), (DialPoint{27, 6}));
    EXPECT_EQ(dialPoint(0, 28, 0.5f), (DialPoint{48, 27}));
    EXPECT_EQ(dialPoint(0, 28, 0.75f), (DialPoint{27, 48}));
}

// What a screen reader is told: each cycle's value on the reference day, in percent,
// against sin(2π · age / period) computed here from the age alone.
TEST(CyclesTest, DayValuesInPercentFollowTheAgeOnTheReferenceDay) {
    const Date birth{17, 2, 1959};
    struct Case {
        Date target;
        double age; // days from the birth date to the reference day
    };
    for (const auto& [target, age] :
         {Case{{17, 2, 1959}, 0}, Case{{24, 2, 1959}, 7}, Case{{1, 3, 1959}, 12},
          Case{{31, 12, 2004}, 16754}, Case{{10, 2, 1959}, -7}}) {
        const auto values = dayValues(birth, target);
        for (std::size_t c = 0; c < 3; ++c) {
            const double expected = 100.0 * std::sin(2 * M_PI * age / Cycles[c].period);
            EXPECT_NEAR(values[c], expected, 0.51) << Cycles[c].name << " at age " << age;
        }
    }
    EXPECT_EQ(dayValues(birth, {24, 2, 1959})[1], 100) << "emotional peak, a week on";

    EXPECT_EQ(chartDescription(birth, {17, 2, 1959}),
              "Dia 17: Físico 0%, Emocional 0%, Intelectual 0%");
    EXPECT_EQ(dialDescription(1, birth, {24, 2, 1959}),
              "Emocional 100%, dia 24 de Fevereiro de 1959");
    EXPECT_EQ(monthAndYear({1, 3, 2004}), "Março de 2004");
    EXPECT_EQ(monthAndYear({1, 13, 3000}), "Janeiro de 3000"); // as the heading names it
}
