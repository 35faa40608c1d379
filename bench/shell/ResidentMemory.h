#pragma once

// The process's resident set size, from /proc/self/status (VmRSS), in KiB;
// -1 where that is not available.

#include <fstream>
#include <string>

namespace zelkbench {

inline long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

} // namespace zelkbench
