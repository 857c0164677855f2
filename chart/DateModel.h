// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"

#include <functional>
#include <vector>

namespace vitalune {

// Setters clamp to the control's range, keep the day in its month and roll the reference
// month over the year; listeners hear once per setter call that changed something.
class DateModel {
public:
    static constexpr int MinYear = 1900;
    static constexpr int MaxYear = 3000;
    static constexpr Date DefaultBirth{17, 2, 1959};

    enum class Change {
        Birth,        // the birth date changed
        ReferenceDay, // only the reference day moved, within the same month
        Reference,    // the reference month or year changed (the day perhaps with it)
    };
    using Listener = std::function<void(Change)>;

    explicit DateModel(Date reference = {1, 1, MinYear}, Date birth = DefaultBirth);

    Date birth() const { return birth_; }
    Date reference() const { return reference_; }

    void setBirthDay(int day) { setBirth({day, birth_.month, birth_.year}); }
    void setBirthMonth(int month) { setBirth({birth_.day, month, birth_.year}); }
    void setBirthYear(int year) { setBirth({birth_.day, birth_.month, year}); }
    void setBirth(Date date);

    void setReferenceDay(int day) { setReference({day, reference_.month, reference_.year}); }
    // Month 0..13: 13 is the step past December, 0 the step before January.
    void setReferenceMonth(int month) { setReference({reference_.day, month, reference_.year}); }
    void setReferenceYear(int year) { setReference({reference_.day, reference_.month, year}); }
    void setReference(Date date);

    void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }

private:
    static Date wholeBirth(Date date);
    static Date wholeReference(Date date);
    void notify(Change change);

    Date birth_;
    Date reference_;
    std::vector<Listener> listeners_;
};

} // namespace vitalune
