// SPDX-License-Identifier: MIT
#include "Calendar.h"
#include "RuntimeError.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace vitalune;

namespace {
// Day numbers count from 30/12/1899, as QDate's Julian day does from its own origin.
std::int32_t viaQDate(int y, int m, int d) {
    return static_cast<std::int32_t>(QDate(y, m, d).toJulianDay() -
                                     QDate(1899, 12, 30).toJulianDay());
}

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override { remplitTables(); }
};
} // namespace

TEST_F(CalendarTest, TablesReadBackWithAllTheirBlanks) {
    const std::array<std::int16_t, 14> lengths = {31, 31, 28, 31, 30, 31, 30,
                                                  31, 31, 30, 31, 30, 31, 31};
    EXPECT_EQ(JoursDansMois, lengths);
    EXPECT_EQ(NomsMois[0], "  Dezembro ");
    EXPECT_EQ(NomsMois[2], "  Fevereiro");
    EXPECT_EQ(NomsMois[3], "  Março    ");
    EXPECT_EQ(NomsMois[5], "  Maio     ");
    EXPECT_EQ(NomsMois[9], "  Setembro ");
    EXPECT_EQ(NomsMois[13], "  Janeiro  ");
    EXPECT_EQ(trimmed(NomsMois[5]), "Maio");
    EXPECT_EQ(JoursSemaine[1], "D ");
    EXPECT_EQ(JoursSemaine[3], "3ª");
    EXPECT_EQ(JoursSemaine[7], "S ");
    EXPECT_EQ(fixedText("abcdef", 3), "abc");
    EXPECT_EQ(fixedText("ç", 3), "ç  ");
}

TEST_F(CalendarTest, LeapYearsAreGregorian) {
    for (int y : {1900, 2100, 2200, 2300, 2500, 2600, 2700, 2900, 3000, 1959, 2005})
        EXPECT_FALSE(estBissextile(y)) << y;
    for (int y : {1904, 1960, 2000, 2004, 2400, 2800})
        EXPECT_TRUE(estBissextile(y)) << y;

    regleFevrier(2, 2004);
    EXPECT_EQ(JoursDansMois[2], 29);
    regleFevrier(2, 1900);
    EXPECT_EQ(JoursDansMois[2], 28);
    regleFevrier(3, 2004); // only a leap February gets 29
    EXPECT_EQ(JoursDansMois[2], 28);
    EXPECT_EQ(joursDansLeMois(2, 2100), 28);
    EXPECT_EQ(joursDansLeMois(0, 2004), 31);
    EXPECT_EQ(joursDansLeMois(13, 2004), 31);
    EXPECT_THROW(joursDansLeMois(14, 2004), RuntimeError);
}

TEST_F(CalendarTest, ClampJudgesEachDateByItsOwnMonth) {
    EXPECT_EQ(jourBorne({31, 4, 1980}), 30);
    EXPECT_EQ(jourBorne({30, 2, 2004}), 29);
    EXPECT_EQ(jourBorne({30, 2, 2005}), 28);
    EXPECT_EQ(jourBorne({29, 2, 1900}), 28);
    EXPECT_EQ(jourBorne({29, 2, 1960}), 29);
    EXPECT_EQ(jourBorne({17, 2, 1959}), 17);
    EXPECT_EQ(jourBorne({31, 13, 3000}), 31);
    // A February drawn last must not leak into another date's limit.
    regleFevrier(2, 2004);
    EXPECT_EQ(jourBorne({29, 2, 1959}), 28);
}

TEST_F(CalendarTest, DayNumbersRollOverLikeTheCalendar) {
    EXPECT_EQ(numeroJour(1899, 12, 30), 0);
    EXPECT_EQ(numeroJour(2004, 2, 30), numeroJour(2004, 3, 1));
    EXPECT_EQ(numeroJour(2004, 13, 1), numeroJour(2005, 1, 1));
    EXPECT_EQ(numeroJour(2004, 14, 1), numeroJour(2005, 2, 1));
    EXPECT_EQ(numeroJour(2004, 3, 0), numeroJour(2004, 2, 29));
    EXPECT_EQ(numeroJour(2004, 0, 15), numeroJour(2003, 12, 15));
    EXPECT_EQ(numeroJour(2004, 1, 32), numeroJour(2004, 2, 1));
    EXPECT_EQ(numeroJour(1900, 2, 29), numeroJour(1900, 3, 1));
    EXPECT_EQ(numeroJour(1900, 0, 31), numeroJour(1899, 12, 31));
}

TEST_F(CalendarTest, DayNumbersAndWeekdaysAgreeWithQDate) {
    for (int y : {1900, 1901, 1959, 1999, 2000, 2004, 2100, 2400, 2999, 3000})
        for (int m = 1; m <= 12; ++m)
            for (int d : {1, 15, 28}) {
                const auto n = numeroJour(y, m, d);
                ASSERT_EQ(n, viaQDate(y, m, d)) << d << '/' << m << '/' << y;
                ASSERT_EQ(jourSemaine(n), QDate(y, m, d).dayOfWeek() % 7 + 1)
                    << d << '/' << m << '/' << y;
            }
    EXPECT_EQ(jourSemaine(numeroJour(2005, 1, 1)), 7);
    EXPECT_EQ(JoursSemaine[jourSemaine(numeroJour(2005, 1, 1))], "S ");
    EXPECT_EQ(jourSemaine(numeroJour(1899, 12, 31)), 1);
}
