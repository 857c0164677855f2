// SPDX-License-Identifier: MIT
// The plug-in as a host meets it: a private session bus that starts the built server,
// the sample host, gdbus and xprop, on an X display.

#include "HostFormObject.h"
#include "Identity.h"
#include "PluginSession.h"
#include "Waiting.h"

#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QImage>
#include <QRegularExpression>

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

} // namespace
} // namespace vitalune::testing
