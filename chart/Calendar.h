// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vitalune {

// A date as the date controls hold it. The reference month may stand on 0 (December
// of the year before) or 13 (January of the year after) at the ends of the year range.
struct Date {
    std::int16_t day = 1;
    std::int16_t month = 1;
    std::int16_t year = 1900;

    bool operator==(const Date&) const = default;
};

// Process-wide calendar tables. Index 0 of the month tables is December of the year
// before, 1..12 January..December, 13 January of the year after. Month names are
// fixed 11-character texts, weekday abbreviations fixed 2-character texts (1 = Sunday).
extern std::array<std::int16_t, 14> JoursDansMois;
extern std::array<std::string, 14> NomsMois;
extern std::array<std::string, 8> JoursSemaine;

// The plain month names, 1 = "Janeiro" .. 12 = "Dezembro" (index 0 unused).
extern const std::array<std::string, 13> NomsMoisSimples;

// Fills the three tables; done once when the main window loads.
void remplitTables();

// Pads with blanks or cuts a UTF-8 text to a width counted in characters.
std::string fixedText(const std::string& text, int width);
// Removes leading and trailing blanks.
std::string trimmed(const std::string& text);

// Gregorian leap years.
bool estBissextile(int year);

// February rule: sets entry 2 of JoursDansMois for the month about to be drawn or printed.
void regleFevrier(int month, int year);

// Length of a month of the given year (month 0..13, with 0 and 13 the neighbouring
// Decembers and Januaries), judged by that month and year alone.
std::int16_t joursDansLeMois(int month, int year);

// The day clamp: the date's day, kept inside its own month.
std::int16_t jourBorne(Date d);

// Whole days since 30/12/1899, Gregorian. Out-of-range days and months roll over
// into the neighbouring months and years (day 0, day 32, month 0, month 13, ...).
std::int32_t numeroJour(int year, int month, int day);

// Weekday of a day number, 1 = Sunday .. 7 = Saturday.
int jourSemaine(std::int32_t dayNumber);

} // namespace vitalune
