// SPDX-License-Identifier: MIT
// The birth-date text comes from the host's form: any bytes, in any encoding.
#include "BirthDateText.h"

#include <QDate>

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
        // Whatever it accepts is a real date the window's controls can hold.
        if (date && (date->year < 1900 || date->year > 3000 ||
                     !QDate(date->year, date->month, date->day).isValid()))
            std::abort();
    }
    return 0;
}
