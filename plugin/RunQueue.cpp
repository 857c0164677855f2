// SPDX-License-Identifier: MIT
#include "RunQueue.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <exception>

namespace vitalune {

namespace {
const char WindowClosed[] = "The plug-in window was closed";
} // namespace

RunQueue::RunQueue(WindowFactory window, QObject* parent, int answerWithinMs)
    : QObject(parent), makeWindow_(std::move(window)), answerWithinMs_(answerWithinMs) {
    deadline_.setSingleShot(true);
    deadline_.setTimerType(Qt::PreciseTimer);
    connect(&deadline_, &QTimer::timeout, this, &RunQueue::expire);
}

void RunQueue::showWindow() {
    if (!window_)
        window_ = &makeWindow_();
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show(); // modeless, no owner
    window_->raise();
    window_->activateWindow();
}

void RunQueue::run(HostFormPtr form, Reply reply, const QString& caller) {
    if (!refusal_.isEmpty()) {
        if (reply)
            reply(refusal_);
        return;
    }
    // The budget counts from here: creating the window takes part of it.
    const QDeadlineTimer deadline(answerWithinMs_, Qt::PreciseTimer);
    const int limit = held(caller) >= MaxPendingPerCaller                  ? MaxPendingPerCaller
                      : std::max(pendingCount(), owedTotal_) >= MaxPending ? MaxPending
                                                                           : 0;
    if (limit > 0) {
        if (reply)
            reply(QStringLiteral("Too many Run calls waiting (%1); try again later").arg(limit));
        return;
    }
    emit runStarted();
    try {
        showWindow();
    } catch (const std::exception& error) {
        return answer(reply, QString::fromUtf8(error.what()));
    } catch (...) {
        return answer(reply, QStringLiteral("Unexpected error while opening the window"));
    }
    if (!form)
        return answer(reply, QStringLiteral("Object variable not set: no host form"));
    if (deadline.hasExpired())
        return answer(reply, timeoutText());

    const std::uint64_t number = nextNumber_++;
    pending_.push_back({number, caller, form, std::move(reply), deadline});
    armDeadline();
    // The read may answer at once or long after; the call or the queue may be gone by then.
    QPointer<RunQueue> self(this);
    form->readCaption(QString(), [self, number](const HostRead& read) {
        if (self)
            self->captionRead(number, read);
    });
}

int RunQueue::waiting(const QString& caller) const {
    return static_cast<int>(std::count_if(pending_.begin(), pending_.end(),
                                          [&](const Call& call) { return call.caller == caller; }));
}

int RunQueue::held(const QString& caller) const {
    return std::max(waiting(caller), owed_.value(caller));
}

bool RunQueue::waitsFor(const QString& caller) const {
    return held(caller) > 0;
}

void RunQueue::readsOwed(const QString& caller, int change) {
    // Once a caller has left, the bus's late word on its reads changes nothing.
    if (change < 0 && !owed_.contains(caller))
        return;
    int& count = owed_[caller];
    count += change;
    owedTotal_ += change;
    if (count <= 0)
        owed_.remove(caller);
}

void RunQueue::callerLeft(const QString& caller) {
    if (caller.isEmpty())
        return;
    owedTotal_ -= owed_.take(caller);
    pending_.remove_if([&caller](const Call& call) { return call.caller == caller; });
    armDeadline();
}

void RunQueue::windowClosed() {
    while (!pending_.empty())
        finish(pending_.begin(), QString::fromLatin1(WindowClosed), false);
}

void RunQueue::captionRead(std::uint64_t number, const HostRead& read) {
    const auto call = std::find_if(pending_.begin(), pending_.end(),
                                   [number](const Call& c) { return c.number == number; });
    if (call == pending_.end())
        return; // already replied to (deadline) or its caller has gone
    if (!read.ok)
        return finish(call, read.error, false);
    // Closing the window ends the process; nothing is left to hand the form to.
    if (!window_)
        return finish(call, QString::fromLatin1(WindowClosed), false);
    // A later call already handed its form over: this one was replaced at once.
    if (number < handedOver_)
        return finish(call, QString(), false);
    // A read of an earlier person still under way notices the new form and reads it.
    window_->setPendingHost(call->form, !read.text.isEmpty());
    handedOver_ = number;
    finish(call, QString(), true);
}

void RunQueue::forget(Calls::iterator call) {
    pending_.erase(call);
    armDeadline();
}

void RunQueue::armDeadline() {
    if (pending_.empty())
        return deadline_.stop();
    deadline_.start(std::chrono::ceil<std::chrono::milliseconds>(
        pending_.front().deadline.remainingTimeAsDuration()));
}

void RunQueue::expire() {
    while (!pending_.empty() && pending_.front().deadline.hasExpired())
        finish(pending_.begin(), timeoutText(), false);
    armDeadline();
}

QString RunQueue::timeoutText() const {
    return QStringLiteral("Timeout: the host form did not answer within %1 ms")
        .arg(answerWithinMs_);
}

void RunQueue::answer(const Reply& reply, const QString& result) {
    if (reply)
        reply(result);
}

void RunQueue::finish(Calls::iterator call, const QString& result, bool handOver) {
    const Reply reply = std::move(call->reply);
    forget(call);
    answer(reply, result);
    if (!handOver)
        return;

    QTimer::singleShot(0, this, [this] {
        if (window_)
            window_->readPendingPerson();
    });
}

} // namespace vitalune
