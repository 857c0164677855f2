// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"

#include <QString>

#include <optional>

namespace vitalune {

// Reads a birth date day first ("17/02/1959", "5-6-1970", " 05.06.1970 "); dates that
// do not exist and years outside 1900..3000 read as nothing.
std::optional<Date> parseBirthDate(const QString& text);

} // namespace vitalune
