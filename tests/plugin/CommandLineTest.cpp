// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace vitalune {
namespace {

LaunchMode modeOf(const QStringList& arguments) {
    return parseCommandLine(arguments).mode;
}

TEST(CommandLine, EachOptionSelectsItsMode) {
    EXPECT_EQ(modeOf({}), LaunchMode::Window);
    EXPECT_EQ(modeOf({"--automation"}), LaunchMode::Automation);
    EXPECT_EQ(modeOf({"--register"}), LaunchMode::Register);
    EXPECT_EQ(modeOf({"--unregister"}), LaunchMode::Unregister);
    EXPECT_EQ(modeOf({"--help"}), LaunchMode::Help);
    EXPECT_EQ(modeOf({"-h"}), LaunchMode::Help);
    EXPECT_EQ(modeOf({"--version"}), LaunchMode::Version);
    EXPECT_EQ(modeOf({"--export", "chart.png"}), LaunchMode::Export);
}

TEST(CommandLine, QtsOwnOptionsAreLeftForTheApplication) {
    EXPECT_EQ(modeOf({"-style", "fusion"}), LaunchMode::Window);
    EXPECT_EQ(modeOf({"-reverse", "--automation", "-stylesheet=a.qss"}), LaunchMode::Automation);
    // Help must not need the display that -platform may name.
    EXPECT_EQ(modeOf({"-platform", "offscreen", "--help"}), LaunchMode::Help);
    EXPECT_EQ(parseCommandLine({"--platform", "xcb"}).qt.platform, "xcb");
    EXPECT_FALSE(parseCommandLine({"-style", "fusion"}).qt.platform);

    // Every option Qt documents, in either spelling, reaches Qt as "-x value", the only
    // spelling Qt acts on for most of them; -platform goes apart, the last one counting.
    const struct {
        QStringList given;
        QStringList forQt;
    } cases[] = {
        {{"-nograb", "-dograb", "-sync", "-cmap", "-widgetcount", "--reverse"},
         {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync", "-cmap"}},
        {{"-name", "x", "-title=T", "--display=:1", "-geometry", "9x9", "-visual", "33"},
         {"-display", ":1", "-geometry", "9x9", "-title", "T", "-name", "x", "-visual", "33"}},
        {{"-qwindowtitle=a=b", "-qwindowicon", "i.png", "-qwindowgeometry=1x1", "-icon=j"},
         {"-qwindowgeometry", "1x1", "-qwindowicon", "i.png", "-qwindowtitle", "a=b", "-icon",
          "j"}},
        {{"-plugin", "p1", "-plugin=p2", "-session=s", "-platformtheme", "gtk3", "-ncols", "8"},
         {"-platformtheme", "gtk3", "-plugin", "p1", "-plugin", "p2", "-session", "s", "-ncols",
          "8"}},
        {{"-platform=minimal", "-platformpluginpath=/p", "-fontengine=freetype", "-style=w",
          "-qmljsdebugger=port:1", "-platform", "offscreen"},
         {"-platformpluginpath", "/p", "-qmljsdebugger", "port:1", "-style", "w", "-fontengine",
          "freetype"}},
    };
    for (const auto& [given, forQt] : cases) {
        const CommandLine parsed = parseCommandLine(given + QStringList{"--automation"});
        EXPECT_EQ(parsed.mode, LaunchMode::Automation) << parsed.error.toStdString();
        EXPECT_EQ(parsed.qt.arguments, forQt) << given.join(' ').toStdString();
    }
    EXPECT_EQ(parseCommandLine({"-platform=minimal", "-platform", "offscreen"}).qt.platform,
              "offscreen");
}

TEST(CommandLine, ExportTakesItsFileAndDates) {
    const CommandLine plain = parseCommandLine({"--export", "page.PDF"});
    ASSERT_EQ(plain.mode, LaunchMode::Export);
    EXPECT_EQ(plain.chartExport.file, "page.PDF");
    EXPECT_FALSE(plain.chartExport.birth); // the window's defaults
    EXPECT_FALSE(plain.chartExport.reference);
    EXPECT_FALSE(plain.chartExport.blackAndWhite);

    const CommandLine full = parseCommandLine(
        {"--birth", "5-6-1970", "--export", "w.png", "--date", "29/02/2000", "--black-and-white"});
    ASSERT_EQ(full.mode, LaunchMode::Export) << full.error.toStdString();
    EXPECT_EQ(full.chartExport.birth, (Date{5, 6, 1970}));
    EXPECT_EQ(full.chartExport.reference, (Date{29, 2, 2000}));
    EXPECT_TRUE(full.chartExport.blackAndWhite);

    // The file is the one the bytes name, also where they are not UTF-8 (which a QString
    // cannot hold), in each spelling.
    for (const QByteArrayList& raw :
         {QByteArrayList{"--export", "d/\xff.png"},
          QByteArrayList{"--birth", "1/2/1980", "-export=d/\xff.png"}}) {
        const CommandLine bytes = parseNativeCommandLine(raw);
        ASSERT_EQ(bytes.mode, LaunchMode::Export) << bytes.error.toStdString();
        EXPECT_EQ(bytes.exportPath, "d/\xff.png");
    }
}

TEST(CommandLine, AnythingElseIsInvalidAndSaysWhy) {
    for (const QStringList& arguments :
         {QStringList{"--bogus"},
          QStringList{"automation"},
          QStringList{"--Automation"},
          QStringList{"--automation=1"},
          QStringList{""},
          QStringList{"-"},
          QStringList{"--automation", "--automation"},
          QStringList{"--register", "extra"},
          QStringList{"-h", "--help"},
          QStringList{"-style"},
          QStringList{"-nograb=1"},
          QStringList{"-title"},
          QStringList{"--export"},
          QStringList{"--export", "chart.jpg"},
          QStringList{"--export", ".png"},
          QStringList{"--export", "a.png", "--register"},
          QStringList{"--birth", "05/06/1970"},
          QStringList{"--black-and-white"},
          QStringList{"--export", "a.png", "--date", "1/1/3001"},
          QStringList{"--export", "a.png", "--birth", "31/12/1899"},
          QStringList{"--export", "a.png", "--birth", "29/02/1900"},
          QStringList{"--export", "a.png", "--date", "x", "--date", "1/1/2000"}}) {
        const CommandLine parsed = parseCommandLine(arguments);
        EXPECT_EQ(parsed.mode, LaunchMode::Invalid) << arguments.join(' ').toStdString();
        EXPECT_FALSE(parsed.error.isEmpty()) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(parseCommandLine({"--bogus=1"}).error.contains("--bogus=1"));
    EXPECT_TRUE(parseCommandLine({"--export", "a.png", "--date", "30/02/2001"})
                    .error.contains("30/02/2001"));
    EXPECT_EQ(UsageExitStatus, 2);
}

TEST(CommandLine, UsageNamesEveryOptionAndTheBusName) {
    const QString usage = usageText("vitalune");
    for (const char* option : {"--automation", "--register", "--unregister", "--export", "--birth",
                               "--date", "--black-and-white", "--help", "--version"})
        EXPECT_TRUE(usage.contains(option)) << option;
    EXPECT_TRUE(usage.startsWith("Usage: vitalune "));
    EXPECT_TRUE(usage.contains("Orvane.clsPluginInterface"));
    EXPECT_TRUE(versionText().startsWith("vitalune "));
    EXPECT_TRUE(versionText().contains(VITALUNE_VERSION));
}

} // namespace
} // namespace vitalune
