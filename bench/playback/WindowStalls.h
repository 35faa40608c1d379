#pragma once

#include <QString>

namespace zelkbench {

// The longest time the player window's event loop went unanswered (ms).
struct WindowStalls {
    // Opening a video that lies among many other files.
    double openAmongFiles = -1;
    // Changing the subtitle code page while a 40 MB subtitle file is shown.
    double codePageChange = -1;
};

// Runs the player window in this process: opens a copy of `clip` in a
// folder of `neighbours` other files, then a copy beside a 40 MB subtitle
// file and changes the code page. Needs a QApplication and an isolated store.
WindowStalls measureWindowStalls(const QString& clip, const QString& workFolder, int neighbours, QString* error);

} // namespace zelkbench
