#pragma once

// What the benchmark does on the X display, as a user would: it presses keys
// through XTest and watches the root window for top-level windows being
// mapped and unmapped. Under a reparenting window manager the window that
// appears is the manager's frame; each frame is traced back to the client
// window it holds (ReparentNotify) and that client's process (_NET_WM_PID).

#include <X11/Xlib.h>

#include <chrono>
#include <map>
#include <string>

namespace zelkbench {

struct MappedWindow {
    Window client = 0; // the application's own window, 0 when none came
    double milliseconds = -1; // from the call that started waiting
    std::string title;
};

class DisplayWatch {
public:
    DisplayWatch();
    ~DisplayWatch();
    DisplayWatch(const DisplayWatch&) = delete;
    DisplayWatch& operator=(const DisplayWatch&) = delete;

    bool isOpen() const { return display_ != nullptr; }

    // Presses and releases `keys` ("ctrl+p": modifiers then the key) with
    // the focus on `client`; the time starts before the first key goes out.
    void pressKeys(Window client, const std::string& keys);

    // Waits for a client window of process `pid` (any process for 0) other
    // than `except` to be mapped; the clock starts at the last pressKeys or
    // startClock call.
    MappedWindow waitForMap(long pid, Window except, int timeoutMs);
    // Waits until `client` is unmapped or destroyed.
    bool waitForUnmap(Window client, int timeoutMs);

    // Asks the window to close as its title-bar button does (WM_DELETE_WINDOW).
    void requestClose(Window client);

    // A bare top-level window mapped by this process: the floor of what any
    // window costs on this display and window manager.
    double mapBareWindow(int timeoutMs);

    void startClock() { start_ = std::chrono::steady_clock::now(); }

private:
    bool nextEvent(XEvent* event, std::chrono::steady_clock::time_point deadline);
    long processOf(Window client);
    double elapsedMs() const;

    Display* display_ = nullptr;
    Window root_ = 0;
    std::map<Window, Window> clientOfFrame_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace zelkbench
