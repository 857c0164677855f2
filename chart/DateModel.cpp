// SPDX-License-Identifier: MIT
#include "DateModel.h"

#include <algorithm>

namespace vitalune {

DateModel::DateModel(Date reference, Date birth)
    : birth_(wholeBirth(birth)), reference_(wholeReference(reference)) {}

Date DateModel::wholeBirth(Date d) {
    d.day = std::clamp(d.day, 1, 31);
    d.month = std::clamp(d.month, 1, 12);
    d.year = std::clamp(d.year, MinYear, MaxYear);
    d.day = clampDay(d);
    return d;
}

Date DateModel::wholeReference(Date d) {
    d.day = std::clamp(d.day, 1, 31);
    d.month = std::clamp(d.month, 0, 13);
    d.year = std::clamp(d.year, MinYear, MaxYear);
    // Past December or before January: the neighbouring year's month, within the range.
    if (d.month == 13) {
        if (d.year < MaxYear) {
            d.month = 1;
            ++d.year;
        } else {
            d.month = 12;
        }
    } else if (d.month == 0) {
        if (d.year > MinYear) {
            d.month = 12;
            --d.year;
        } else {
            d.month = 1;
        }
    }
    d.day = clampDay(d);
    return d;
}

void DateModel::setBirth(Date date) {
    date = wholeBirth(date);
    if (date == birth_)
        return;
    birth_ = date;
    notify(Change::Birth);
}

void DateModel::setReference(Date date) {
    date = wholeReference(date);
    if (date == reference_)
        return;
    const bool sameMonth = date.month == reference_.month && date.year == reference_.year;
    reference_ = date;
    notify(sameMonth ? Change::ReferenceDay : Change::Reference);
}

void DateModel::notify(Change change) {
    // By index: a listener may add another.
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        listeners_[i](change);
}

} // namespace vitalune
