#pragma once

#include "host/shell/engine/DetachedWork.h"
#include "host/shell/engine/SubtitleFilesBeside.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace ZelkShell {

class EngineRequests;

// The subtitle files beside a video, looked for before it opens and read by
// the engine so that they never hold the picture:
// - the folder is listed on a thread of its own, within bounds (a video
//   among a hundred thousand files, or on a slow mount, opens all the same);
// - small files are left to the engine's own search, read before the video
//   starts;
// - when one is large, the engine's search is turned off for that video and
//   the files are added once it shows, read by the engine in the
//   background;
// - one too large for the engine to read without stopping the picture for
//   long is not read at all: reported (subtitleRefused), to be loaded on
//   request (loadAnyway()).
class LateSubtitles : public QObject {
    Q_OBJECT

public:
    // How the files beside one video are to be read.
    struct Plan {
        // Per-file option for the engine ("sub-auto=no"), or empty.
        QString engineOption;
        // Added once the video shows.
        QStringList late;
        // Not read: too large.
        QStringList refused;
    };

    explicit LateSubtitles(EngineRequests& requests, QObject* parent = nullptr);
    ~LateSubtitles() override;

    // Looks beside `video` on a thread of its own; `ready` runs on this
    // object's thread with the plan, unless this object is gone by then.
    void plan(const QString& video, std::function<void(const Plan&)> ready);
    // Adds `files` to the playing video, read in the background; `select`
    // as the engine's own search would select them.
    void add(const QStringList& files, bool select);
    // A refused file, read on the user's request (the picture may stop
    // while the engine reads it).
    void loadAnyway(const QString& file) { add({file}, true); }
    // Reports each of `files` as refused (subtitleRefused()).
    void refuse(const QStringList& files);

signals:
    // `file` beside the playing video was not read; `reason` says why.
    void subtitleRefused(const QString& file, const QString& reason);

private:
    EngineRequests& requests_;
    DetachedWork search_{this};
};

// The bounds of one look beside a video.
constexpr int subtitleSearchMaxEntries = 250000;
constexpr int subtitleSearchMaxMilliseconds = 2000;

} // namespace ZelkShell
