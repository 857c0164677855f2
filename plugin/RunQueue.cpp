// SPDX-License-Identifier: MIT
#include "RunQueue.h"

#include <QPointer>
#include <QTimer>

#include <exception>

namespace vitalune {

RunQueue::RunQueue(WindowFactory window, QObject* parent, int answerWithinMs)
    : QObject(parent), makeWindow_(std::move(window)), answerWithinMs_(answerWithinMs) {}

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
    if (static_cast<int>(pending_.size()) >= MaxPending) {
        if (reply)
            reply(
                QStringLiteral("Too many Run calls waiting (%1); try again later").arg(MaxPending));
        return;
    }
    emit runStarted();
    const std::uint64_t number = nextNumber_++;
    pending_.push_back({number, caller, std::move(form), std::move(reply), nullptr});
    auto call = std::prev(pending_.end());

    try {
        showWindow();
    } catch (const std::exception& error) {
        finish(call, QString::fromUtf8(error.what()), false);
        return;
    } catch (...) {
        finish(call, QStringLiteral("Unexpected error while opening the window"), false);
        return;
    }
    if (!call->form) {
        finish(call, QStringLiteral("Object variable not set: no host form"), false);
        return;
    }

    call->deadline = new QTimer(this);
    call->deadline->setSingleShot(true);
    connect(call->deadline, &QTimer::timeout, this, [this, number] {
        const auto late = find(number);
        if (late != pending_.end())
            finish(late,
                   QStringLiteral("Timeout: the host form did not answer within %1 ms")
                       .arg(answerWithinMs_),
                   false);
    });
    call->deadline->start(answerWithinMs_);

    // The read may answer at once or long after; the call or the queue may be gone by then.
    QPointer<RunQueue> self(this);
    HostFormPtr reading = call->form;
    reading->readCaption(QString(), [self, number](const HostRead& read) {
        if (self)
            self->captionRead(number, read);
    });
}

bool RunQueue::waitsFor(const QString& caller) const {
    for (const Call& call : pending_)
        if (call.caller == caller)
            return true;
    return false;
}

void RunQueue::callerLeft(const QString& caller) {
    if (caller.isEmpty())
        return;
    for (auto call = pending_.begin(); call != pending_.end();) {
        auto next = std::next(call);
        if (call->caller == caller)
            forget(call);
        call = next;
    }
}

RunQueue::Calls::iterator RunQueue::find(std::uint64_t number) {
    for (auto call = pending_.begin(); call != pending_.end(); ++call)
        if (call->number == number)
            return call;
    return pending_.end();
}

void RunQueue::captionRead(std::uint64_t number, const HostRead& read) {
    const auto call = find(number);
    if (call == pending_.end())
        return; // already replied to (deadline) or its caller has gone
    if (!read.ok) {
        finish(call, read.error, false);
        return;
    }
    if (!window_) {
        // Closing the window ends the process; nothing is left to hand the form to.
        finish(call, QStringLiteral("The plug-in window was closed"), false);
        return;
    }
    // A later call already handed its form over: this one was replaced at once.
    if (number < handedOver_) {
        finish(call, QString(), false);
        return;
    }
    // A read of an earlier person still under way notices the new form and reads it.
    window_->setPendingHost(call->form, !read.text.isEmpty());
    handedOver_ = number;
    finish(call, QString(), true);
}

void RunQueue::forget(Calls::iterator call) {
    // The timer may be the one whose timeout is being handled.
    if (call->deadline) {
        call->deadline->stop();
        call->deadline->deleteLater();
    }
    pending_.erase(call);
}

void RunQueue::finish(Calls::iterator call, const QString& result, bool handOver) {
    const Reply reply = std::move(call->reply);
    forget(call);
    if (reply)
        reply(result);
    emit runFinished(result);
    if (!handOver)
        return;

    QTimer::singleShot(0, this, [this] {
        if (window_)
            window_->readPendingPerson();
    });
}

} // namespace vitalune
