// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"

#include <QString>

#include <optional>

namespace vitalune {

// Day first ("17/02/1959", "5-6-1970"); impossible dates and years outside 1900..3000 fail.
std::optional<Date> parseBirthDate(const QString& text);

} // namespace vitalune
