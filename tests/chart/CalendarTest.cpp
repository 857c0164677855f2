// SPDX-License-Identifier: MIT
#include "Calendar.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace vitalune;

namespace {
// Day numbers count from 30/12/1899, as QDate's Julian day does from its own origin.
int viaQDate(int y, int m, int d) {
    return static_cast<int>(QDate(y, m, d).toJulianDay() - QDate(1899, 12, 30).toJulianDay());
}
} // namespace

TEST(CalendarTest, NamesAndLengthsReadBackWithAllTheirBlanks) {
    const int lengths[14] = {31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31};
    for (int m = 0; m < 14; ++m)
        EXPECT_EQ(daysInMonth(m, 2005), lengths[m]) << m;
    EXPECT_EQ(paddedMonthName(0), "  Dezembro ");
    EXPECT_EQ(paddedMonthName(2), "  Fevereiro");
    EXPECT_EQ(paddedMonthName(3), "  Março    ");
    EXPECT_EQ(paddedMonthName(5), "  Maio     ");
    EXPECT_EQ(paddedMonthName(9), "  Setembro ");
    EXPECT_EQ(paddedMonthName(13), "  Janeiro  ");
    EXPECT_EQ(trimmed(paddedMonthName(5)), "Maio");
    EXPECT_EQ(monthName(1), "Janeiro");
    EXPECT_EQ(monthName(3), "Março");
    EXPECT_EQ(monthName(12), "Dezembro");
    EXPECT_EQ(weekdayAbbreviation(1), "D ");
    EXPECT_EQ(weekdayAbbreviation(3), "3ª");
    EXPECT_EQ(weekdayAbbreviation(7), "S ");
    EXPECT_EQ(fixedText("abcdef", 3), "abc");
    EXPECT_EQ(fixedText("ç", 3), "ç  ");
}

TEST(CalendarTest, LeapYearsAreGregorian) {
    for (int y : {1900, 2100, 2200, 2300, 2500, 2600, 2700, 2900, 3000, 1959, 2005})
        EXPECT_EQ(daysInMonth(2, y), 28) << y;
    for (int y : {1904, 1960, 2000, 2004, 2400, 2800})
        EXPECT_EQ(daysInMonth(2, y), 29) << y;

    EXPECT_EQ(daysInMonth(2, 2004), 29);
    EXPECT_EQ(daysInMonth(2, 1900), 28);
    EXPECT_EQ(daysInMonth(3, 2004), 31);
    EXPECT_EQ(daysInMonth(2, 2100), 28);
    EXPECT_EQ(daysInMonth(0, 2004), 31);
    EXPECT_EQ(daysInMonth(13, 2004), 31);
}

TEST(CalendarTest, ClampJudgesEachDateByItsOwnMonth) {
    EXPECT_EQ(clampDay({31, 4, 1980}), 30);
    EXPECT_EQ(clampDay({30, 2, 2004}), 29);
    EXPECT_EQ(clampDay({30, 2, 2005}), 28);
    EXPECT_EQ(clampDay({29, 2, 1900}), 28);
    EXPECT_EQ(clampDay({29, 2, 1960}), 29);
    EXPECT_EQ(clampDay({17, 2, 1959}), 17);
    EXPECT_EQ(clampDay({31, 13, 3000}), 31);
}

TEST(CalendarTest, DayNumbersRollOverLikeTheCalendar) {
    EXPECT_EQ(dayNumber(1899, 12, 30), 0);
    EXPECT_EQ(dayNumber(2004, 2, 30), dayNumber(2004, 3, 1));
    EXPECT_EQ(dayNumber(2004, 13, 1), dayNumber(2005, 1, 1));
    EXPECT_EQ(dayNumber(2004, 14, 1), dayNumber(2005, 2, 1));
    EXPECT_EQ(dayNumber(2004, 3, 0), dayNumber(2004, 2, 29));
    EXPECT_EQ(dayNumber(2004, 0, 15), dayNumber(2003, 12, 15));
    EXPECT_EQ(dayNumber(2004, 1, 32), dayNumber(2004, 2, 1));
    EXPECT_EQ(dayNumber(1900, 2, 29), dayNumber(1900, 3, 1));
    EXPECT_EQ(dayNumber(1900, 0, 31), dayNumber(1899, 12, 31));
}

TEST(CalendarTest, DayNumbersAndWeekdaysAgreeWithQDate) {
    for (int y : {1900, 1901, 1959, 1999, 2000, 2004, 2100, 2400, 2999, 3000})
        for (int m = 1; m <= 12; ++m)
            for (int d : {1, 15, 28}) {
                const auto n = dayNumber(y, m, d);
                ASSERT_EQ(n, viaQDate(y, m, d)) << d << '/' << m << '/' << y;
                ASSERT_EQ(weekday(n), QDate(y, m, d).dayOfWeek() % 7 + 1)
                    << d << '/' << m << '/' << y;
            }
    EXPECT_EQ(weekday(dayNumber(2005, 1, 1)), 7);
    EXPECT_EQ(weekdayAbbreviation(weekday(dayNumber(2005, 1, 1))), "S ");
    EXPECT_EQ(weekday(dayNumber(1899, 12, 31)), 1);
}
