// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>

// Where every control stands: twips as designed, converted once to logical pixels.
namespace vitalune::layout {

inline constexpr int TwipsPerPixel = 15;

constexpr QRect twips(int left, int top, int width, int height) {
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}

inline constexpr QSize mainWindow = twips(0, 0, 7245, 4620).size();
inline constexpr QRect chartView = twips(120, 75, 6990, 3045);
inline constexpr QRect physicalDial = twips(2400, 3285, 810, 810);
inline constexpr QRect emotionalDial = twips(3255, 3300, 810, 810);
inline constexpr QRect intellectualDial = twips(4095, 3300, 810, 810);

inline constexpr QRect birthHeading = twips(165, 3180, 2040, 255);
inline constexpr QRect birthMonthLabel = twips(90, 3465, 1095, 255);
inline constexpr QRect birthDayLabel = twips(1185, 3465, 435, 255);
inline constexpr QRect birthYearLabel = twips(1620, 3465, 555, 255);
inline constexpr QRect birthMonthStepper = twips(435, 3735, 435, 225);
inline constexpr QRect birthDayStepper = twips(1185, 3720, 435, 225);
inline constexpr QRect birthYearStepper = twips(1680, 3720, 435, 225);

inline constexpr QRect referenceHeading = twips(5040, 3165, 1965, 285);
inline constexpr QRect referenceMonthLabel = twips(5025, 3450, 1095, 255);
inline constexpr QRect referenceDayLabel = twips(6120, 3450, 435, 255);
inline constexpr QRect referenceYearLabel = twips(6555, 3450, 555, 255);
inline constexpr QRect referenceMonthStepper = twips(5355, 3705, 435, 225);
inline constexpr QRect referenceDayStepper = twips(6120, 3705, 435, 225);
inline constexpr QRect referenceYearStepper = twips(6615, 3705, 435, 225);

inline constexpr QRect toolbar = twips(0, 4230, 7245, 390);
inline constexpr QRect webButton = twips(0, 30, 1035, 330);
inline constexpr QRect toolbarSeparator = twips(1035, 30, 30, 330);
inline constexpr QRect printButton = twips(1095, 30, 345, 330);
inline constexpr QRect helpButton = twips(1455, 30, 345, 330);
inline constexpr QRect statusLine = twips(1935, 105, 45, 195); // its width while empty
inline constexpr QRect closeButton = twips(6630, 45, 555, 315);

inline constexpr QSize printModeDialog = twips(0, 0, 2535, 990).size();
inline constexpr QRect printModeHeading = twips(465, 60, 1650, 255);
inline constexpr QRect colourButton = twips(105, 330, 555, 555);
inline constexpr QRect blackAndWhiteButton = twips(690, 330, 555, 555);
inline constexpr QRect cancelButton = twips(1905, 330, 555, 555);

} // namespace vitalune::layout
