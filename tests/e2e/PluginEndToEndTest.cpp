// SPDX-License-Identifier: MIT
// The plug-in as a host meets it: a private session bus that starts the built server,
// the sample host, gdbus and xprop, on an X display.

#include "HostFormObject.h"
#include "Identity.h"
#include "PluginSession.h"
#include "Waiting.h"

#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocalServer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace vitalune::testing {
namespace {

using EndToEnd = PluginSession;

const QStringList Ana{"--nick", "Ana", "--birth", "05/06/1970", "--timeout", "120"};
const QStringList Bia{"--nick", "Bia",      "--birth",   "29/02/1988",
                      "--path", "/forms/2", "--timeout", "120"};

TEST_F(EndToEnd, GdbusIdentifyStartsTheServerWhichShowsNothingYet) {
    ASSERT_FALSE(nameHasOwner());
    const Finished identify = gdbusCall("Identify");
    ASSERT_TRUE(identify.ended);
    EXPECT_EQ(identify.exitCode, 0) << identify.err.toStdString();
    EXPECT_EQ(identify.out, "('Vitalune',)\n");
    EXPECT_TRUE(bus->log().contains("Successfully activated service 'Orvane.clsPluginInterface'"));

    const qint64 pid = serverPid();
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(x->visibleWindowsOf(pid).isEmpty());
    // Asked again, the same server answers.
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    EXPECT_EQ(serverPid(), pid);
}

TEST_F(EndToEnd, RunOpensTheWindowForTheHostsPerson) {
    auto host = startHost(Ana);
    EXPECT_EQ(host->waitFor("Identify"), "Vitalune");
    EXPECT_EQ(host->waitFor("Run"), "");
    const qint64 pid = serverPid();
    const auto window = waitForWindow(pid);
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Ana")) << titleOf(*window).toStdString();
    ASSERT_TRUE(waitUntil([&] { return !personLines().isEmpty(); }));
    EXPECT_EQ(personLines().last(),
              "vitalune: person read ok=1 title=\"Vitalune: Ana\" birth=05/06/1970");
    // The chart is drawn: curves, dials and labels, not a blank window.
    EXPECT_GT(distinctColours(x->grab(*window)), 8);
    EXPECT_EQ(x->visibleWindowsOf(pid).size(), 1);
}

TEST_F(EndToEnd, AnEmptyCaptionLeavesTheWindowAsItWas) {
    auto host = startHost(Ana + QStringList{"--caption", ""});
    EXPECT_EQ(host->waitFor("Run"), "");
    const auto window = waitForWindow(serverPid());
    ASSERT_TRUE(window);
    // Served in order: once this answers, what the Run set off has been handled.
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    EXPECT_EQ(titleOf(*window), "Vitalune");
    EXPECT_TRUE(personLines().isEmpty());
}

TEST_F(EndToEnd, AFormWithoutCaptionGetsAnErrorTextAndTheWindowAllTheSame) {
    auto host = startHost(Ana + QStringList{"--without", "Caption"});
    const auto result = host->waitFor("Run");
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->isEmpty());
    EXPECT_TRUE(result->contains("Orvane.Control")) << result->toStdString();
    const auto window = waitForWindow(serverPid());
    ASSERT_TRUE(window);
    EXPECT_EQ(titleOf(*window), "Vitalune");
}

TEST_F(EndToEnd, AWrongCaptionTypeGetsAnErrorNamingIt) {
    auto host = startHost(Ana + QStringList{"--caption-type", "array"});
    const auto result = host->waitFor("Run");
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->contains("Caption")) << result->toStdString();
    EXPECT_TRUE(result->contains("'as'")) << result->toStdString();

    // A number is turned into text and does as a caption.
    auto numbered = startHost(Ana + QStringList{"--caption-type", "int", "--caption", "7"});
    EXPECT_EQ(numbered->waitFor("Run"), "");
    const auto window = waitForWindow(serverPid());
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Ana"));
}

TEST_F(EndToEnd, TwoRunsLeaveOneWindowHoldingTheSecondPerson) {
    auto ana = startHost(Ana);
    EXPECT_EQ(ana->waitFor("Run"), "");
    const qint64 pid = serverPid();
    const auto window = waitForWindow(pid);
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitForTitle(*window, "Vitalune: Ana"));

    auto bia = startHost(Bia);
    EXPECT_EQ(bia->waitFor("Run"), "");
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Bia")) << titleOf(*window).toStdString();
    EXPECT_EQ(serverPid(), pid);
    EXPECT_EQ(x->visibleWindowsOf(pid), QList<XWindows::Window>{*window});
    ASSERT_TRUE(waitUntil([&] { return personLines().size() == 2; }));
    EXPECT_TRUE(personLines().last().endsWith("birth=29/02/1988"));
}

TEST_F(EndToEnd, ARunRepeatedByTheSameHostIsAnsweredEachTime) {
    auto host = startHost(Ana + QStringList{"--runs", "3"});
    auto runLines = [&] { return host->output().split(u'\n').filter(QRegularExpression("^Run")); };
    EXPECT_TRUE(waitUntil([&] { return runLines().size() >= 3; }, 30000));
    EXPECT_EQ(runLines(), (QStringList{"Run=", "Run=", "Run="}));
    const auto window = waitForWindow(serverPid());
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Ana"));
}

TEST_F(EndToEnd, AHostThatNeverAnswersGetsAnErrorWhileTheWindowKeepsPainting) {
    auto host = startHost(Ana + QStringList{"--stall", "--call-timeout", "20000"});
    ASSERT_EQ(host->waitFor("Identify"), "Vitalune");
    const qint64 pid = serverPid();
    const auto window = waitForWindow(pid);
    ASSERT_TRUE(window);

    // The window as painted: the chart is there and stays as it is.
    QImage before;
    ASSERT_TRUE(waitUntil([&] {
        const QImage now = x->grab(*window);
        const bool settled = now == before && distinctColours(now) > 8;
        before = now;
        return settled;
    }));
    // While Run waits on the host, the server still serves calls and repaints.
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    ASSERT_TRUE(x->coverAndUncover(*window));
    EXPECT_TRUE(waitUntil([&] { return x->grab(*window) == before; }, 2000))
        << "the window was not repainted";
    EXPECT_FALSE(host->printed("Run").has_value()) << "Run replied before the checks ended";

    // The read times out and Run replies with its error text, well before the host's
    // own 20 s limit for the call.
    const auto result = host->waitFor("Run", 30000);
    ASSERT_TRUE(result) << host->output().toStdString();
    EXPECT_FALSE(result->isEmpty());
    EXPECT_FALSE(host->printed("RunError").has_value());
    EXPECT_EQ(titleOf(*window), "Vitalune");
}

TEST_F(EndToEnd, HostsThatStallHoldUpNoOtherAndNeverTakeTheWindowLate) {
    std::vector<std::unique_ptr<HostProcess>> stallers;
    for (int i = 0; i < 10; ++i) {
        stallers.push_back(startHost({"--nick", "Late", "--stall", "--timeout", "120"}));
        ASSERT_EQ(stallers.back()->waitFor("Identify"), "Vitalune");
    }
    // The usual client waits 25 s; this one gives up after 4 and must not have to.
    auto good = startHost(Ana + QStringList{"--call-timeout", "4000"});
    const auto result = good->waitFor("Run");
    ASSERT_TRUE(result) << good->output().toStdString();
    EXPECT_EQ(*result, "");
    EXPECT_FALSE(good->printed("RunError").has_value());
    const auto window = waitForWindow(serverPid());
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Ana"));

    // Each staller is told its Run failed, and what it serves afterwards is not taken.
    for (auto& staller : stallers) {
        const auto answer = staller->waitFor("Run", 30000);
        ASSERT_TRUE(answer) << staller->output().toStdString();
        EXPECT_FALSE(answer->isEmpty());
        EXPECT_FALSE(staller->printed("RunError").has_value());
    }
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    EXPECT_EQ(titleOf(*window), "Vitalune: Ana");
}

TEST_F(EndToEnd, AHostThatExitsDuringRunLeavesTheServerServing) {
    auto quitter = startHost(Ana + QStringList{"--exit-during-run"});
    EXPECT_EQ(quitter->waitFor("Exit"), "during-run");
    ASSERT_TRUE(quitter->waitForExit());
    const qint64 pid = serverPid();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    const auto window = waitForWindow(pid);
    ASSERT_TRUE(window);
    EXPECT_EQ(titleOf(*window), "Vitalune");

    // The next host is served by the same process.
    auto ana = startHost(Ana);
    EXPECT_EQ(ana->waitFor("Run"), "");
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Ana"));
    EXPECT_EQ(serverPid(), pid);
}

TEST_F(EndToEnd, AHostWithoutItsLabelsKeepsTheDefaultPerson) {
    auto host = startHost(Ana + QStringList{"--without", "lblnasc"});
    EXPECT_EQ(host->waitFor("Run"), "");
    const auto window = waitForWindow(serverPid());
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return !personLines().isEmpty(); }));
    EXPECT_EQ(personLines().last(),
              "vitalune: person read ok=0 title=\"Vitalune\" birth=17/02/1959");
    // Not retried: a later call finds the same single failed read.
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    EXPECT_EQ(personLines().size(), 1);
}

TEST_F(EndToEnd, ClosingTheWindowEndsTheServerAndTheNextRunStartsAFreshOne) {
    auto ana = startHost(Ana);
    EXPECT_EQ(ana->waitFor("Run"), "");
    const qint64 first = serverPid();
    const auto window = waitForWindow(first);
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitForTitle(*window, "Vitalune: Ana"));

    // Two Runs wait on a form that does not answer when the window is closed.
    host::HostFormObject slow{"/forms/7", {}, [](const QString&) { return host::ControlValue{}; }};
    slow.setStalled(true);
    ASSERT_TRUE(slow.registerOn(client));
    QDBusMessage run = QDBusMessage::createMethodCall(identity::BusName, identity::ObjectPath,
                                                      identity::InterfaceName, "Run");
    run.setArguments({QVariant::fromValue(QDBusObjectPath("/forms/7"))});
    QDBusPendingCall waiting[] = {client.asyncCall(run), client.asyncCall(run)};
    ASSERT_TRUE(waitUntil([&] { return slow.unansweredReads() == 2; }));

    ASSERT_TRUE(x->sendDeleteWindow(*window));
    EXPECT_TRUE(waitUntil([&] { return !processAlive(first); }, 20000));
    EXPECT_TRUE(waitUntil([&] { return !nameHasOwner(); }, 20000));
    EXPECT_EQ(ana->waitFor("End"), "plugin-gone"); // the host saw it leave
    // Each waiting Run was answered before the end.
    for (const QDBusPendingCall& call : waiting) {
        ASSERT_TRUE(waitUntil([&] { return call.isFinished(); }));
        EXPECT_EQ(call.reply().arguments().value(0).toString().toStdString(),
                  "The plug-in window was closed");
    }

    auto bia = startHost(Bia);
    EXPECT_EQ(bia->waitFor("Run"), "");
    const qint64 second = serverPid();
    EXPECT_NE(second, first);
    const auto fresh = waitForWindow(second);
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(waitForTitle(*fresh, "Vitalune: Bia"));
}

TEST_F(EndToEnd, ASecondAutomationServerLeavesAtOnce) {
    ASSERT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    const qint64 pid = serverPid();
    const Finished second =
        runProgram(VITALUNE_BIN_DIR "/vitalune", {"--automation"}, environment());
    ASSERT_TRUE(second.ended);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.err.contains("already served")) << second.err.toStdString();
    EXPECT_EQ(serverPid(), pid);
    EXPECT_TRUE(processAlive(pid));
}

TEST_F(EndToEnd, WithoutArgumentsTheWindowOpensAndServesTheFreeName) {
    QProcess vitalune;
    vitalune.setProcessEnvironment(environment());
    vitalune.start(VITALUNE_BIN_DIR "/vitalune", QStringList{});
    ASSERT_TRUE(vitalune.waitForStarted(10000));
    servers.push_back(vitalune.processId());
    const auto window = waitForWindow(vitalune.processId());
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return serverPid() == vitalune.processId(); }));
    EXPECT_EQ(gdbusCall("Identify").out, "('Vitalune',)\n");
    EXPECT_FALSE(bus->log().contains("Activating service"));

    // A host's Run goes to this window.
    auto ana = startHost(Ana);
    EXPECT_EQ(ana->waitFor("Run"), "");
    EXPECT_TRUE(waitForTitle(*window, "Vitalune: Ana"));

    ASSERT_TRUE(x->sendDeleteWindow(*window));
    EXPECT_TRUE(vitalune.waitForFinished(20000));
    EXPECT_EQ(vitalune.exitCode(), 0);
}

TEST_F(EndToEnd, WithoutABusTheWindowStillOpens) {
    QProcessEnvironment env = environment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/vitalune-test-bus");
    QProcess vitalune;
    vitalune.setProcessEnvironment(env);
    vitalune.start(VITALUNE_BIN_DIR "/vitalune", QStringList{});
    ASSERT_TRUE(vitalune.waitForStarted(10000));
    servers.push_back(vitalune.processId());
    const auto window = waitForWindow(vitalune.processId());
    ASSERT_TRUE(window);
    EXPECT_EQ(titleOf(*window), "Vitalune");
    ASSERT_TRUE(x->sendDeleteWindow(*window));
    EXPECT_TRUE(vitalune.waitForFinished(20000));
    EXPECT_EQ(vitalune.exitCode(), 0);
}

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
