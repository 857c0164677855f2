// SPDX-License-Identifier: MIT
#pragma once

#include "QtCommandLine.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include <vector>

namespace vitalune {

// Picks Qt's platform so a missing display does not abort; must outlive the QApplication.
class WindowSystem {
public:
    // -platform first, then QT_QPA_PLATFORM, then Qt's choice; `offscreen` in reserve.
    WindowSystem(const char* program, const QtOptions& options, bool offscreen = false);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // What is wrong with a -platform that names no installed plug-in; empty when it is fine.
    const QString& unknownPlatform() const { return unknown_; }
    bool chosenOnCommandLine() const { return options_.platform.has_value(); }

    int& argc() { return argc_; }
    char** argv() { return pointers_.data(); }

    void started();
    // After started(): empty, or "No display could be opened: <reason>".
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
