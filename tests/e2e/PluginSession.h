// SPDX-License-Identifier: MIT
#pragma once

#include "PrivateBus.h"
#include "TestDisplay.h"
#include "XWindows.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace vitalune::testing {

// A program run to its end with a bounded wait.
struct Finished {
    bool ended = false; // within the time allowed
    int exitCode = -1;
    QString out;
    QString err;
};

// A sample host started by a test, with what it has printed so far.
class HostProcess {
public:
    HostProcess(const QStringList& arguments, const QProcessEnvironment& environment);
    ~HostProcess();

    // Waits for a line "key=..." and returns its value.
    std::optional<QString> waitFor(const QString& key, int timeoutMs = 30000);
    // The line "key=...", if already printed.
    std::optional<QString> printed(const QString& key);
    bool waitForExit(int timeoutMs = 30000);
    QString output();
    QProcess& process() { return process_; }

private:
    QProcess process_;
    QString out_;
};

// One private session bus whose service folder is the build tree's, so that calling the
// plug-in's name starts the freshly built `vitalune`, on the shared test display. Every
// server process seen is ended when the test ends.
class PluginSession : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Environment of the bus and so of every program it starts.
    QProcessEnvironment environment() const;

    Finished runProgram(const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& environment, int timeoutMs = 30000);
    Finished gdbusCall(const QString& method, const QStringList& arguments = {});
    std::unique_ptr<HostProcess> startHost(const QStringList& arguments);

    bool nameHasOwner();
    // Process id of the name's owner, 0 without one; remembered for the clean-up.
    qint64 serverPid();
    static bool processAlive(qint64 pid);

    // The server's one visible window, once it is there.
    std::optional<XWindows::Window> waitForWindow(qint64 pid, int timeoutMs = 30000);
    // The window's title as xprop reads it.
    QString titleOf(XWindows::Window window);
    bool waitForTitle(XWindows::Window window, const QString& title, int timeoutMs = 30000);
    // Lines the server printed about the persons it read (VITALUNE_TRACE).
    QStringList personLines();

    static TestDisplay* display;
    std::unique_ptr<PrivateBus> bus;
    QDBusConnection client{QString()};
    std::unique_ptr<XWindows> x;
    std::vector<qint64> servers;
};

} // namespace vitalune::testing
