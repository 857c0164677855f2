// SPDX-License-Identifier: MIT
#pragma once

namespace vitalune {

// Teaches Qt's accessibility layer about the window's own controls: a date step control
// reads out its value as its label shows it and can be stepped; the chart and the dials
// are pictures with a name and a description. Safe to call more than once.
void installAccessibleControls();

} // namespace vitalune
