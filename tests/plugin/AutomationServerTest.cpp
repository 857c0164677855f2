// SPDX-License-Identifier: MIT
#include "AutomationServer.h"
#include "DBusHostForm.h"
#include "HostFormObject.h"
#include "Identity.h"
#include "LazyWindow.h"
#include "MainWindow.h"
#include "PrivateBus.h"
#include "RunQueue.h"
#include "Waiting.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace vitalune {
namespace {

using host::ControlValue;
using host::HostFormObject;
using testing::lazyWindow;
using testing::PrivateBus;
using testing::waitUntil;

// The server on a private bus, in this process, with a host on a connection of its own.
class AutomationServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        serverBus = bus.connect();
        hostBus = bus.connect();
        ASSERT_TRUE(form.registerOn(hostBus));
    }

    // Calls the plug-in by its bus name, as a host does; waits for the reply.
    QDBusMessage call(const char* method, const QList<QVariant>& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            identity::BusName, identity::ObjectPath, identity::InterfaceName, method);
        message.setArguments(arguments);
        QDBusPendingCallWatcher watcher(hostBus.asyncCall(message, 20000));
        EXPECT_TRUE(waitUntil([&] { return watcher.isFinished(); }, 25000));
        return watcher.reply();
    }

    QString runResult(const QString& path = "/forms/1") {
        const QDBusMessage reply = call("Run", {QVariant::fromValue(QDBusObjectPath(path))});
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        EXPECT_EQ(reply.signature(), "s");
        return reply.arguments().value(0).toString();
    }

    PrivateBus bus;
    QDBusConnection serverBus{QString()};
    QDBusConnection hostBus{QString()};
    std::unique_ptr<MainWindow> theWindow;
    RunQueue runs{lazyWindow(theWindow)};
    std::map<QString, ControlValue> values{
        {"", ControlValue::caption(QString("Ficha de Ana"))},
        {"lblnasc", ControlValue::caption(QString("05/06/1970"))},
        {"lblnick", ControlValue::caption(QString("Ana"))},
    };
    HostFormObject form{"/forms/1", {"lblnasc", "lblnick"}, [this](const QString& m) {
                            const auto found = values.find(m);
                            return found == values.end() ? ControlValue{} : found->second;
                        }};
};

TEST_F(AutomationServerTest, IdentifyAnswersTheDisplayNameWithoutOpeningTheWindow) {
    AutomationServer server(serverBus, runs);
    ASSERT_EQ(server.start(), AutomationServer::Outcome::Serving) << server.problem().toStdString();
    const QDBusMessage reply = call("Identify");
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    EXPECT_EQ(reply.arguments().value(0).toString(), "Vitalune");
    EXPECT_EQ(theWindow, nullptr);
}

TEST_F(AutomationServerTest, RunReadsTheCallersFormAndTheWindowThenReadsThePerson) {
    AutomationServer server(serverBus, runs);
    ASSERT_EQ(server.start(), AutomationServer::Outcome::Serving);
    EXPECT_EQ(runResult(), "");
    ASSERT_NE(theWindow, nullptr);
    MainWindow& window = *theWindow;
    window.setQuitOnClose(false);
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(waitUntil([&] { return window.windowTitle() == "Vitalune: Ana"; }));

    // The form kept is the caller's own.
    auto kept = std::dynamic_pointer_cast<DBusHostForm>(window.pendingHost());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->service(), hostBus.baseService());
    EXPECT_EQ(kept->formPath(), "/forms/1");
}

TEST_F(AutomationServerTest, RunErrorsComeBackAsTextWithTheWindowShown) {
    AutomationServer server(serverBus, runs);
    ASSERT_EQ(server.start(), AutomationServer::Outcome::Serving);

    values[""] = ControlValue{ControlValue::Kind::NoCaption, {}};
    const QString noCaption = runResult();
    EXPECT_FALSE(noCaption.isEmpty());
    ASSERT_NE(theWindow, nullptr);
    theWindow->setQuitOnClose(false);
    EXPECT_TRUE(theWindow->isVisible());
    EXPECT_EQ(theWindow->pendingHost(), nullptr);

    values[""] = ControlValue::caption(QStringList{"Ficha"});
    const QString wrongType = runResult();
    EXPECT_TRUE(wrongType.contains("Caption")) << wrongType.toStdString();

    EXPECT_FALSE(runResult("/forms/9").isEmpty()); // nothing exported there
    EXPECT_EQ(theWindow->windowTitle(), "Vitalune");
}

TEST_F(AutomationServerTest, AnEmptyCaptionLeavesTheDefaultPerson) {
    AutomationServer server(serverBus, runs);
    ASSERT_EQ(server.start(), AutomationServer::Outcome::Serving);
    values[""] = ControlValue::caption(QString());
    EXPECT_EQ(runResult(), "");
    theWindow->setQuitOnClose(false);
    testing::processEventsFor(100);
    EXPECT_EQ(theWindow->windowTitle(), "Vitalune");
}

TEST_F(AutomationServerTest, ASecondServerFindsTheNameTakenAndTheFirstKeepsIt) {
    AutomationServer first(serverBus, runs);
    ASSERT_EQ(first.start(), AutomationServer::Outcome::Serving);
    QDBusConnection otherBus = bus.connect();
    RunQueue otherRuns(lazyWindow(theWindow));
    AutomationServer second(otherBus, otherRuns);
    EXPECT_EQ(second.start(), AutomationServer::Outcome::NameTaken);
    EXPECT_TRUE(second.problem().contains(identity::BusName));
    EXPECT_EQ(hostBus.interface()->serviceOwner(identity::BusName).value(),
              serverBus.baseService());
}

TEST_F(AutomationServerTest, WithoutABusThereIsNothingToServe) {
    QDBusConnection nowhere =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "nowhere");
    AutomationServer server(nowhere, runs);
    EXPECT_EQ(server.start(), AutomationServer::Outcome::NoBus);
    EXPECT_FALSE(server.problem().isEmpty());
    QDBusConnection::disconnectFromBus("nowhere");
}

TEST_F(AutomationServerTest, AnIdleServerAsksToLeaveButNotOnceARunHasCome) {
    AutomationServer idle(serverBus, runs);
    ASSERT_EQ(idle.start(), AutomationServer::Outcome::Serving);
    bool timedOut = false;
    QObject::connect(&idle, &AutomationServer::idleTimeout, [&] { timedOut = true; });
    idle.leaveWhenIdle(50);
    EXPECT_TRUE(waitUntil([&] { return timedOut; }));

    idle.leaveWhenIdle(60000);
    EXPECT_TRUE(idle.idleTimerActive());
    EXPECT_EQ(runResult(), "");
    EXPECT_FALSE(idle.idleTimerActive());
    theWindow->setQuitOnClose(false);
}

// The bus counts each read a host has not answered against the server's connection, long
// after the Run was answered, until the host answers or leaves; past its limit it refuses
// every read, every host's Run failing. A host owing its share of reads is refused at
// once, and the count is its own and ends with it.
TEST_F(AutomationServerTest, AHostOwingItsShareOfReadsIsRefusedAndForgottenOnceItLeaves) {
    RunQueue quick(lazyWindow(theWindow), nullptr, 200);
    AutomationServer server(serverBus, quick);
    ASSERT_EQ(server.start(), AutomationServer::Outcome::Serving);
    QDBusConnection stallerBus = bus.connect();
    HostFormObject stalled{"/forms/7", {}, [](const QString&) { return ControlValue{}; }};
    stalled.setStalled(true);
    ASSERT_TRUE(stalled.registerOn(stallerBus));
    QDBusMessage run = QDBusMessage::createMethodCall(identity::BusName, identity::ObjectPath,
                                                      identity::InterfaceName, "Run");
    run.setArguments({QVariant::fromValue(QDBusObjectPath("/forms/7"))});
    auto answer = [](const QDBusPendingCall& call) {
        EXPECT_TRUE(waitUntil([&] { return call.isFinished(); }, 5000));
        return call.reply().arguments().value(0).toString().toStdString();
    };

    std::vector<QDBusPendingCall> timedOut;
    for (int i = 0; i < RunQueue::MaxPendingPerCaller; ++i)
        timedOut.push_back(stallerBus.asyncCall(run));
    for (const QDBusPendingCall& call : timedOut)
        EXPECT_TRUE(answer(call).starts_with("Timeout")) << answer(call);
    theWindow->setQuitOnClose(false);
    ASSERT_TRUE(waitUntil([&] { return stalled.unansweredReads() == 8; }));

    EXPECT_EQ(answer(stallerBus.asyncCall(run)), "Too many Run calls waiting (8); try again later");
    EXPECT_EQ(runResult(), "");
    EXPECT_EQ(stalled.unansweredReads(), 8);

    QDBusConnection::disconnectFromBus(stallerBus.name());
    stallerBus = QDBusConnection(QString());
    EXPECT_TRUE(waitUntil([&] { return quick.owedReads() == 0; }));
}

// The introspection data publishes the identity the program keeps in Identity.h.
TEST_F(AutomationServerTest, IntrospectionCarriesTheAutomationIdentity) {
    AutomationServer server(serverBus, runs);
    ASSERT_EQ(server.start(), AutomationServer::Outcome::Serving);
    QDBusMessage introspect =
        QDBusMessage::createMethodCall(identity::BusName, identity::ObjectPath,
                                       "org.freedesktop.DBus.Introspectable", "Introspect");
    QDBusPendingCallWatcher watcher(hostBus.asyncCall(introspect));
    ASSERT_TRUE(waitUntil([&] { return watcher.isFinished(); }));
    const QString xml = watcher.reply().arguments().value(0).toString();

    std::map<QString, QString> interfaceAnnotations;
    std::map<QString, QString> dispIds;
    QStringList methods;
    QStringList runArgs;
    QString inInterface, inMethod;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            if (reader.name() == QLatin1String("interface"))
                inInterface.clear();
            else if (reader.name() == QLatin1String("method"))
                inMethod.clear();
            continue;
        }
        if (!reader.isStartElement())
            continue;
        const auto attr = reader.attributes();
        if (reader.name() == QLatin1String("interface")) {
            inInterface = attr.value("name").toString();
        } else if (inInterface != identity::InterfaceName) {
            continue;
        } else if (reader.name() == QLatin1String("method")) {
            inMethod = attr.value("name").toString();
            methods << inMethod;
        } else if (reader.name() == QLatin1String("arg") && inMethod == "Run") {
            runArgs << attr.value("direction").toString() + ":" + attr.value("type").toString();
        } else if (reader.name() == QLatin1String("annotation")) {
            const QString name = attr.value("name").toString();
            const QString value = attr.value("value").toString();
            if (inMethod.isEmpty())
                interfaceAnnotations[name] = value;
            else if (name == "Orvane.DispId")
                dispIds[inMethod] = value;
        }
    }
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString();

    EXPECT_EQ(methods, (QStringList{"Run", "Identify"}));
    EXPECT_EQ(runArgs, (QStringList{"in:o", "out:s"}));
    EXPECT_EQ(dispIds["Run"], identity::RunDispId);
    EXPECT_EQ(dispIds["Identify"], identity::IdentifyDispId);
    const std::map<QString, QString> expected{
        {"Orvane.TypeLibName", identity::TypeLibName},
        {"Orvane.TypeLibVersion", identity::TypeLibVersion},
        {"Orvane.TypeLibLocale", identity::TypeLibLocale},
        {"Orvane.TypeLibId", identity::TypeLibId},
        {"Orvane.ClassName", identity::ClassName},
        {"Orvane.ClassId", identity::ClassId},
        {"Orvane.ClassFlags", identity::ClassFlags},
        {"Orvane.ProgId", identity::BusName},
        {"Orvane.InterfaceId", identity::InterfaceId},
        {"Orvane.InterfaceFlags", identity::InterfaceFlags},
    };
    EXPECT_EQ(interfaceAnnotations, expected);
}

} // namespace
} // namespace vitalune
