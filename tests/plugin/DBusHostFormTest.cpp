// SPDX-License-Identifier: MIT
#include "DBusHostForm.h"
#include "HostFormObject.h"
#include "PrivateBus.h"
#include "Waiting.h"

#include <QDBusConnectionInterface>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace vitalune {
namespace {

using host::ControlValue;
using host::HostFormObject;
using testing::PrivateBus;
using testing::waitUntil;

// A host connection exporting a form whose members hold what a test puts in `values`,
// and a plug-in connection that reads it.
class DBusHostFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        host = bus.connect();
        plugin = bus.connect();
        ASSERT_TRUE(host.isConnected());
        ASSERT_TRUE(plugin.isConnected());
        ASSERT_TRUE(form.registerOn(host));
    }

    DBusHostForm reader(int timeoutMs = 3000) {
        return DBusHostForm(plugin, host.baseService(), "/forms/1", timeoutMs);
    }

    // Reads and waits for the answer, which must come.
    HostRead read(HostForm& from, const QString& member) {
        std::optional<HostRead> result;
        from.readCaption(member, [&](const HostRead& r) {
            EXPECT_FALSE(result) << "answered twice";
            result = r;
        });
        EXPECT_TRUE(waitUntil([&] { return result.has_value(); }, 15000));
        return result.value_or(HostRead{false, {}, "no answer"});
    }

    // Closes the host's connection, as a host that ends does.
    void hostLeaves() {
        const QString name = host.name();
        host = QDBusConnection(QString()); // the connection closes with its last user
        QDBusConnection::disconnectFromBus(name);
    }

    HostRead read(const QString& member) {
        DBusHostForm form = reader();
        return read(form, member);
    }

    PrivateBus bus;
    QDBusConnection host{QString()};
    QDBusConnection plugin{QString()};
    std::map<QString, ControlValue> values{
        {"", ControlValue::caption(QString("Ficha de Ana"))},
        {"lblnasc", ControlValue::caption(QString("05/06/1970"))},
        {"lblnick", ControlValue::caption(QString("Ana"))},
    };
    HostFormObject form{"/forms/1", {"lblnasc", "lblnick", "extra"}, [this](const QString& m) {
                            const auto found = values.find(m);
                            return found == values.end() ? ControlValue{} : found->second;
                        }};
};

TEST_F(DBusHostFormTest, ReadsTheFormsCaptionAndEachMembersCaption) {
    EXPECT_EQ(read("").text, "Ficha de Ana");
    EXPECT_EQ(read("lblnasc").text, "05/06/1970");
    EXPECT_EQ(read("lblnick").text, "Ana");
    values["lblnick"] = ControlValue::caption(QString(""));
    const HostRead empty = read("lblnick");
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.text, "");
}

TEST_F(DBusHostFormTest, NumbersAndBooleansArriveAsText) {
    values["lblnasc"] = ControlValue::caption(1970);
    EXPECT_EQ(read("lblnasc").text, "1970");
    values["lblnasc"] = ControlValue::caption(qulonglong(18446744073709551615ull));
    EXPECT_EQ(read("lblnasc").text, "18446744073709551615");
    values["lblnasc"] = ControlValue::caption(2.5);
    EXPECT_EQ(read("lblnasc").text, "2.5");
    values[""] = ControlValue::caption(true);
    EXPECT_EQ(read("").text, "True");
}

TEST_F(DBusHostFormTest, OtherTypesAreErrorsNamingTheTypeFound) {
    values[""] = ControlValue::caption(QStringList{"Ficha", "de Ana"});
    HostRead r = read("");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("Caption"));
    EXPECT_TRUE(r.error.contains("'as'")) << r.error.toStdString();

    values[""] = ControlValue::caption(QVariantMap{{"nick", "Ana"}});
    r = read("");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("'a{sv}'")) << r.error.toStdString();

    values[""] = ControlValue::caption(QVariant::fromValue(QDBusVariant(QString("Ana"))));
    r = read("");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("'v'")) << r.error.toStdString();
}

TEST_F(DBusHostFormTest, MissingMembersAndPropertiesGiveTheBusErrorMessage) {
    HostRead r = read("lblfoto"); // not a member of the form
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("/forms/1/lblfoto")) << r.error.toStdString();

    values.erase("lblnick");
    r = read("lblnick");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());

    values[""] = ControlValue{ControlValue::Kind::NoCaption, {}};
    r = read("");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("Orvane.Control")) << r.error.toStdString();

    // A form path where nothing is exported at all.
    DBusHostForm elsewhere(plugin, host.baseService(), "/forms/2");
    r = read(elsewhere, "");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST_F(DBusHostFormTest, BadPathsAndMembersFailAtOnceWithoutAsking) {
    int asked = 0;
    QObject::connect(&form, &HostFormObject::captionRequested, [&] { ++asked; });
    for (const char* path : {"", "forms/1", "/forms/1/", "/forms//1", "/forms/ 1"}) {
        DBusHostForm bad(plugin, host.baseService(), path);
        bool answered = false;
        HostRead result;
        bad.readCaption("", [&](const HostRead& r) {
            answered = true;
            result = r;
        });
        EXPECT_TRUE(answered) << path; // before readCaption returned
        EXPECT_FALSE(result.ok) << path;
        EXPECT_TRUE(result.error.contains("path")) << result.error.toStdString();
    }
    for (const char* member : {"lbl/nick", "../x", "lbl nick"}) {
        const HostRead r = read(member);
        EXPECT_FALSE(r.ok) << member;
        EXPECT_TRUE(r.error.contains(member)) << r.error.toStdString();
    }
    DBusHostForm noCaller(plugin, "", "/forms/1");
    EXPECT_FALSE(read(noCaller, "").ok);
    EXPECT_EQ(asked, 0);
}

TEST_F(DBusHostFormTest, ReadsOnlyTheCallersOwnConnection) {
    // Another connection exports a form at the same path: it must not be the one read.
    QDBusConnection other = bus.connect();
    HostFormObject impostor("/forms/1", {"lblnick"}, [](const QString&) {
        return ControlValue::caption(QString("Impostor"));
    });
    ASSERT_TRUE(impostor.registerOn(other));
    EXPECT_EQ(read("lblnick").text, "Ana");
    DBusHostForm ofOther(plugin, other.baseService(), "/forms/1");
    EXPECT_EQ(read(ofOther, "lblnick").text, "Impostor");
}

TEST_F(DBusHostFormTest, AHostThatNeverAnswersGivesAnErrorAfterTheTimeout) {
    form.setStalled(true);
    int owed = 0;
    DBusHostForm slow(plugin, host.baseService(), "/forms/1", 300, [&](int n) { owed += n; });
    std::optional<HostRead> result;
    slow.readCaption("", [&](const HostRead& r) { result = r; });
    // Still waiting after the read has reached the host.
    ASSERT_TRUE(waitUntil([&] { return form.unansweredReads() == 1; }));
    EXPECT_TRUE(waitUntil([&] { return result.has_value(); }, 10000));
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->ok);
    EXPECT_FALSE(result->error.isEmpty());
    // The call stays open until the bus ends it: here, as the host leaves.
    EXPECT_EQ(owed, 1);
    hostLeaves();
    EXPECT_TRUE(waitUntil([&] { return owed == 0; }, 10000));
}

TEST_F(DBusHostFormTest, AHostThatLeavesDuringTheReadGivesAnErrorWithoutWaitingOut) {
    form.setStalled(true);
    QObject::connect(
        &form, &HostFormObject::captionRequested, &form, [this] { hostLeaves(); },
        Qt::QueuedConnection);
    // A long timeout: the answer must come from the bus noticing the host has gone.
    DBusHostForm r = reader(60000);
    const HostRead result = read(r, "");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
}

TEST_F(DBusHostFormTest, AHostGoneBeforeTheReadGivesAnError) {
    const QString service = host.baseService();
    hostLeaves();
    ASSERT_TRUE(
        waitUntil([&] { return !plugin.interface()->isServiceRegistered(service).value(); }));
    DBusHostForm gone(plugin, service, "/forms/1");
    const HostRead r = read(gone, "");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST_F(DBusHostFormTest, TheReaderMayBeReleasedWhileItsReadIsUnderWay) {
    std::optional<HostRead> result;
    {
        DBusHostForm shortLived = reader();
        shortLived.readCaption("lblnick", [&](const HostRead& r) { result = r; });
    }
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_EQ(result->text, "Ana");
}

} // namespace
} // namespace vitalune
