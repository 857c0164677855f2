// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vitalune {

// A date as the controls hold it; the reference month may stand on 0 or 13 at the ends.
struct Date {
    int day = 1;
    int month = 1;
    int year = 1900;

    bool operator==(const Date&) const = default;
};

// Pads with blanks or cuts a UTF-8 text to a width counted in characters.
std::string fixedText(const std::string& text, int width);
// A whole number with at least `width` digits after its sign ("0000", "00" formats).
std::string zeroPadded(int value, int width);
std::string trimmed(const std::string& text);

// Length of a month; 0 and 13 are the neighbouring years' December and January.
int daysInMonth(int month, int year);

// Month 0..13 as the labels show it, blank-led and padded to 11 ("  Maio     ").
const std::string& paddedMonthName(int month);
// The plain month name, 1 = "Janeiro" .. 12 = "Dezembro".
const std::string& monthName(int month);
// The 2-character weekday abbreviation, 1 = Sunday ("D ") .. 7 = Saturday ("S ").
const std::string& weekdayAbbreviation(int weekday);

// The date's day, kept inside its own month.
int clampDay(Date d);

// Whole days since 30/12/1899, Gregorian; out-of-range days and months roll over.
int dayNumber(int year, int month, int day);

// Weekday of a day number, 1 = Sunday .. 7 = Saturday.
int weekday(int dayNumber);

} // namespace vitalune
