// SPDX-License-Identifier: MIT
// The birth-date text comes from the host's form: any bytes, in any encoding.
#include "BirthDateText.h"

#include <QDate>
#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const QString texts[] = {
        QString::fromUtf8(chars, static_cast<qsizetype>(size)),
        QString::fromLatin1(chars, static_cast<qsizetype>(size)),
        QString(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2)),
    };
    for (const QString& text : texts) {
        const auto date = vitalune::parseBirthDate(text);
        // Exactly these spellings are read: day, month and year with one of the separators,
        // ASCII spaces around each part.
        static const QRegularExpression spelling(QStringLiteral(
            R"(^\s*([0-9]{1,2})\s*[/.\-]\s*([0-9]{1,2})\s*[/.\-]\s*([0-9]{4})\s*$)"));
        const QRegularExpressionMatch match = spelling.match(text);
        const int day = match.captured(1).toInt(), month = match.captured(2).toInt(),
                  year = match.captured(3).toInt();
        const bool expected =
            match.hasMatch() && year >= 1900 && year <= 3000 && QDate(year, month, day).isValid();
        if (bool(date) != expected ||
            (date && (date->day != day || date->month != month || date->year != year)))
            std::abort();
        // Whatever it accepts is a real date the window's controls can hold.
        if (date && (date->year < 1900 || date->year > 3000 ||
                     !QDate(date->year, date->month, date->day).isValid()))
            std::abort();
    }
    return 0;
}
