// SPDX-License-Identifier: MIT
#include "Calendar.h"

#include "RuntimeError.h"

namespace vitalune {

std::array<std::int16_t, 14> JoursDansMois{};
std::array<std::string, 14> NomsMois{};
std::array<std::string, 8> JoursSemaine{};

const std::array<std::string, 13> NomsMoisSimples = {
    "",      "Janeiro", "Fevereiro", "Março",   "Abril",    "Maio",    "Junho",
    "Julho", "Agosto",  "Setembro",  "Outubro", "Novembro", "Dezembro"};

namespace {
int utf8Length(const std::string& s) {
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

// Floor division, so that negative month offsets roll back into earlier years.
int floorDiv(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

// 30/12/1899 counted from 1970-01-01.
constexpr long long kEpoch = -25569;
} // namespace

std::string fixedText(const std::string& text, int width) {
    std::string out;
    int n = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = 1;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        if (n == width)
            break;
        out += text.substr(i, len);
        ++n;
        i += len;
    }
    out.append(static_cast<std::size_t>(width - utf8Length(out)), ' ');
    return out;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void remplitTables() {
    JoursDansMois = {31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31};
    const char* names[14] = {"Dezembro", "Janeiro",  "Fevereiro", "Março",  "Abril",
                             "Maio",     "Junho",    "Julho",     "Agosto", "Setembro",
                             "Outubro",  "Novembro", "Dezembro",  "Janeiro"};
    for (int i = 0; i < 14; ++i)
        NomsMois[i] = fixedText(std::string("  ") + names[i], 11);
    const char* days[8] = {"", "D", "2ª", "3ª", "4ª", "5ª", "6ª", "S"};
    for (int i = 1; i < 8; ++i)
        JoursSemaine[i] = fixedText(days[i], 2);
}

bool estBissextile(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

void regleFevrier(int month, int year) {
    JoursDansMois[2] = (month == 2 && estBissextile(year)) ? 29 : 28;
}

std::int16_t joursDansLeMois(int month, int year) {
    if (month < 0 || month > 13)
        throw RuntimeError("Subscript out of range");
    static constexpr std::int16_t lengths[14] = {31, 31, 28, 31, 30, 31, 30,
                                                 31, 31, 30, 31, 30, 31, 31};
    if (month == 2 && estBissextile(year))
        return 29;
    return lengths[month];
}

std::int16_t jourBorne(Date d) {
    const auto limit = joursDansLeMois(d.month, d.year);
    return d.day > limit ? limit : d.day;
}

std::int32_t numeroJour(int year, int month, int day) {
    const int m0 = month - 1;
    const long long y = year + floorDiv(m0, 12);
    const auto m = static_cast<unsigned>(m0 - floorDiv(m0, 12) * 12 + 1);
    return static_cast<std::int32_t>(daysFromCivil(y, m, 1) + (day - 1) - kEpoch);
}

int jourSemaine(std::int32_t dayNumber) {
    // Day 0, 30/12/1899, was a Saturday.
    const int r = ((dayNumber % 7) + 7) % 7;
    return (r + 6) % 7 + 1;
}

} // namespace vitalune
