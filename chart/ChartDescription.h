// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"

#include <array>
#include <cstddef>
#include <string>

namespace vitalune {

// What a screen reader reads out for the chart and the dials.

// Each cycle's value on the reference day, in percent, in the order of the cycles.
std::array<int, 3> dayValues(Date birth, Date target);

// "Fevereiro de 2005"; a month on 0 or 13 is named as the chart's heading names it.
std::string monthAndYear(Date target);

// "Dia 17: Físico 87%, Emocional -43%, Intelectual 12%"
std::string chartDescription(Date birth, Date target);

// "Físico 87%, dia 17 de Fevereiro de 2005"
std::string dialDescription(std::size_t cycle, Date birth, Date target);

} // namespace vitalune
