// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"

#include <QString>

#include <optional>

namespace vitalune {

// Reads a birth date written day first, then month, then year ("17/02/1959",
// "5-6-1970", " 05.06.1970 "). One or two digits for day and month, four for the
// year, "/", "-" or "." between them, blanks allowed around each part. Dates that do
// not exist and years outside 1900..3000 read as nothing.
std::optional<Date> parseBirthDate(const QString& text);

} // namespace vitalune
