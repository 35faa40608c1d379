#pragma once

#include "host/shell/engine/CoalescedCall.h"
#include "host/shell/engine/EngineCore.h"

#include <QObject>
#include <QString>

struct mpv_render_context;
struct mpv_render_param;

namespace ZelkShell {

// What every way of drawing the engine's picture shares: one render context
// of the engine's render API, and the hand-over of its update callback from
// the engine's threads to this object's thread. It holds the engine core, so
// the engine cannot end before the context is freed.
class RenderContext : public QObject {
    Q_OBJECT

public:
    ~RenderContext() override;

    bool isValid() const { return context_ != nullptr; }

signals:
    // The engine has something new to draw; delivered on this object's thread.
    void updateAvailable();

protected:
    explicit RenderContext(QObject* parent);

    // Creates the context with `params` (ending in MPV_RENDER_PARAM_INVALID);
    // on failure the context stays null and `error` says why.
    bool create(const EngineCorePtr& engine, mpv_render_param* params, QString* error);
    mpv_render_context* context() const { return context_; }

    // Whether the engine has a new frame (or a changed picture) to draw
    // since the last render; takes the engine's pending update flags. Only
    // on the thread that renders, with its graphics context current.
    bool takeFrameUpdate();

    // Called on an engine thread whenever the engine has something new; by
    // default queues updateAvailable() to this object's thread. Must not
    // call into the engine.
    virtual void engineHasUpdate();
    // After this returns the engine calls engineHasUpdate() no more; for a
    // derived class's destructor, before its own members go.
    void stopEngineUpdates();

private:
    static void engineUpdate(void* self);

    // Declared first: released only after the context was freed.
    EngineCorePtr engine_;
    mpv_render_context* context_ = nullptr;
    CoalescedCall updateNotice_;
};

} // namespace ZelkShell
