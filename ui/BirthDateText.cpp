// SPDX-License-Identifier: MIT
#include "BirthDateText.h"

#include <QDate>
#include <QRegularExpression>

namespace vitalune {

std::optional<Date> parseBirthDate(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([0-9]{1,2})\s*[/.\-]\s*([0-9]{1,2})\s*[/.\-]\s*([0-9]{4})\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int day = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const int year = match.captured(3).toInt();
    if (year < 1900 || year > 3000 || !QDate(year, month, day).isValid())
        return std::nullopt;
    return Date{static_cast<std::int16_t>(day), static_cast<std::int16_t>(month),
                static_cast<std::int16_t>(year)};
}

} // namespace vitalune
