// SPDX-License-Identifier: MIT
#include "ServiceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace vitalune {
namespace {

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ServiceFile, NamesTheBusNameAndStartsTheProgramInAutomationMode) {
    EXPECT_EQ(serviceFileText("/usr/bin/vitalune"),
              "[D-BUS Service]\nName=Orvane.clsPluginInterface\n"
              "Exec=/usr/bin/vitalune --automation\n");
    // The bus unescapes the line as a key file before it splits it as a shell would.
    EXPECT_TRUE(serviceFileText("/tmp/a\\s b/vitalune").contains("Exec='/tmp/a\\\\s b/vitalune' "));
}

TEST(ServiceFile, QuotesPathsTheBusWouldSplitOrInterpret) {
    EXPECT_EQ(quoteExecArgument("/opt/vitalune-1.0/bin/vitalune"),
              "/opt/vitalune-1.0/bin/vitalune");
    EXPECT_EQ(quoteExecArgument("/home/ana/My Programs/vitalune"),
              "'/home/ana/My Programs/vitalune'");
    EXPECT_EQ(quoteExecArgument("/home/o'neil/vitalune"), "'/home/o'\\''neil/vitalune'");
    EXPECT_EQ(quoteExecArgument("/tmp/a\"b$c\\d"), "'/tmp/a\"b$c\\d'");
    EXPECT_EQ(quoteExecArgument("/tmp/ação/vitalune"), "'/tmp/ação/vitalune'");
    EXPECT_EQ(quoteExecArgument(""), "''");
}

TEST(ServiceFile, TheBuildTreeFileMatchesWhatRegisterWrites) {
    // CMake writes the build tree's file from the same template the install uses.
    const QString file =
        QDir(VITALUNE_BUILD_SERVICE_DIR).filePath("Orvane.clsPluginInterface.service");
    ASSERT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_EQ(readAll(file), serviceFileText(QStringLiteral(VITALUNE_BIN_DIR "/vitalune")));
}

TEST(ServiceFile, UserFolderIsTheOneTheSessionBusReads) {
    QTemporaryDir account;
    ASSERT_TRUE(account.isValid());
    const QByteArray home = QFile::encodeName(account.path());
    const QByteArray services = home + "/.local/share/dbus-1/services";
    const std::optional<QByteArray> unset;
    struct Case {
        std::optional<QByteArray> xdgDataHome, home;
        QByteArray folder; // empty: refused
    };
    for (const Case& c : std::vector<Case>{
             {"/data/ana", home, "/data/ana/dbus-1/services"},
             // Bytes as given: not UTF-8, and `..` taken by the file system, not as text.
             {"/tmp/\xff\xfe", home, "/tmp/\xff\xfe/dbus-1/services"},
             {"/x/link/../y", home, "/x/link/../y/dbus-1/services"},
             // The bus would read these relative to its own working folder.
             {"", home, ""},
             {"relative/data", home, ""},
             {unset, home, services},
             {unset, home + '/', services},
             // The bus looks in the account's home, not in $HOME.
             {unset, "/elsewhere", ""},
         }) {
        const ServiceFolder folder = userServiceFolder(c.xdgDataHome, c.home, home);
        EXPECT_EQ(folder.path, c.folder) << c.xdgDataHome.value_or("(unset)").toStdString();
        EXPECT_EQ(folder.problem.isEmpty(), !c.folder.isEmpty()) << folder.problem.toStdString();
    }
    EXPECT_TRUE(userServiceFolder(unset, home, unset).path.isEmpty()); // no account entry
}

TEST(ServiceFile, RegisterWritesAndUnregisterRemovesTheFile) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString dir = home.filePath("deep/dbus-1/services"); // folders made on the way
    const QString file = dir + "/Orvane.clsPluginInterface.service";
    const ServiceFolder folder{QFile::encodeName(dir), {}};

    const RegistrationResult first = registerServer(folder, "/opt/v 1/vitalune");
    EXPECT_TRUE(first.ok) << first.message.toStdString();
    EXPECT_TRUE(first.message.contains(file));
    EXPECT_EQ(readAll(file), serviceFileText("/opt/v 1/vitalune"));

    // Registering again replaces the file, with the program's new place.
    EXPECT_TRUE(registerServer(folder, "/usr/bin/vitalune").ok);
    EXPECT_EQ(readAll(file), serviceFileText("/usr/bin/vitalune"));

    const RegistrationResult removed = unregisterServer(folder);
    EXPECT_TRUE(removed.ok) << removed.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));
    // Nothing registered: nothing to do, and no failure.
    const RegistrationResult again = unregisterServer(folder);
    EXPECT_TRUE(again.ok);
    EXPECT_TRUE(again.message.contains("not registered"));
}

TEST(ServiceFile, RegisterRefusesWhatCannotWork) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ServiceFolder folder{QFile::encodeName(home.path()), {}};
    EXPECT_FALSE(registerServer({{}, "HOME is wrong"}, "/usr/bin/vitalune").ok);
    EXPECT_FALSE(registerServer(folder, "vitalune").ok); // Exec= must be absolute
    // One line per key: a line break has no spelling the bus reads back.
    const RegistrationResult broken = registerServer(folder, "/opt/a\nb/vitalune");
    EXPECT_FALSE(broken.ok);
    EXPECT_FALSE(QFileInfo::exists(home.filePath("Orvane.clsPluginInterface.service")));
    EXPECT_FALSE(unregisterServer({{}, "HOME is wrong"}).ok);

    // A plain file where the folder should be.
    const QString blocker = home.filePath("blocker");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const RegistrationResult result =
        registerServer({QFile::encodeName(blocker + "/services"), {}}, "/usr/bin/vitalune");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
}

TEST(ServiceFile, RunningExecutableIsAnAbsolutePath) {
    const QString self = runningExecutable();
    EXPECT_TRUE(QDir::isAbsolutePath(self));
    EXPECT_TRUE(QFileInfo(self).isExecutable());
}

} // namespace
} // namespace vitalune
