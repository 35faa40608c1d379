#pragma once

#include <QString>

namespace ZelkShell {

// Whether the engine can create the video filter `filter` (one entry of its
// "vf" list, "@label:lavfi=[graph]" or "lavfi=[graph]"). The engine creates
// its filters only when a file's video starts, and one it cannot create
// costs the whole video of that file; FFmpeg's graph parser, the one the
// engine's lavfi bridge uses, answers the same question up front. Entries
// that are not FFmpeg graphs are left to the engine's own option check
// (true). False with FFmpeg's reason in `error`.
bool engineCanCreateVideoFilter(const QString& filter, QString* error);

} // namespace ZelkShell
