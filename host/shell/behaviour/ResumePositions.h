#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace ZelkShell {

class BackgroundJob;

// Where each video was left, kept in a key of its own below the component's
// settings ("ResumePositions"): one value per file, named by its absolute path,
// holding the position and when it was stored. Only the most recently stored
// `capacity` files are kept: the older ones are removed on a thread of their
// own, so that a store another tool filled with thousands of values never
// holds up the window.
class ResumePositions {
public:
    static constexpr const char* sectionName = "ResumePositions";
    static constexpr int defaultCapacity = 300;
    // Videos shorter than this always start from the beginning.
    static constexpr double minimumDurationSeconds = 60.0;
    // A position this close to the end counts as watched to the end.
    static constexpr double endMarginSeconds = 5.0;

    explicit ResumePositions(int capacity = defaultCapacity);
    // Waits for a removal of older positions that is under way.
    ~ResumePositions();
    // The background removal works on this very object.
    ResumePositions(const ResumePositions&) = delete;
    ResumePositions& operator=(const ResumePositions&) = delete;

    // Whether a video of `duration` seconds left at `position` would resume
    // there rather than start from the beginning.
    static bool worthResuming(double position, double duration);

    // Stores where `file` was left, or forgets it when that position is not
    // worth resuming; false when the store could not be written. Removing
    // the positions beyond the capacity follows in the background (and logs
    // its own failure).
    bool remember(const QString& file, double position, double duration);
    // The position to resume `file` at, if one is stored and still worth
    // resuming for a video of `duration` seconds.
    std::optional<double> positionFor(const QString& file, double duration) const;
    bool forget(const QString& file);
    // How many files have a stored position (-1 when the store is unreadable).
    int count() const;
    // Returns once the positions beyond the capacity are removed.
    void waitUntilTrimmed();

private:
    bool trimToCapacity() const;

    int capacity_;
    std::unique_ptr<BackgroundJob> trim_;
};

} // namespace ZelkShell
