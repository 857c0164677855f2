#pragma once

#include "HostForm.h"

#include <QObject>
#include <QString>

#include <deque>
#include <functional>

namespace vitalune {

// Carries out Run for each host form, one call at a time in the order they came:
//  - create (first use) and show the one main window, activating it;
//  - read the form's Caption into Text1 (asynchronously: the window keeps painting);
//  - keep the form in objHost;
//  - reply "" or, on the first failing step, that error's description, leaving the
//    later steps undone;
//  - right after the reply, let the window read the pending person, as its activation
//    would, so the person appears even where the desktop does not activate the window.
class RunQueue : public QObject {
    Q_OBJECT
public:
    using Reply = std::function<void(const QString& result)>;

    explicit RunQueue(QObject* parent = nullptr);

    void run(HostFormPtr form, Reply reply);

    // True while a call is being carried out or waits for its turn.
    bool busy() const { return current_ || !waiting_.empty(); }

signals:
    void runStarted();
    // A call has been replied to with `result`.
    void runFinished(const QString& result);

private:
    struct Call {
        HostFormPtr form;
        Reply reply;
    };

    void startNext();
    void captionRead(const HostRead& read);
    void finish(const QString& result);

    std::deque<Call> waiting_;
    std::unique_ptr<Call> current_;
};

} // namespace vitalune
