#pragma once

#include "host/shell/engine/EngineSettings.h"

class QObject;
class QWidget;

namespace ZelkShell {

class PlaybackEngine;
class VideoSurface;

// The output the player draws with this run: the stored choice, or the
// software renderer where the choice cannot work (no display, no X11
// window for the engine), with one log line saying so.
VideoOutputKind chooseVideoOutput(const StoredSettings& settings);

// The one place video surfaces are made: the surface of output `kind`, owned
// by `owner`, its widget a child of `widgetParent`. Gives the engine the
// options that output needs: call before the engine is initialized, then
// attach() the surface once it is.
VideoSurface* createVideoSurface(VideoOutputKind kind, PlaybackEngine& engine, QWidget* widgetParent,
                                 QObject* owner);

} // namespace ZelkShell
