#pragma once

#include <QString>

#include <functional>

namespace ZelkShell {

// The first of `nameFor(1)`, `nameFor(2)`... that `lookUp` finds free,
// trying at most `limit`: how a new file keeps clear of the names a folder
// already holds. `lookUp` answers 0 for a free name, EEXIST for a taken one
// and another errno when it cannot tell, which ends the search. Empty, with
// `*error` set, when no name was found (EEXIST: every one tried was taken).
QString firstFreeName(const std::function<QString(int number)>& nameFor,
                      const std::function<int(const QString& name)>& lookUp, int limit, int* error);

} // namespace ZelkShell
