// SPDX-License-Identifier: MIT
#include "RunQueue.h"
#include "FakeHostForm.h"
#include "LazyWindow.h"
#include "MainWindow.h"
#include "Waiting.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace vitalune {
namespace {

using testing::FakeHostForm;
using testing::lazyWindow;
using testing::waitUntil;

// Each test starts without a main window and leaves none behind.
class RunQueueTest : public ::testing::Test {
protected:
    void TearDown() override {
        // A read left unanswered holds its form through its callback: let both go.
        for (const auto& form : persons)
            form->pending.clear();
    }

    std::shared_ptr<FakeHostForm> person(QString caption, QString birth, QString nick) {
        return persons.emplace_back(
            std::make_shared<FakeHostForm>(std::move(caption), std::move(birth), std::move(nick)));
    }

    // Runs for `form`; the result lands in the returned slot once replied.
    std::shared_ptr<std::optional<QString>> run(const std::shared_ptr<FakeHostForm>& form) {
        auto result = std::make_shared<std::optional<QString>>();
        lastForm = form;
        queue.run(form, [result, this](const QString& r) {
            *result = r;
            // Until the reply has gone, the window must not have read the person.
            readsAtReply.push_back(lastForm ? lastForm->reads.size() : 0);
        });
        return result;
    }

    QString birthShown() const {
        const Date birth = theWindow->dates().birth();
        return QStringLiteral("%1/%2/%3").arg(birth.day).arg(birth.month).arg(birth.year);
    }

    std::unique_ptr<MainWindow> theWindow;
    RunQueue queue{lazyWindow(theWindow)};
    std::vector<std::shared_ptr<FakeHostForm>> persons;
    std::shared_ptr<FakeHostForm> lastForm;
    std::vector<qsizetype> readsAtReply;
};

TEST_F(RunQueueTest, ShowsTheWindowFirstAndRepliesOnlyOnceTheCaptionIsRead) {
    auto ana = person("Ficha de Ana", "05/06/1970", "Ana");
    ana->deferred = true;
    auto result = run(ana);

    ASSERT_NE(theWindow, nullptr);
    MainWindow& window = *theWindow;
    window.setQuitOnClose(false);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ana->reads, QStringList{""});
    testing::processEventsFor(50);
    EXPECT_FALSE(result->has_value()); // the host has not answered yet
    EXPECT_FALSE(window.personPending());
    EXPECT_EQ(window.pendingHost(), nullptr);

    ana->deferred = false;
    ASSERT_EQ(ana->answerPending(), 1);
    ASSERT_TRUE(result->has_value());
    EXPECT_EQ(**result, "");
    EXPECT_EQ(readsAtReply, std::vector<qsizetype>{1}); // the Caption alone before the reply
    EXPECT_EQ(window.pendingHost(), ana);
}

TEST_F(RunQueueTest, AfterTheReplyTheWindowReadsThePersonWithoutBeingActivated) {
    auto ana = person("Ficha de Ana", "05/06/1970", "Ana");
    auto result = run(ana);
    theWindow->setQuitOnClose(false);
    ASSERT_TRUE(waitUntil([&] { return theWindow->windowTitle() == "Vitalune: Ana"; }));
    EXPECT_EQ(**result, "");
    EXPECT_EQ(ana->reads, (QStringList{"", "lblnasc", "lblnick"}));
    EXPECT_EQ(birthShown(), "5/6/1970");
    EXPECT_FALSE(theWindow->personPending());
}

TEST_F(RunQueueTest, AnEmptyCaptionRepliesEmptyAndNeverReadsThePerson) {
    auto ana = person("", "05/06/1970", "Ana");
    auto result = run(ana);
    theWindow->setQuitOnClose(false);
    ASSERT_TRUE(waitUntil([&] { return result->has_value(); }));
    EXPECT_EQ(**result, "");
    testing::processEventsFor(50);
    EXPECT_EQ(ana->reads, QStringList{""});
    EXPECT_EQ(theWindow->windowTitle(), "Vitalune");
    EXPECT_EQ(birthShown(), "17/2/1959");
}

TEST_F(RunQueueTest, AFailedCaptionReadRepliesItsErrorAndLeavesTheEarlierForm) {
    auto ana = person("Ficha de Ana", "05/06/1970", "Ana");
    run(ana);
    MainWindow& window = *theWindow;
    window.setQuitOnClose(false);
    ASSERT_TRUE(waitUntil([&] { return window.windowTitle() == "Vitalune: Ana"; }));

    auto broken = person("x", "01/01/2000", "Bia");
    broken->answers[""] = {false, {}, "No such interface 'Orvane.Control'"};
    auto result = run(broken);
    ASSERT_TRUE(waitUntil([&] { return result->has_value(); }));
    EXPECT_EQ(**result, "No such interface 'Orvane.Control'");
    EXPECT_EQ(window.pendingHost(), ana);
    EXPECT_FALSE(window.personPending());
    EXPECT_TRUE(window.isVisible());
    testing::processEventsFor(50);
    EXPECT_EQ(broken->reads, QStringList{""}); // its members are never read
    EXPECT_EQ(window.windowTitle(), "Vitalune: Ana");
}

TEST_F(RunQueueTest, AFormlessRunRepliesAnErrorButShowsTheWindow) {
    std::optional<QString> result;
    queue.run(nullptr, [&](const QString& r) { result = r; });
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->isEmpty());
    ASSERT_NE(theWindow, nullptr);
    theWindow->setQuitOnClose(false);
    EXPECT_TRUE(theWindow->isVisible());
}

TEST_F(RunQueueTest, ReadsOverlapButTheWindowTakesTheFormsInTheOrderTheCallsCame) {
    auto ana = person("Ficha de Ana", "05/06/1970", "Ana");
    auto bia = person("Ficha de Bia", "29/02/1988", "Bia");
    ana->deferred = bia->deferred = true;
    auto first = run(ana);
    auto second = run(bia);
    MainWindow& window = *theWindow;
    window.setQuitOnClose(false);
    EXPECT_TRUE(queue.busy());
    EXPECT_EQ(bia->reads, QStringList{""}); // a slow host holds no other up

    // The later call's form answers first: it goes to the window at once...
    bia->deferred = false;
    ASSERT_EQ(bia->answerPending(), 1);
    EXPECT_EQ(**second, "");
    ASSERT_TRUE(waitUntil([&] { return window.windowTitle() == "Vitalune: Bia"; }));

    // ...and the earlier one, answering late, is replaced by it rather than taking over.
    ana->deferred = false;
    ASSERT_EQ(ana->answerPending(), 1);
    EXPECT_EQ(**first, "");
    testing::processEventsFor(50);
    EXPECT_EQ(window.windowTitle(), "Vitalune: Bia");
    EXPECT_EQ(birthShown(), "29/2/1988");
    EXPECT_EQ(window.pendingHost(), bia);
    EXPECT_EQ(ana->reads, QStringList{""});
    EXPECT_FALSE(queue.busy());
    EXPECT_EQ(&window, theWindow.get()); // one window throughout
}

// Calls that end without handing their form over: however their host answers later,
// the window keeps the person it has.
TEST_F(RunQueueTest, ACallThatFailedOrWhoseCallerLeftNeverChangesTheWindow) {
    RunQueue quick(lazyWindow(theWindow), nullptr, 100);
    auto ana = person("Ficha de Ana", "05/06/1970", "Ana");
    quick.run(ana, {});
    MainWindow& window = *theWindow;
    window.setQuitOnClose(false);
    ASSERT_TRUE(waitUntil([&] { return window.windowTitle() == "Vitalune: Ana"; }));

    auto late = person("Ficha de Bia", "29/02/1988", "Bia");
    auto gone = person("Ficha de Caio", "01/01/2001", "Caio");
    late->deferred = gone->deferred = true;
    std::optional<QString> lateResult, goneResult;
    quick.run(
        late, [&](const QString& r) { lateResult = r; }, "late");
    quick.run(
        gone, [&](const QString& r) { goneResult = r; }, "gone");
    quick.callerLeft("gone");
    EXPECT_TRUE(quick.waitsFor("late"));
    EXPECT_FALSE(quick.waitsFor("gone"));

    // The slow host is told it failed, well before a D-Bus client gives up...
    ASSERT_TRUE(waitUntil([&] { return lateResult.has_value(); }, 2000));
    EXPECT_TRUE(lateResult->contains("Timeout")) << lateResult->toStdString();
    // ...and what both hosts say afterwards is not taken.
    late->deferred = gone->deferred = false;
    late->answerPending();
    gone->answerPending();
    testing::processEventsFor(50);
    EXPECT_FALSE(goneResult.has_value());
    EXPECT_EQ(window.pendingHost(), ana);
    EXPECT_EQ(window.windowTitle(), "Vitalune: Ana");
    EXPECT_EQ(birthShown(), "5/6/1970");
    EXPECT_FALSE(quick.busy());
}

// The budget is what a host may expect: it counts from the call's arrival, the window's
// creation included, and lasts long enough for a form that takes a second.
TEST_F(RunQueueTest, TheBudgetCountsFromArrivalAndLeavesASlowFormTime) {
    RunQueue hurried(lazyWindow(theWindow), nullptr, 1); // used up by creating the window
    auto ana = person("Ficha de Ana", "05/06/1970", "Ana");
    std::optional<QString> late;
    hurried.run(ana, [&](const QString& r) { late = r; });
    theWindow->setQuitOnClose(false);
    ASSERT_TRUE(late.has_value());
    EXPECT_TRUE(late->startsWith("Timeout")) << late->toStdString();
    EXPECT_TRUE(ana->reads.isEmpty());

    ana->deferred = true;
    auto result = run(ana);
    QTimer::singleShot(1000, &queue, [ana] { ana->answerPending(); });
    ASSERT_TRUE(waitUntil([&] { return result->has_value(); }, 5000));
    EXPECT_EQ(**result, "") << (*result)->toStdString();
}

// A caller's stalled calls refuse only its own next one, never another caller's.
TEST_F(RunQueueTest, BeyondItsShareACallerIsRefusedAtOnceButNoOtherIs) {
    std::vector<std::shared_ptr<FakeHostForm>> waiting;
    std::optional<QString> refused;
    auto call = [&](const QString& caller) {
        waiting.push_back(person("Ficha", "05/06/1970", "Ana"));
        waiting.back()->deferred = true;
        queue.run(
            waiting.back(), [&](const QString& r) { refused = r; }, caller);
    };
    for (int i = 0; i <= RunQueue::MaxPendingPerCaller; ++i)
        call("hog");
    theWindow->setQuitOnClose(false);
    EXPECT_EQ(refused, "Too many Run calls waiting (8); try again later");
    EXPECT_TRUE(waiting.back()->reads.isEmpty());
    auto good = run(person("Ficha de Bia", "29/02/1988", "Bia"));
    ASSERT_TRUE(waitUntil([&] { return good->has_value(); }));
    EXPECT_EQ(**good, "");

    // Once one of its calls has been answered the caller has room again.
    waiting.front()->answerPending();
    call("hog");
    EXPECT_EQ(queue.pendingCount(), RunQueue::MaxPendingPerCaller);
}

} // namespace
} // namespace vitalune
