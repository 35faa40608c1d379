#pragma once

#include "host/shell/engine/CoalescedCall.h"
#include "host/shell/engine/EngineCore.h"

#include <QObject>
#include <QString>

#include <utility>

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
    // Frees the context; the engine's updates were stopped by then
    // (UpdatesStoppedFirst).
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
    // After this returns the engine calls engineHasUpdate() no more.
    void stopEngineUpdates();
    // Stops whatever draws with the context on another thread; runs before
    // the engine's updates stop (the render API takes one call at a time).
    virtual void stopDrawing() {}

    template <typename Renderer>
    friend class UpdatesStoppedFirst;

private:
    static void engineUpdate(void* self);

    // Declared first: released only after the context was freed.
    EngineCorePtr engine_;
    mpv_render_context* context_ = nullptr;
    CoalescedCall updateNotice_;
};

// What every render context is made as: the most derived part, whose
// destructor runs before any other part's. The engine's update callback
// calls into the derived parts from an engine thread; stopped here, it can
// never run while one of them is being destroyed.
template <typename Renderer>
class UpdatesStoppedFirst final : public Renderer {
public:
    template <typename... Arguments>
    explicit UpdatesStoppedFirst(Arguments&&... arguments)
        : Renderer(std::forward<Arguments>(arguments)...)
    {
    }
    ~UpdatesStoppedFirst() override
    {
        this->stopDrawing();
        this->stopEngineUpdates();
    }
};

} // namespace ZelkShell
