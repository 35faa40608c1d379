#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

class EngineRequests;

// Gives the engine a video filter chain ("vf") without letting one filter it
// cannot use take the others, or the video, with it. FFmpeg graphs are
// checked here first (engineCanCreateVideoFilter); the rest of the engine's
// own check (filter names, their options) answers asynchronously: when it
// refuses the chain, the filters are offered one at a time and the ones it
// accepts are kept. One log line for each filter left out.
class VideoFilterChain {
public:
    explicit VideoFilterChain(EngineRequests& requests)
        : requests_(requests)
    {
    }

    // Sets the chain to `filters`, in order; returns the ones that passed
    // the check here (the engine may still refuse one of them).
    QStringList set(const QStringList& filters);

private:
    // Offers `remaining` one by one after `accepted`, then sets the result.
    void offerEach(QStringList accepted, QStringList remaining, int generation);

    EngineRequests& requests_;
    // A newer chain makes an older one's trials moot.
    int generation_ = 0;
};

} // namespace ZelkShell
