// SPDX-License-Identifier: MIT
// The plug-in over D-Bus: the Identify and Run round trips to a running server, and the
// cold start from bus activation to the Run reply, measured beside a bare Qt window that
// shows and quits (same machine, same run).
#include "HostFormObject.h"
#include "Identity.h"
#include "PrivateBus.h"
#include "TestDisplay.h"
#include "Waiting.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

#include <signal.h>

using namespace vitalune;

namespace {

// Another client whose form never answers a read.
struct Staller {
    QDBusConnection connection{QString()};
    std::unique_ptr<host::HostFormObject> form;
};

// A private bus starting the built server on an X display, with a host form exported
// on this process's connection.
class Session {
public:
    static Session& get() {
        if (!instance())
            instance().reset(new Session);
        return *instance();
    }
    // Ends the server and the bus while the application object still exists.
    static void end() { instance().reset(); }

    bool ready() const { return bus_ && bus_->isRunning() && client_.isConnected(); }

    QDBusMessage call(const char* method, const QList<QVariant>& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            identity::BusName, identity::ObjectPath, identity::InterfaceName, method);
        message.setArguments(arguments);
        // Asynchronous: during Run the server reads this process's form.
        QDBusPendingCallWatcher watcher(client_.asyncCall(message, 30000));
        if (!watcher.isFinished()) {
            QEventLoop loop;
            QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop,
                             &QEventLoop::quit);
            loop.exec();
        }
        return watcher.reply();
    }

    QDBusMessage run() { return call("Run", {QVariant::fromValue(QDBusObjectPath("/forms/1"))}); }

    qint64 serverPid() {
        const QDBusReply<uint> pid = client_.interface()->servicePid(identity::BusName);
        return pid.isValid() ? pid.value() : 0;
    }

    // Ends the running server and waits until its name is free again.
    void stopServer() {
        const qint64 pid = serverPid();
        if (pid <= 0)
            return;
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        testing::waitUntil(
            [&] { return !client_.interface()->isServiceRegistered(identity::BusName).value(); },
            10000);
    }

    QProcessEnvironment environment() const { return bus_->environment(); }
    QDBusConnection& client() { return client_; }
    host::HostFormObject& form() { return form_; }
    // Another client of the bus, under a name of its own.
    QDBusConnection newClient() { return bus_->connect(); }
    // Keeps the stallers connected until the session ends.
    void keep(std::vector<Staller>& stallers) {
        std::move(stallers.begin(), stallers.end(), std::back_inserter(kept_));
    }

    ~Session() {
        if (ready())
            stopServer();
    }

private:
    static std::unique_ptr<Session>& instance() {
        static std::unique_ptr<Session> session;
        return session;
    }

    Session() {
        if (display_.name().isEmpty())
            return;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_.name());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("VITALUNE_TRACE");
        bus_ = std::make_unique<testing::PrivateBus>(QStringList{VITALUNE_BUILD_SERVICE_DIR}, env);
        if (!bus_->isRunning())
            return;
        client_ = bus_->connect();
        form_.registerOn(client_);
    }

    testing::TestDisplay display_;
    std::unique_ptr<testing::PrivateBus> bus_;
    QDBusConnection client_{QString()};
    host::HostFormObject form_{"/forms/1", {"lblnasc", "lblnick"}, [](const QString& member) {
                                   if (member == "lblnasc")
                                       return host::ControlValue::caption(QString("05/06/1970"));
                                   if (member == "lblnick")
                                       return host::ControlValue::caption(QString("Ana"));
                                   return host::ControlValue::caption(QString("Ficha de Ana"));
                               }};
    std::vector<Staller> kept_;
};

bool replied(const QDBusMessage& reply, benchmark::State& state) {
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    state.SkipWithError(reply.errorMessage().toLocal8Bit().constData());
    return false;
}

void IdentifyRoundTrip(benchmark::State& state) {
    Session& session = Session::get();
    if (!session.ready())
        return state.SkipWithError("no bus or display");
    if (!replied(session.call("Identify"), state)) // started by the bus, not timed
        return;
    for (auto _ : state) {
        if (!replied(session.call("Identify"), state))
            return;
    }
}
BENCHMARK(IdentifyRoundTrip)->Unit(benchmark::kMicrosecond);

// Run on an open window: the Caption read of this process's form and the reply.
void RunRoundTrip(benchmark::State& state) {
    Session& session = Session::get();
    if (!session.ready())
        return state.SkipWithError("no bus or display");
    if (!replied(session.run(), state))
        return;
    for (auto _ : state) {
        if (!replied(session.run(), state))
            return;
    }
}
BENCHMARK(RunRoundTrip)->Unit(benchmark::kMicrosecond);

// From the Run call that makes the bus start the server to its reply: process start,
// window creation with the first chart, the Caption read.
// The median of the cold start, for the bare window's benchmark to set beside its own.
double coldStartMedianMs = 0;

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void ColdStartToRunReply(benchmark::State& state) {
    Session& session = Session::get();
    if (!session.ready())
        return state.SkipWithError("no bus or display");
    std::vector<double> times;
    for (auto _ : state) {
        session.stopServer();
        QElapsedTimer clock;
        clock.start();
        const QDBusMessage reply = session.run();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
        if (!replied(reply, state))
            return;
    }
    session.stopServer();
    coldStartMedianMs = median(times);
    state.counters["median_ms"] = coldStartMedianMs;
}
BENCHMARK(ColdStartToRunReply)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

// The yardstick: a bare Qt window started, shown, painted once and ended.
void ColdStartBareWindow(benchmark::State& state) {
    Session& session = Session::get();
    if (!session.ready())
        return state.SkipWithError("no bus or display");
    std::vector<double> times;
    for (auto _ : state) {
        QProcess bare;
        bare.setProcessEnvironment(session.environment());
        QElapsedTimer clock;
        clock.start();
        bare.start(VITALUNE_BENCH_BIN_DIR "/bare_window", QStringList{});
        const bool ended = bare.waitForFinished(30000);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
        if (!ended || bare.exitCode() != 0)
            return state.SkipWithError("the bare window did not show and quit");
    }
    const double bareMs = median(times);
    state.counters["median_ms"] = bareMs;
    // The plug-in's cold start as a multiple of the bare window's, both medians of this run.
    if (coldStartMedianMs > 0 && bareMs > 0)
        state.counters["plugin_x"] = coldStartMedianMs / bareMs;
}
BENCHMARK(ColdStartBareWindow)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

// One field of /proc/<pid>/status in kB (VmHWM: the peak resident memory); 0 if unknown.
double statusKilobytes(qint64 pid, const QByteArray& field) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (pid <= 0 || !status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toDouble();
    return 0;
}

// The processor time a process has had so far, in ms (less swayed by a busy machine than
// the cold start's wall time); 0 if unknown.
double cpuMs(qint64 pid) {
    QFile stat(QString("/proc/%1/schedstat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return 0;
    return stat.readAll().split(' ').value(0).toDouble() / 1e6;
}

// The peak resident memory of a server started cold, once the first chart stands and the
// person has been read, beside that of the bare window once painted (without and with a
// line of text), in kB; and the processor time each took to get there.
void PeakMemoryAfterFirstChart(benchmark::State& state) {
    Session& session = Session::get();
    if (!session.ready())
        return state.SkipWithError("no bus or display");
    std::vector<double> plugin, bare, bareText, pluginCpu, bareCpu;
    for (auto _ : state) {
        session.stopServer();
        bool personRead = false;
        const QMetaObject::Connection reading =
            QObject::connect(&session.form(), &host::HostFormObject::captionRequested,
                             [&](const QString& member) { personRead |= member == "lblnick"; });
        const bool ran = replied(session.run(), state);
        const bool read = ran && testing::waitUntil([&] { return personRead; }, 10000);
        QObject::disconnect(reading);
        if (!ran)
            return;
        if (!read)
            return state.SkipWithError("the window did not read the person");
        // Answered after the person's read and redraw, which run to their end first.
        if (!replied(session.call("Identify"), state))
            return;
        plugin.push_back(statusKilobytes(session.serverPid(), "VmHWM"));
        pluginCpu.push_back(cpuMs(session.serverPid()));

        for (const bool withText : {false, true}) {
            QProcess window;
            window.setProcessEnvironment(session.environment());
            QStringList arguments{"--hold"};
            if (withText)
                arguments << "--text";
            window.start(VITALUNE_BENCH_BIN_DIR "/bare_window", arguments);
            if (!window.waitForReadyRead(30000))
                return state.SkipWithError("the bare window did not paint");
            (withText ? bareText : bare).push_back(statusKilobytes(window.processId(), "VmHWM"));
            if (!withText)
                bareCpu.push_back(cpuMs(window.processId()));
            window.closeWriteChannel();
            window.waitForFinished(30000);
        }
    }
    session.stopServer();
    state.counters["plugin_VmHWM_kB"] = median(plugin);
    state.counters["bare_VmHWM_kB"] = median(bare);
    if (median(bare) > 0)
        state.counters["plugin_x"] = median(plugin) / median(bare);
    // The same window drawing one line of text: what any window showing words starts from.
    state.counters["text_VmHWM_kB"] = median(bareText);
    if (median(bareText) > 0)
        state.counters["plugin_x_text"] = median(plugin) / median(bareText);
    state.counters["plugin_cpu_ms"] = median(pluginCpu);
    state.counters["bare_cpu_ms"] = median(bareCpu);
    if (median(bareCpu) > 0)
        state.counters["plugin_cpu_x"] = median(pluginCpu) / median(bareCpu);
}
BENCHMARK(PeakMemoryAfterFirstChart)->Iterations(5)->Unit(benchmark::kMillisecond);

QDBusMessage runCall() {
    QDBusMessage message = QDBusMessage::createMethodCall(identity::BusName, identity::ObjectPath,
                                                          identity::InterfaceName, "Run");
    message.setArguments({QVariant::fromValue(QDBusObjectPath("/forms/1"))});
    return message;
}

// 20 Runs of a well-behaved host while `clients` other connections each keep `each` Runs
// waiting on forms that never answer: neither the stallers' reads nor their number may
// hold the good host's answers up or have them refused. Ten hosts with one Run each, one
// client with 32, four with 8. A staller is refused while it owes the reads of its
// earlier Runs, so each round has new ones; with `stay` the same stallers remain
// connected to the end, the reads they owe held by the bus against the server.
void RunBehindStallingHosts(benchmark::State& state) {
    Session& session = Session::get();
    if (!session.ready())
        return state.SkipWithError("no bus or display");
    if (!replied(session.run(), state))
        return;
    std::vector<Staller> stallers(static_cast<std::size_t>(state.range(0)));
    const auto leave = [&] {
        for (auto& s : stallers)
            QDBusConnection::disconnectFromBus(s.connection.name());
    };
    const auto arrive = [&](Staller& s) {
        s.connection = session.newClient();
        s.form = std::make_unique<host::HostFormObject>(
            "/forms/1", QStringList{"lblnasc", "lblnick"},
            [](const QString&) { return host::ControlValue::caption(QString("Late")); });
        s.form->setStalled(true);
        s.form->registerOn(s.connection);
    };
    std::for_each(stallers.begin(), stallers.end(), arrive);
    std::vector<double> times;
    std::ptrdiff_t held = std::numeric_limits<std::ptrdiff_t>::max();
    int refused = 0;
    for (auto _ : state) {
        if (!state.range(2) && !times.empty()) {
            leave();
            std::for_each(stallers.begin(), stallers.end(), arrive);
        }
        std::vector<std::unique_ptr<QDBusPendingCallWatcher>> stalled;
        for (auto& s : stallers)
            for (int i = 0; i < state.range(1); ++i)
                stalled.push_back(std::make_unique<QDBusPendingCallWatcher>(
                    s.connection.asyncCall(runCall(), 30000)));
        // Once Identify is answered the stallers' Runs have all reached the server.
        for (auto& s : stallers)
            s.connection.call(QDBusMessage::createMethodCall(
                identity::BusName, identity::ObjectPath, identity::InterfaceName, "Identify"));
        QElapsedTimer round;
        round.start();
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer clock;
            clock.start();
            const QDBusMessage reply = session.run();
            times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            if (!replied(reply, state))
                return;
            const QString result = reply.arguments().value(0).toString();
            if (!result.isEmpty())
                return state.SkipWithError(result.toLocal8Bit().constData());
        }
        state.SetIterationTime(static_cast<double>(round.nsecsElapsed()) / 1e9 / 20);
        // The stallers' Runs still held by the server at the good host's last answer.
        held = std::min(held, std::count_if(stalled.begin(), stalled.end(),
                                            [](const auto& w) { return !w->isFinished(); }));
        // Let the stallers be answered before the next round.
        testing::waitUntil(
            [&] {
                for (auto& w : stalled)
                    if (!w->isFinished())
                        return false;
                return true;
            },
            30000);
        refused += static_cast<int>(std::count_if(stalled.begin(), stalled.end(), [](auto& w) {
            return w->reply().arguments().value(0).toString().startsWith("Too many");
        }));
    }
    // The stallers leave, or stay owing their reads.
    if (state.range(2))
        session.keep(stallers);
    else
        leave();
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
    state.counters["stalled_held"] = static_cast<double>(held);
    state.counters["stalled_refused"] = refused;
}
BENCHMARK(RunBehindStallingHosts)
    ->ArgNames({"clients", "each", "stay"})
    ->Args({10, 1, 0})
    ->Args({1, 32, 0})
    ->Args({4, 8, 0})
    ->Args({10, 1, 1})
    ->Args({1, 32, 1})
    ->Args({4, 8, 1})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The server's resident memory now and at its peak, in kB, as counters.
void serverMemory(qint64 pid, const std::string& prefix, benchmark::State& state) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:") || line.startsWith("VmHWM:"))
            state.counters[prefix + line.left(5).toStdString() + "_kB"] =
                line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
}

// 5,000 Runs sent at once by one client, then the server's memory: pending calls are
// capped, so the flood is refused rather than held.
void FiveThousandPipelinedRuns(benchmark::State& state) {
    Session& session = Session::get();
    if (!session.ready())
        return state.SkipWithError("no bus or display");
    if (!replied(session.run(), state))
        return;
    serverMemory(session.serverPid(), "before_", state);
    int accepted = 0, refused = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<QDBusPendingCallWatcher>> calls;
        for (int i = 0; i < 5000; ++i)
            calls.push_back(std::make_unique<QDBusPendingCallWatcher>(
                session.client().asyncCall(runCall(), 60000)));
        testing::waitUntil(
            [&] {
                for (auto& w : calls)
                    if (!w->isFinished())
                        return false;
                return true;
            },
            120000);
        for (auto& w : calls) {
            const QDBusMessage reply = w->reply();
            const bool ok = reply.type() == QDBusMessage::ReplyMessage &&
                            reply.arguments().value(0).toString().isEmpty();
            ok ? ++accepted : ++refused;
        }
    }
    serverMemory(session.serverPid(), "", state);
    state.counters["accepted"] = accepted;
    state.counters["refused"] = refused;
}
BENCHMARK(FiveThousandPipelinedRuns)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Session::end();
    return 0;
}
