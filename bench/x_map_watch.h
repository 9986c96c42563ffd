#pragma once

#include <chrono>

// Waits for windows to appear on the X server, kept apart from Qt code
// because Xlib's macros clash with ordinary names.
class XMapWatch {
public:
    XMapWatch();
    ~XMapWatch();
    XMapWatch(const XMapWatch&) = delete;
    XMapWatch& operator=(const XMapWatch&) = delete;

    bool connected() const { return display_ != nullptr; }
    // Waits until the server maps a child of the root window: with no
    // window manager, the top-level window of a program. False on timeout.
    bool WaitForMap(std::chrono::milliseconds timeout);
    // Drops the events that arrived so far.
    void Flush();

private:
    void* display_ = nullptr;
};
