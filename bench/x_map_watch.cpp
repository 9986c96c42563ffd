#include "x_map_watch.h"

#include <X11/Xlib.h>
#include <poll.h>

XMapWatch::XMapWatch()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    display_ = display;
}

XMapWatch::~XMapWatch()
{
    if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
}

bool XMapWatch::WaitForMap(std::chrono::milliseconds timeout)
{
    auto* display = static_cast<Display*>(display_);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) return true;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 1);
    }
    return false;
}

void XMapWatch::Flush()
{
    XSync(static_cast<Display*>(display_), True);
}
