// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"
#include "MainWindow.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <list>

namespace vitalune {

// Reads overlap so a silent host holds up no other; the last call wins, and a failed or
// abandoned call never changes the window afterwards.
class RunQueue : public QObject {
    Q_OBJECT
public:
    using Reply = std::function<void(const QString& result)>;

    // A caller with this many calls waiting or reads unanswered is refused at once: past the
    // bus's max_replies_per_connection it would refuse our reads to every host.
    static constexpr int MaxPendingPerCaller = 8;
    // All callers together: bounds the memory of waiting calls and the reads owed to us.
    static constexpr int MaxPending = 1024;
    // Well inside the usual 25 s a D-Bus client waits, and above the 3 s bound of a read.
    static constexpr int AnswerWithinMs = 3500;

    // Makes the main window the first time a Run needs it; the maker owns it.
    using WindowFactory = std::function<MainWindow&()>;

    explicit RunQueue(WindowFactory window, QObject* parent = nullptr,
                      int answerWithinMs = AnswerWithinMs);

    // The window once a Run has opened it; nullptr before that and once it is gone.
    MainWindow* window() const { return window_; }

    // `caller` names who asked (a bus connection); see callerLeft().
    void run(HostFormPtr form, Reply reply, const QString& caller = {});

    // Without a display: every call is answered at once with `text`; empty takes calls again.
    void refuseAll(const QString& text) { refusal_ = text; }

    // The caller has left: its calls end without a reply and its owed reads are over.
    void callerLeft(const QString& caller);
    // `caller` owes one read more (+1, sent) or one fewer (-1, answered or given up).
    void readsOwed(const QString& caller, int change);
    int owedReads() const { return owedTotal_; }
    // The window was closed and the process ends: every waiting call is told so now.
    void windowClosed();

    bool busy() const { return !pending_.empty(); }
    int pendingCount() const { return static_cast<int>(pending_.size()); }
    // True while a call of `caller` waits or it owes a read.
    bool waitsFor(const QString& caller) const;

signals:
    void runStarted();

private:
    struct Call {
        std::uint64_t number = 0;
        QString caller;
        HostFormPtr form;
        Reply reply;
        QDeadlineTimer deadline; // taken at the call's arrival
    };
    using Calls = std::list<Call>;

    int waiting(const QString& caller) const;
    // A waiting call has a read owed, so the caller's share is the larger of the two.
    int held(const QString& caller) const;
    void captionRead(std::uint64_t number, const HostRead& read);
    void answer(const Reply& reply, const QString& result);
    // Replies to the call and forgets it; `handOver` when its form went to the window.
    void finish(Calls::iterator call, const QString& result, bool handOver);
    void forget(Calls::iterator call);
    void expire();
    void armDeadline();
    QString timeoutText() const;

    void showWindow();

    WindowFactory makeWindow_;
    QPointer<MainWindow> window_;
    Calls pending_; // in the order the calls came, so the first one's deadline is the nearest
    QTimer deadline_;
    std::uint64_t nextNumber_ = 1;
    std::uint64_t handedOver_ = 0; // number of the latest call whose form the window has
    int answerWithinMs_;
    QString refusal_;
    QHash<QString, int> owed_; // reads each caller has not answered yet
    int owedTotal_ = 0;
};

} // namespace vitalune
