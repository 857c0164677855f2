#include "RunQueue.h"

#include "frmMain.h"

#include <QPointer>
#include <QTimer>

#include <exception>

namespace vitalune {

namespace {

void showMainWindow() {
    frmMain& window = frmMain::instance();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show(); // modeless, no owner
    window.raise();
    window.activateWindow();
}

} // namespace

RunQueue::RunQueue(QObject* parent) : QObject(parent) {}

void RunQueue::run(HostFormPtr form, Reply reply) {
    waiting_.push_back({std::move(form), std::move(reply)});
    if (!current_)
        startNext();
}

void RunQueue::startNext() {
    if (current_ || waiting_.empty())
        return;
    current_ = std::make_unique<Call>(std::move(waiting_.front()));
    waiting_.pop_front();
    emit runStarted();

    try {
        showMainWindow();
    } catch (const std::exception& error) {
        finish(QString::fromUtf8(error.what()));
        return;
    } catch (...) {
        finish(QStringLiteral("Unexpected error while opening the window"));
        return;
    }
    if (!current_->form) {
        finish(QStringLiteral("Object variable not set: no host form"));
        return;
    }
    // The read may answer at once or long after; the queue may be gone by then.
    QPointer<RunQueue> self(this);
    HostFormPtr form = current_->form;
    form->readCaption(QString(), [self](const HostRead& read) {
        if (self)
            self->captionRead(read);
    });
}

void RunQueue::captionRead(const HostRead& read) {
    if (!current_)
        return;
    if (!read.ok) {
        finish(read.error);
        return;
    }
    if (!frmMain::exists()) {
        // Closing the window ends the process; nothing is left to hand the form to.
        finish(QStringLiteral("The plug-in window was closed"));
        return;
    }
    // A read of an earlier person still under way notices the new form and reads it.
    frmMain& window = frmMain::instance();
    window.Text1 = read.text;
    window.objHost = current_->form;
    finish(QString());
}

void RunQueue::finish(const QString& result) {
    const Call call = std::move(*current_);
    current_.reset();
    if (call.reply)
        call.reply(result);
    emit runFinished(result);

    QTimer::singleShot(0, this, [this] {
        if (frmMain::exists()) {
            try {
                frmMain::instance().Form_Activate();
            } catch (const std::exception&) {
                // A failing read leaves the window as it was.
            }
        }
        startNext();
    });
}

} // namespace vitalune
