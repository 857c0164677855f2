// SPDX-License-Identifier: MIT
// The programs as a user or an integrator starts them: command-line options, the export,
// a missing display, the example host and registration with the user's session bus.

#include "Identity.h"
#include "PluginSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocalServer>
#include <QTemporaryDir>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace vitalune::testing {
namespace {

using EndToEnd = PluginSession;

const QStringList Ana{"--nick", "Ana", "--birth", "05/06/1970", "--timeout", "120"};

TEST_F(EndToEnd, TheCommandLineRefusesUnknownArgumentsWithUsage) {
    const Finished bogus = runProgram(VITALUNE_BIN_DIR "/vitalune", {"--bogus"}, environment());
    ASSERT_TRUE(bogus.ended);
    EXPECT_EQ(bogus.exitCode, 2);
    EXPECT_TRUE(bogus.out.isEmpty());
    EXPECT_TRUE(bogus.err.contains("Usage:"));
    EXPECT_TRUE(bogus.err.contains("--bogus"));

    const Finished help = runProgram(VITALUNE_BIN_DIR "/vitalune", {"--help"}, environment());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--automation"));
    const Finished version = runProgram(VITALUNE_BIN_DIR "/vitalune", {"--version"}, environment());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vitalune " VITALUNE_VERSION "\n");

    // Qt's options are Qt's; --help needs no display even when -platform names one.
    QProcessEnvironment headless = environment();
    headless.remove("DISPLAY");
    const Finished qtHelp = runProgram(
        VITALUNE_BIN_DIR "/vitalune", {"-platform", "xcb", "-style", "fusion", "--help"}, headless);
    EXPECT_EQ(qtHelp.exitCode, 0) << qtHelp.err.toStdString();
    EXPECT_TRUE(qtHelp.out.contains("--export"));
    const Finished hostHelp =
        runProgram(VITALUNE_BIN_DIR "/vitalune-host", {"-reverse", "--help"}, headless);
    EXPECT_EQ(hostHelp.exitCode, 0) << hostHelp.err.toStdString();
    EXPECT_TRUE(hostHelp.out.contains("--call-timeout"));
    EXPECT_FALSE(nameHasOwner());
}

// Without display or bus, and with a print scheduler that takes connections and never
// answers: no export may wait on it.
TEST_F(EndToEnd, ExportWritesTheFileWholeOrNotAtAllWithoutDisplayOrBus) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcessEnvironment headless = environment();
    headless.remove("DISPLAY");
    QTemporaryDir cupsDir;
    QLocalServer hungCups; // never accepts: the kernel queues the connections
    ASSERT_TRUE(hungCups.listen(cupsDir.filePath("cups.sock")));
    headless.insert("CUPS_SERVER", hungCups.fullServerName());
    const QString kept = dir.filePath("kept.png");
    QFile keep(kept);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("earlier");
    keep.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
    // Only a regular file is replaced.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.pdf")), 0644), 0);
    ASSERT_TRUE(QFile::link("loop.png", dir.filePath("loop.png")));
    ASSERT_TRUE(QFile::link("nowhere.png", dir.filePath("dangling.png")));
    const QStringList entries{"dangling.png", "fifo.pdf", "folder.pdf", "kept.png", "loop.png"};
    const auto listing = [&dir] {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    };

    for (const QStringList& arguments :
         {QStringList{"--export", kept, "--birth", "30/02/1970"},
          QStringList{"--export", kept, "--date", "01/01/3001"},
          QStringList{"--export", dir.filePath("chart.jpg")},
          QStringList{"--export", dir.filePath("folder.pdf")},
          QStringList{"--export", dir.filePath("fifo.pdf")},
          QStringList{"--export", dir.filePath("loop.png")},
          QStringList{"--export", dir.filePath("dangling.png")},
          QStringList{"--export", dir.filePath("missing/chart.png")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Finished bad = runProgram(VITALUNE_BIN_DIR "/vitalune", arguments, headless, 20000);
        ASSERT_TRUE(bad.ended);
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_TRUE(bad.err.contains(arguments.last())) << bad.err.toStdString();
        EXPECT_EQ(listing(), entries);
        EXPECT_EQ(QFileInfo(dir.filePath("fifo.pdf")).isFile(), false);
        ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
        EXPECT_EQ(keep.readAll(), "earlier");
        keep.close();
    }

    const Finished good = runProgram(VITALUNE_BIN_DIR "/vitalune",
                                     {"--export", kept, "--date", "07/12/2026"}, headless, 20000);
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    EXPECT_EQ(QImage(kept).size(), QSize(483, 308));
    EXPECT_FALSE(nameHasOwner());

    // A link to a regular file replaces that file, as cp does.
    const QString page = dir.filePath("page.pdf");
    ASSERT_TRUE(QFile::link("kept.png", page));
    const Finished linked =
        runProgram(VITALUNE_BIN_DIR "/vitalune", {"--export", page}, headless, 20000);
    ASSERT_TRUE(linked.ended);
    EXPECT_EQ(linked.exitCode, 0) << linked.err.toStdString();
    EXPECT_EQ(QFileInfo(page).symLinkTarget(), kept);
    ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
    const QByteArray pdf = keep.readAll();
    keep.close();
    EXPECT_TRUE(pdf.startsWith("%PDF")) << pdf.left(8).toStdString();

    // Over a file-size limit, every write is checked: a message, and the file stays whole.
    const Finished limited = runProgram(
        "/bin/sh",
        {"-c", "ulimit -f 8 && exec \"$0\" --export \"$1\"", VITALUNE_BIN_DIR "/vitalune", page},
        headless, 20000);
    EXPECT_EQ(limited.exitCode, 2) << limited.err.toStdString();
    ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
    EXPECT_EQ(keep.readAll(), pdf);
    keep.close();
    EXPECT_EQ(listing(), entries + QStringList{"page.pdf"});

    // A name that is not UTF-8 is written as given, byte for byte.
    const Finished latin = runProgram("/bin/sh",
                                      {"-c", "exec \"$0\" --export \"$1/$(printf '\\377').png\"",
                                       VITALUNE_BIN_DIR "/vitalune", dir.path()},
                                      headless, 20000);
    EXPECT_EQ(latin.exitCode, 0) << latin.err.toStdString();
    const std::filesystem::path named = QFile::encodeName(dir.path()).toStdString() + "/\xff.png";
    EXPECT_TRUE(std::filesystem::is_regular_file(named));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("\uFFFD.png")));
    std::filesystem::remove(named); // (which QTemporaryDir could not name)
}

// Where no display can be opened (the bus, or a shell, without one) the plug-in still answers,
// and a -platform that cannot be had is refused, in either spelling, instead of aborting.
TEST_F(EndToEnd, WithoutADisplayIdentifyAnswersRunSaysWhyAndABadPlatformIsRefused) {
    QProcessEnvironment headless = environment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        headless.remove(name);
    bus = std::make_unique<PrivateBus>(QStringList{VITALUNE_BUILD_SERVICE_DIR}, headless);
    ASSERT_TRUE(bus->isRunning());
    client = bus->connect();
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n") << bus->log().toStdString();
    auto host = startHost(Ana);
    EXPECT_EQ(host->waitFor("Run"),
              "No display could be opened: neither DISPLAY nor WAYLAND_DISPLAY is set");
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");

    QTemporaryDir dir;
    for (const QStringList& arguments :
         {QStringList{"-platform", "bogus"}, QStringList{"--automation", "--platform=xcb"},
          QStringList{"-platform=xcb", "--export", dir.filePath("chart.png")}}) {
        const Finished bad = runProgram(VITALUNE_BIN_DIR "/vitalune", arguments, headless);
        EXPECT_EQ(bad.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(bad.err.contains("-platform")) << bad.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("chart.png")));
    EXPECT_EQ(runProgram(VITALUNE_BIN_DIR "/vitalune-host", {"-platform=bogus"}, headless).exitCode,
              2);
}

// The Python host of the integration guide, as an integrator runs it; and what a host is
// told on a bus where the plug-in is not registered.
TEST_F(EndToEnd, TheExampleHostOpensThePlugInAndAnUnregisteredOneIsExplained) {
    const QString example = VITALUNE_SOURCE_DIR "/examples/minimal_host.py";
    const Finished python =
        runProgram(example, {"--nick", "Bia", "--birth", "29/02/1988"}, environment(), 60000);
    ASSERT_TRUE(python.ended);
    EXPECT_EQ(python.exitCode, 0) << python.err.toStdString();
    EXPECT_EQ(python.out, "Identify: 'Vitalune'\nRun: ''\n");
    const auto window = waitForWindow(serverPid());
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Bia")) << titleOf(*window).toStdString();
    EXPECT_EQ(personLines().last(),
              "vitalune: person read ok=1 title=\"Vitalune: Bia\" birth=29/02/1988");

    bus = std::make_unique<PrivateBus>(QStringList{}, environment()); // (no service folder)
    ASSERT_TRUE(bus->isRunning());
    const Finished unregistered = runProgram(example, {}, environment());
    EXPECT_EQ(unregistered.exitCode, 1);
    EXPECT_TRUE(unregistered.out.contains("vitalune --register")) << unregistered.out.toStdString();
    const Finished host = runProgram(VITALUNE_BIN_DIR "/vitalune-host",
                                     {"--nick", "Ana", "--timeout", "10"}, environment());
    EXPECT_EQ(host.exitCode, 1);
    EXPECT_TRUE(host.out.contains("IdentifyError=")) << host.out.toStdString();
    EXPECT_TRUE(host.out.contains("vitalune --register")) << host.out.toStdString();
}

TEST_F(EndToEnd, RegisterLetsTheUsersBusStartTheServerAndUnregisterUndoesIt) {
    // Installed in a folder whose name a shell and a key file would both misread.
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QString folder = data.filePath("a'b\\c d \\s");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + "/vitalune";
    ASSERT_TRUE(QFile::copy(VITALUNE_BIN_DIR "/vitalune", program));

    // A data folder named by bytes that are not UTF-8, reached through a symbolic link and
    // `..`: the bus takes both as the file system does, so must --register.
    ASSERT_TRUE(QDir().mkpath(data.filePath("real/sub")));
    ASSERT_TRUE(QFile::link(data.filePath("real/sub"), data.filePath("link")));
    const QByteArray dataHome = QFile::encodeName(data.path()) + "/link/../\xff share";
    const QByteArray serviceFile = QFile::encodeName(data.filePath("real")) +
                                   "/\xff share/dbus-1/services/" + identity::ServiceFileName;
    qputenv("XDG_DATA_HOME", dataHome); // QProcessEnvironment takes such bytes only from here
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    qunsetenv("XDG_DATA_HOME");
    const Finished reg = runProgram(program, {"--register"}, env);
    ASSERT_EQ(reg.exitCode, 0) << reg.err.toStdString();
    EXPECT_TRUE(reg.out.contains("registered")) << reg.out.toStdString();
    ASSERT_EQ(::access(serviceFile.constData(), F_OK), 0);

    // A bus that reads the user's folders as a session bus does starts the registered program.
    bus.reset(); // (its own clean-up finds no server)
    QProcessEnvironment busEnv = env;
    busEnv.insert("DISPLAY", display->name());
    busEnv.insert("QT_QPA_PLATFORM", "xcb");
    bus = std::make_unique<PrivateBus>(QStringList{}, busEnv, true);
    ASSERT_TRUE(bus->isRunning());
    client = bus->connect();
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n") << bus->log().toStdString();
    const qint64 pid = serverPid();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(QFileInfo(QString("/proc/%1/exe").arg(pid)).canonicalFilePath(), program);

    const Finished unreg = runProgram(program, {"--unregister"}, env);
    EXPECT_EQ(unreg.exitCode, 0) << unreg.err.toStdString();
    EXPECT_NE(::access(serviceFile.constData(), F_OK), 0);

    // Without XDG_DATA_HOME the bus looks in the account's home, whatever HOME says.
    QProcessEnvironment elsewhere = environment();
    elsewhere.remove("XDG_DATA_HOME");
    elsewhere.insert("HOME", data.path());
    const Finished refused = runProgram(program, {"--register"}, elsewhere);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(data.path())) << refused.err.toStdString();
}

} // namespace
} // namespace vitalune::testing
