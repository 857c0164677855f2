// SPDX-License-Identifier: MIT
#include "FontTable.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <gtest/gtest.h>

using namespace vitalune;

TEST(FontTable, PointsBecomePixelsAtTheDeviceResolution) {
    EXPECT_EQ(fontPixelSize(6.75, 96), 9);
    EXPECT_EQ(fontPixelSize(8.25, 96), 11);
    EXPECT_EQ(fontPixelSize(14, 96), 19);
    EXPECT_EQ(fontPixelSize(24, 300), 100);
    EXPECT_EQ(fontPixelSize(7, 300), 29);
    EXPECT_EQ(fontPixelSize(0, 96), 1);
    EXPECT_EQ(fontPixelSize(-3, 96), 1);
    EXPECT_EQ(fontPixelSize(std::nan(""), 96), 1);
    EXPECT_GE(fontPixelSize(1e30, 300), 1);
    EXPECT_EQ(substituteFont("Courier New", 10, false, 300).pixelSize(), 42);
}

TEST(FontTable, DesignNamesMapToInstalledFaces) {
    const QStringList installed = QFontDatabase::families();
    auto resolved = [](std::string_view name) {
        return QFontInfo(substituteFont(name, 10, false, 96)).family();
    };
    for (const char* name : {"MS Sans Serif", "Small Fonts", "Courier New", "System"})
        EXPECT_TRUE(installed.contains(substituteFamily(name))) << name;
    EXPECT_EQ(resolved("Courier New"), "Liberation Mono");
    EXPECT_TRUE(QFontInfo(substituteFont("Courier New", 10, false, 96)).fixedPitch());
    EXPECT_EQ(resolved("courier new"), resolved("Courier New")) << "names ignore case";
    EXPECT_EQ(resolved("SMALL FONTS"), resolved("Small Fonts"));
}

TEST(FontTable, SmallFontsLabelsFitTheChartsDayColumns) {
    // 14-pixel columns: weekdays start 4 pixels in, two-digit days 2 pixels in.
    const QFontMetrics small(substituteFont("Small Fonts", 6.75, false, 96));
    for (const char* weekday : {"D ", "2ª", "3ª", "4ª", "5ª", "6ª", "S "})
        EXPECT_LE(small.horizontalAdvance(QString::fromUtf8(weekday).trimmed()), 10) << weekday;
    for (int day = 10; day <= 31; ++day)
        EXPECT_LE(small.horizontalAdvance(QString::number(day)), 12) << day;
    EXPECT_LE(small.height(), 12);
}

TEST(FontTable, WeightFollowsTheRequestAndSystemIsBold) {
    EXPECT_TRUE(substituteFont("MS Sans Serif", 14, true, 96).bold());
    EXPECT_FALSE(substituteFont("MS Sans Serif", 14, false, 96).bold());
    EXPECT_TRUE(substituteFont("System", 9.75, false, 96).bold());
}

TEST(FontTable, UnknownNamesAreAskedForWithASansFallback) {
    const QFont odd = substituteFont("Some Face Nobody Has", 12, false, 96);
    EXPECT_EQ(odd.families().front(), "Some Face Nobody Has");
    EXPECT_EQ(odd.pixelSize(), 16);
    EXPECT_FALSE(QFontInfo(odd).family().isEmpty());
    EXPECT_EQ(substituteFamily(""), substituteFamily("MS Sans Serif"));
    EXPECT_EQ(substituteFamily("  "), substituteFamily("MS Sans Serif"));
}

TEST(FontTable, HeadingOfTheLongestMonthFitsTheChart) {
    // The month heading starts at x = 190 of a 466-pixel chart.
    const QFontMetrics heading(substituteFont("MS Sans Serif", 14, true, 96));
    EXPECT_LT(190 + heading.horizontalAdvance("Fevereiro  2004"), 466);
}
