// SPDX-License-Identifier: MIT
#include "Calendar.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

namespace vitalune {

namespace {
constexpr std::chrono::sys_days kEpoch = std::chrono::year(1899) / 12 / 30;

// Index 0 is December of the year before, 13 January of the year after.
constexpr std::array<const char*, 14> kMonthNames = {
    "Dezembro", "Janeiro", "Fevereiro", "Março",   "Abril",    "Maio",     "Junho",
    "Julho",    "Agosto",  "Setembro",  "Outubro", "Novembro", "Dezembro", "Janeiro"};
} // namespace

std::string fixedText(const std::string& text, int width) {
    std::string out;
    int characters = 0;
    for (const char c : text) {
        // A byte that does not continue a UTF-8 sequence starts a character.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && characters++ == width)
            break;
        out += c;
    }
    out.append(static_cast<std::size_t>(std::max(0, width - characters)), ' ');
    return out;
}

std::string zeroPadded(int value, int width) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%0*d", value < 0 ? width + 1 : width, value);
    return digits;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int daysInMonth(int month, int year) {
    static constexpr std::array<int, 14> lengths = {31, 31, 28, 31, 30, 31, 30,
                                                    31, 31, 30, 31, 30, 31, 31};
    if (month == 2 && std::chrono::year(year).is_leap())
        return 29;
    return lengths.at(static_cast<std::size_t>(month));
}

const std::string& paddedMonthName(int month) {
    static const auto names = [] {
        std::array<std::string, 14> out;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = fixedText(std::string("  ") + kMonthNames[i], 11);
        return out;
    }();
    return names.at(static_cast<std::size_t>(month));
}

const std::string& monthName(int month) {
    static const auto names = [] {
        std::array<std::string, 12> out;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = kMonthNames[i + 1];
        return out;
    }();
    return names.at(static_cast<std::size_t>(month - 1));
}

const std::string& weekdayAbbreviation(int weekday) {
    static const std::array<std::string, 7> names = {"D ", "2ª", "3ª", "4ª", "5ª", "6ª", "S "};
    return names.at(static_cast<std::size_t>(weekday - 1));
}

int clampDay(Date d) {
    return std::min(d.day, daysInMonth(d.month, d.year));
}

int dayNumber(int year, int month, int day) {
    using namespace std::chrono;
    const year_month first = std::chrono::year(year) / January + months(month - 1);
    return static_cast<int>((sys_days(first / 1) - kEpoch).count()) + day - 1;
}

int weekday(int dayNumber) {
    const std::chrono::weekday day(kEpoch + std::chrono::days(dayNumber));
    return static_cast<int>(day.c_encoding()) + 1; // c_encoding counts from Sunday = 0
}

} // namespace vitalune
