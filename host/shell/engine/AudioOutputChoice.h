#pragma once

#include <QString>

namespace ZelkShell {

// The engine's audio outputs worth trying on this machine, best first, in
// the engine's list syntax ("pipewire,pulse"), or "null" when the machine
// has no sound server and no sound card. Looked at once per process.
//
// Trying an output whose server or device is absent is not free: the
// client libraries print their errors straight to the terminal (below the
// engine's own logging) and the attempts hold up the first frame. The
// look is only for the server sockets and device nodes, so it never
// touches those libraries.
QString audioOutputChoice();

} // namespace ZelkShell
