#include "DisplayWatch.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <poll.h>

#include <sstream>
#include <vector>

namespace zelkbench {

DisplayWatch::DisplayWatch()
    : display_(XOpenDisplay(nullptr))
{
    if (!display_)
        return;
    root_ = DefaultRootWindow(display_);
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
}

DisplayWatch::~DisplayWatch()
{
    if (display_)
        XCloseDisplay(display_);
}

double DisplayWatch::elapsedMs() const
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
}

bool DisplayWatch::nextEvent(XEvent* event, std::chrono::steady_clock::time_point deadline)
{
    while (!XPending(display_)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
    XNextEvent(display_, event);
    if (event->type == ReparentNotify && event->xreparent.parent != root_)
        clientOfFrame_[event->xreparent.parent] = event->xreparent.window;
    return true;
}

long DisplayWatch::processOf(Window client)
{
    const Atom pidAtom = XInternAtom(display_, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display_, client, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && count == 1 && format == 32)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

void DisplayWatch::pressKeys(Window client, const std::string& keys)
{
    if (client) {
        XRaiseWindow(display_, client);
        XSetInputFocus(display_, client, RevertToParent, CurrentTime);
        XSync(display_, False);
    }
    std::vector<KeyCode> codes;
    std::stringstream names(keys);
    std::string name;
    while (std::getline(names, name, '+')) {
        if (name == "ctrl")
            name = "Control_L";
        codes.push_back(XKeysymToKeycode(display_, XStringToKeysym(name.c_str())));
    }
    startClock();
    for (KeyCode code : codes)
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        XTestFakeKeyEvent(display_, *code, False, CurrentTime);
    XFlush(display_);
}

MappedWindow DisplayWatch::waitForMap(long pid, Window except, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    XEvent event;
    while (nextEvent(&event, deadline)) {
        if (event.type != MapNotify || event.xmap.event != root_ || event.xmap.override_redirect)
            continue;
        const auto frame = clientOfFrame_.find(event.xmap.window);
        const Window client = frame != clientOfFrame_.end() ? frame->second : event.xmap.window;
        if (client == except || (pid && processOf(client) != pid))
            continue;
        const double milliseconds = elapsedMs();
        char* name = nullptr;
        std::string title;
        if (XFetchName(display_, client, &name) && name) {
            title = name;
            XFree(name);
        }
        return {client, milliseconds, title};
    }
    return {};
}

bool DisplayWatch::waitForUnmap(Window client, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    XEvent event;
    while (nextEvent(&event, deadline)) {
        Window gone = 0;
        if (event.type == UnmapNotify && event.xunmap.event == root_)
            gone = event.xunmap.window;
        else if (event.type == DestroyNotify && event.xdestroywindow.event == root_)
            gone = event.xdestroywindow.window;
        const auto frame = clientOfFrame_.find(gone);
        if (gone && (gone == client || (frame != clientOfFrame_.end() && frame->second == client)))
            return true;
    }
    return false;
}

void DisplayWatch::requestClose(Window client)
{
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = client;
    message.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, client, False, NoEventMask, &message);
    XFlush(display_);
}

double DisplayWatch::mapBareWindow(int timeoutMs)
{
    const Window window = XCreateSimpleWindow(display_, root_, 0, 0, 400, 300, 0, 0, WhitePixel(display_, 0));
    XStoreName(display_, window, "bare window");
    startClock();
    XMapWindow(display_, window);
    XFlush(display_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    double mapped = -1;
    XEvent event;
    while (mapped < 0 && nextEvent(&event, deadline)) {
        if (event.type != MapNotify || event.xmap.event != root_)
            continue;
        const auto frame = clientOfFrame_.find(event.xmap.window);
        if (event.xmap.window == window || (frame != clientOfFrame_.end() && frame->second == window))
            mapped = elapsedMs();
    }
    XDestroyWindow(display_, window);
    XSync(display_, False);
    return mapped;
}

} // namespace zelkbench
