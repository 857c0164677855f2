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

// Carries out Run for each host form:
//  - show the main window, which main() makes on first use and owns, activating it;
//  - read the form's Caption (asynchronously: the window keeps painting);
//  - hand the form to the window as its pending host, its person to be read when the
//    Caption is not empty;
//  - reply "" or, on the first failing step, that error's description, leaving the
//    later steps undone;
//  - right after the reply, let the window read the pending person, as its activation
//    would, so the person appears even where the desktop does not activate the window.
//
// Many callers may be waiting at once. Their Caption reads overlap, so a host that does
// not answer holds up no other: every call is replied to within `answerWithinMs` of its
// arrival, the window's creation included. The window still takes the forms in the order
// the calls came: a form whose read ends after that of a later call is superseded by it
// (the last call wins) and is replied to as if it had been handed over and replaced at
// once. A call that was replied to with an error, or whose caller has gone, never changes
// the window afterwards.
class RunQueue : public QObject {
    Q_OBJECT
public:
    using Reply = std::function<void(const QString& result)>;

    // A caller (one bus connection) with this many calls waiting, or reads it has not
    // answered, has its next call refused at once: a client that floods the bus or stalls
    // its forms holds up only itself. The bus counts each read a host owes against our
    // connection, however long ago its call was answered, until the host answers or
    // leaves; at max_replies_per_connection (128 by the daemon's default) it would refuse
    // every read we send, to every host.
    static constexpr int MaxPendingPerCaller = 8;
    // All callers together: a bound on the memory waiting calls hold (a message, a form
    // and a pending read each) and on the reads owed to us. It takes 128 connections each
    // keeping its share stalled to reach it; below it, no caller is refused because of
    // others' calls.
    static constexpr int MaxPending = 1024;
    // Well inside the usual 25 s a D-Bus client waits, and above the 3 s bound of a read.
    static constexpr int AnswerWithinMs = 3500;

    // Makes the main window the first time a Run needs it; its maker keeps and owns it.
    using WindowFactory = std::function<MainWindow&()>;

    explicit RunQueue(WindowFactory window, QObject* parent = nullptr,
                      int answerWithinMs = AnswerWithinMs);

    // The window once a Run has opened it; nullptr before that and once it is gone.
    MainWindow* window() const { return window_; }

    // `caller` names who asked (a bus connection); see callerLeft().
    void run(HostFormPtr form, Reply reply, const QString& caller = {});

    // From now on every call is answered at once with `text` and opens no window (there is
    // no display to open it on); an empty text takes calls again.
    void refuseAll(const QString& text) { refusal_ = text; }

    // The caller has left: its waiting calls end without a reply and change nothing, and
    // the reads it owed are over.
    void callerLeft(const QString& caller);
    // `caller` owes one read more (+1, sent) or one fewer (-1, answered or given up by
    // the bus).
    void readsOwed(const QString& caller, int change);
    int owedReads() const { return owedTotal_; }
    // The window was closed and the process ends: every waiting call is told so now.
    void windowClosed();

    // True while a call waits for its reply.
    bool busy() const { return !pending_.empty(); }
    int pendingCount() const { return static_cast<int>(pending_.size()); }
    // True while a call of `caller` waits or it owes a read.
    bool waitsFor(const QString& caller) const;

signals:
    void runStarted();
    // A call has been replied to with `result`.
    void runFinished(const QString& result);

private:
    struct Call {
        std::uint64_t number = 0;
        QString caller;
        HostFormPtr form;
        Reply reply;
        QDeadlineTimer deadline; // taken at the call's arrival
    };
    using Calls = std::list<Call>;

    Calls::iterator find(std::uint64_t number);
    int waiting(const QString& caller) const;
    // What counts against the caller's share: a call that waits has a read owed, so the
    // larger of the two.
    int held(const QString& caller) const;
    void captionRead(std::uint64_t number, const HostRead& read);
    void answer(const Reply& reply, const QString& result);
    // Replies to the call and forgets it; `handOver` when its form went to the window.
    void finish(Calls::iterator call, const QString& result, bool handOver);
    void forget(Calls::iterator call);
    // Times out the calls whose budget has run out and waits for the next one's.
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
