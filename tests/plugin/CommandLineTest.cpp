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
}

TEST(CommandLine, AnythingElseIsInvalidAndSaysWhy) {
    for (const QStringList& arguments :
         {QStringList{"--bogus"}, QStringList{"automation"}, QStringList{"--Automation"},
          QStringList{"--automation=1"}, QStringList{""}, QStringList{"-"},
          QStringList{"--automation", "--automation"}, QStringList{"--register", "extra"}}) {
        const CommandLine parsed = parseCommandLine(arguments);
        EXPECT_EQ(parsed.mode, LaunchMode::Invalid) << arguments.join(' ').toStdString();
        EXPECT_FALSE(parsed.error.isEmpty()) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(parseCommandLine({"--bogus"}).error.contains("--bogus"));
    EXPECT_EQ(UsageExitStatus, 2);
}

TEST(CommandLine, UsageNamesEveryOptionAndTheBusName) {
    const QString usage = usageText("vitalune");
    for (const char* option : {"--automation", "--register", "--unregister", "--help", "--version"})
        EXPECT_TRUE(usage.contains(option)) << option;
    EXPECT_TRUE(usage.startsWith("Usage: vitalune "));
    EXPECT_TRUE(usage.contains("Orvane.clsPluginInterface"));
    EXPECT_TRUE(versionText().startsWith("vitalune "));
    EXPECT_TRUE(versionText().contains(VITALUNE_VERSION));
}

} // namespace
} // namespace vitalune
