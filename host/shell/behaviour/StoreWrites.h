#pragma once

#include <functional>

namespace ZelkShell {

// Runs `write` (a write through the preference accessors) and, when it
// fails, once more on freshly opened keys: a held key may have been deleted
// under the player (by the preferences or zelk-reg). False when both tries
// fail. Every write of the player's GUI thread goes through here; `write`
// opens what it writes to itself, so that the second try reaches new keys.
bool writeRetryingOnFreshKeys(const std::function<bool()>& write);

} // namespace ZelkShell
