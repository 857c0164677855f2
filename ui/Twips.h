// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

namespace vitalune {

// Window geometry is designed in twips; 15 twips make one logical pixel.
constexpr int px(int twips) {
    return twips / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace vitalune
