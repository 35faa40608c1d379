#pragma once

#include "host/shell/engine/EngineSettings.h"

class QWidget;

namespace ZelkShell {

class PlaybackEngine;

// The output the player draws with this run: the stored choice, or the
// software renderer where the choice cannot work (no display, no X11
// window for the engine), with one log line saying so.
VideoOutputKind chooseVideoOutput(const StoredSettings& settings);

// Creates the video area for `kind` and gives the engine the options that
// output needs; call before the engine is initialized.
QWidget* createVideoArea(VideoOutputKind kind, PlaybackEngine& engine, QWidget* parent);

// Connects an initialized engine to the video area; false with `error`
// when the engine cannot draw into it.
bool connectVideoArea(VideoOutputKind kind, QWidget* area, PlaybackEngine& engine, QString* error);

} // namespace ZelkShell
