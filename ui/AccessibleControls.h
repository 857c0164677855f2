// SPDX-License-Identifier: MIT
#pragma once

namespace vitalune {

// Teaches Qt's accessibility layer the step controls and pictures. Safe to call again.
void installAccessibleControls();

} // namespace vitalune
