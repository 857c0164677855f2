// SPDX-License-Identifier: MIT
#pragma once

#include "QtCommandLine.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include <vector>

namespace vitalune {

// Chooses Qt's platform plug-in (the window system) before the QApplication exists, so that
// neither a missing display nor a misnamed platform makes Qt abort the process: what was
// asked for is tried first, and Qt's off-screen platform is kept in reserve behind it, so
// the program always starts and can then say what went wrong.
//
// Create it right before the QApplication, hand that argc() and argv(), and call started()
// right after it: in between it keeps Qt's own words about a window system that would not
// start. It must outlive the QApplication, which keeps pointing into argv().
class WindowSystem {
public:
    // -platform on the command line counts first, then QT_QPA_PLATFORM, then Qt's usual
    // choice for the session; `offscreen` draws off screen unless -platform says otherwise.
    WindowSystem(const char* program, const QtOptions& options, bool offscreen = false);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // What is wrong with a -platform that names no installed plug-in; empty when it is fine.
    const QString& unknownPlatform() const { return unknown_; }
    bool chosenOnCommandLine() const { return options_.platform.has_value(); }

    // The program's name and Qt's options, -platform first, in the spelling Qt acts on.
    int& argc() { return argc_; }
    char** argv() { return pointers_.data(); }

    void started();
    // After started(): empty when the window system asked for runs; otherwise why not, as
    // "No display could be opened: <reason>".
    const QString& noDisplay() const { return noDisplay_; }

private:
    QStringList requestedNames() const;
    void stopListening();

    QtOptions options_;
    QString platforms_; // what was asked for, in Qt's "name[:options];..." form
    QString unknown_;
    QString noDisplay_;
    QStringList heard_; // Qt's warnings about the platform plug-ins it tried
    QByteArrayList arguments_;
    std::vector<char*> pointers_;
    int argc_ = 0;
};

} // namespace vitalune
