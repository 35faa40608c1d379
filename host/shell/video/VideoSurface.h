#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace ZelkShell {

class PlaybackEngine;
class VideoView;

// Where the player's video appears, whatever draws it (the software
// renderer, OpenGL, or the engine in a window of its own). Made by
// createVideoSurface() (VideoOutputs.h); the window uses only this.
//
// Life cycle, all on the GUI thread: made before the engine starts (it sets
// the engine options its output needs), attach() once the engine runs,
// detach() before the engine goes (it frees the surface's render context);
// the widget itself goes after the engine, since the engine may draw into it
// until it ends.
class VideoSurface : public QObject {
    Q_OBJECT

public:
    // The video area for the window's layout; owned by its Qt parent.
    QWidget* widget() const { return widget_; }

    // Connects the initialized engine; false with `error` when the engine
    // cannot draw here.
    virtual bool attach(PlaybackEngine& engine, QString* error) = 0;
    // Whether a file may be opened now: the engine needs the renderer before
    // a file opens, or it plays no video. ready() says when it becomes so.
    virtual bool isReady() const { return true; }
    // A line shown over the video area instead of the picture (empty: the
    // picture again).
    virtual void showMessage(const QString& text) = 0;
    virtual QString message() const = 0;
    // Lets go of the engine: no render context of it remains afterwards.
    virtual void detach() = 0;

    // The software output's view (its pictures, for tests and benchmarks);
    // null with the other outputs.
    virtual VideoView* softwareView() const { return nullptr; }

signals:
    // The surface became ready (or failed for good, said by a message).
    void ready();
    // A picture showing video (not only black) appeared.
    void videoFrameShown();

protected:
    VideoSurface(QWidget* widget, QObject* parent)
        : QObject(parent)
        , widget_(widget)
    {
    }

private:
    QWidget* widget_;
};

} // namespace ZelkShell
