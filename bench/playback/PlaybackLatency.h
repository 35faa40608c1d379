#pragma once

#include <QString>

#include <vector>

namespace zelkbench {

// Milliseconds from pressing OK in the preferences window to the first frame
// the player renders that shows the change, one entry per round.
struct OkLatencies {
    std::vector<double> subtitleColour;
    std::vector<double> subtitleDelay;
    std::vector<double> brightness;
};

// Runs the player window in this process on `video` (which has a subtitle
// line from 1.0 to 3.0 s), paused at 1.5 s, and changes each setting back
// and forth `rounds` times. Needs a QApplication and an isolated store.
OkLatencies measureOkLatencies(const QString& video, int rounds, QString* error);

} // namespace zelkbench
