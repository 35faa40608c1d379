#include "host/shell/behaviour/FreeNames.h"

#include <cerrno>

namespace ZelkShell {

QString firstFreeName(const std::function<QString(int number)>& nameFor,
                      const std::function<int(const QString& name)>& lookUp, int limit, int* error)
{
    *error = EEXIST;
    for (int number = 1; number <= limit; ++number) {
        const QString candidate = nameFor(number);
        *error = lookUp(candidate);
        if (*error == 0)
            return candidate;
        if (*error != EEXIST)
            return QString();
    }
    return QString();
}

} // namespace ZelkShell
