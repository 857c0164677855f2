// SPDX-License-Identifier: MIT
#include "DateModel.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace vitalune;
using Change = DateModel::Change;

// One step of one date control, from a date to a date, and what listeners are told.
TEST(DateModelTest, StepsClampTheDayAndRollTheReferenceMonthOver) {
    using M = DateModel;
    const struct {
        Date before;
        void (M::*set)(int);
        int value;
        Date after;
        std::optional<Change> heard;
    } steps[] = {
        // The day is kept inside the new month; leap years are Gregorian.
        {{31, 1, 2005}, &M::setReferenceMonth, 2, {28, 2, 2005}, Change::Reference},
        {{31, 1, 2004}, &M::setReferenceMonth, 2, {29, 2, 2004}, Change::Reference},
        {{31, 1, 2100}, &M::setReferenceMonth, 2, {28, 2, 2100}, Change::Reference},
        {{29, 2, 2004}, &M::setReferenceYear, 2005, {28, 2, 2005}, Change::Reference},
        {{30, 4, 2004}, &M::setReferenceDay, 31, {30, 4, 2004}, std::nullopt},
        {{10, 3, 2004}, &M::setReferenceDay, 17, {17, 3, 2004}, Change::ReferenceDay},
        // Past December and before January into the neighbouring year...
        {{15, 12, 2004}, &M::setReferenceMonth, 13, {15, 1, 2005}, Change::Reference},
        {{15, 1, 2005}, &M::setReferenceMonth, 0, {15, 12, 2004}, Change::Reference},
        // ...but not past the ends of the year range; a large step stops on the last month.
        {{15, 12, 3000}, &M::setReferenceMonth, 13, {15, 12, 3000}, std::nullopt},
        {{15, 11, 3000}, &M::setReferenceMonth, 14, {15, 12, 3000}, Change::Reference},
        {{15, 1, 1900}, &M::setReferenceMonth, 0, {15, 1, 1900}, std::nullopt},
        {{15, 2, 1900}, &M::setReferenceMonth, -1, {15, 1, 1900}, Change::Reference},
        {{15, 6, 3000}, &M::setReferenceYear, 3001, {15, 6, 3000}, std::nullopt},
        // Birth dates are judged by their own month.
        {{31, 3, 1980}, &M::setBirthMonth, 4, {30, 4, 1980}, Change::Birth},
        {{29, 2, 1960}, &M::setBirthYear, 1959, {28, 2, 1959}, Change::Birth},
        {{28, 2, 1959}, &M::setBirthDay, 31, {28, 2, 1959}, std::nullopt},
        {{1, 1, 1900}, &M::setBirthYear, 1899, {1, 1, 1900}, std::nullopt},
    };
    for (const auto& s : steps) {
        const bool birth =
            s.set == &M::setBirthDay || s.set == &M::setBirthMonth || s.set == &M::setBirthYear;
        M model(birth ? Date{1, 6, 2004} : s.before, birth ? s.before : M::DefaultBirth);
        const auto date = [&] { return birth ? model.birth() : model.reference(); };
        std::vector<std::pair<Change, Date>> heard; // with the date listeners see
        model.addListener([&](Change c) { heard.emplace_back(c, date()); });
        (model.*s.set)(s.value);
        const auto trace = ::testing::Message() << s.before.day << '/' << s.before.month << '/'
                                                << s.before.year << " set to " << s.value;
        EXPECT_EQ(date(), s.after) << trace;
        ASSERT_EQ(heard.size(), s.heard ? 1u : 0u) << trace;
        if (s.heard) {
            EXPECT_EQ(heard[0], std::pair(*s.heard, s.after)) << trace;
        }
    }
}

TEST(DateModelTest, WholeDatesAreJudgedOnceWhole) {
    DateModel model({31, 1, 2005});
    EXPECT_EQ(model.birth(), (Date{17, 2, 1959}));
    std::vector<Change> heard;
    model.addListener([&](Change c) { heard.push_back(c); });
    // Field by field, 30 would first meet February 1959 and become 28.
    model.setBirth({30, 5, 1970});
    EXPECT_EQ(model.birth(), (Date{30, 5, 1970}));
    model.setReference({29, 2, 2028});
    EXPECT_EQ(model.reference(), (Date{29, 2, 2028}));
    model.setReference({31, 4, 2028});
    EXPECT_EQ(model.reference(), (Date{30, 4, 2028}));
    model.setReference({10, 4, 2028});
    EXPECT_EQ(heard, (std::vector<Change>{Change::Birth, Change::Reference, Change::Reference,
                                          Change::ReferenceDay}));
}
