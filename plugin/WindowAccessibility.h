#pragma once

// What screen readers are told about the preferences window beyond what Qt
// works out by itself: the window is a dialog, and each of its lists is
// named by its label rather than by the item it shows.

namespace ZelkNimbo {

// Holds Qt's accessibility factory for the window while at least one
// preferences window lives. The factory's code lives in this module, so it
// must be gone before the module can be unloaded: every window holds one.
class WindowAccessibility {
public:
    WindowAccessibility();
    ~WindowAccessibility();
    WindowAccessibility(const WindowAccessibility&) = delete;
    WindowAccessibility& operator=(const WindowAccessibility&) = delete;
};

} // namespace ZelkNimbo
