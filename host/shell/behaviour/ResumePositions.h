#pragma once

#include <QString>

#include <optional>

namespace ZelkShell {

// Where each video was left, kept in a key of its own below the component's
// settings ("ResumePositions"): one value per file, named by its absolute path,
// holding the position and when it was stored. Only the most recently stored
// `capacity` files are kept.
class ResumePositions {
public:
    static constexpr const char* sectionName = "ResumePositions";
    static constexpr int defaultCapacity = 300;
    // Videos shorter than this always start from the beginning.
    static constexpr double minimumDurationSeconds = 60.0;
    // A position this close to the end counts as watched to the end.
    static constexpr double endMarginSeconds = 5.0;

    explicit ResumePositions(int capacity = defaultCapacity)
        : capacity_(capacity)
    {
    }

    // Whether a video of `duration` seconds left at `position` would resume
    // there rather than start from the beginning.
    static bool worthResuming(double position, double duration);

    // Stores where `file` was left, or forgets it when that position is not
    // worth resuming; false when the store could not be written.
    bool remember(const QString& file, double position, double duration);
    // The position to resume `file` at, if one is stored and still worth
    // resuming for a video of `duration` seconds.
    std::optional<double> positionFor(const QString& file, double duration) const;
    bool forget(const QString& file);
    // How many files have a stored position (-1 when the store is unreadable).
    int count() const;

private:
    bool dropOldest() const;

    int capacity_;
};

} // namespace ZelkShell
