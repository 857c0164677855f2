// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>

struct xcb_connection_t;

namespace vitalune::testing {

// What the end-to-end tests ask of the X server about the plug-in's windows.
class XWindows {
public:
    using Window = std::uint32_t;

    explicit XWindows(const QString& display);
    ~XWindows();
    XWindows(const XWindows&) = delete;
    XWindows& operator=(const XWindows&) = delete;

    bool isConnected() const;

    // Top-level windows of process `pid` (by _NET_WM_PID) that are mapped and viewable.
    QList<Window> visibleWindowsOf(std::int64_t pid);
    bool isViewable(Window window);
    // The window's contents as the server holds them now.
    QImage grab(Window window);
    // Asks the window to close, as a window manager's close button does.
    bool sendDeleteWindow(Window window);
    // Covers the window with another one and uncovers it again, so that its contents
    // are lost and must be painted anew by its owner.
    bool coverAndUncover(Window window);

private:
    std::uint32_t atom(const char* name);
    xcb_connection_t* connection_ = nullptr;
    Window root_ = 0;
};

// Number of distinct colours in an image: a chart has many, an empty window one or two.
int distinctColours(const QImage& image);

} // namespace vitalune::testing
