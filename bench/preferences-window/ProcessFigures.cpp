#include "ProcessFigures.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace zelkbench {

namespace {

// utime + stime of the whole process in clock ticks; -1 when it has gone.
long cpuTicksOf(long pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1;
    // The command name may hold blanks; the fields after it are fixed.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14)
            utime = std::stol(field);
        if (index == 15) {
            stime = std::stol(field);
            return utime + stime;
        }
    }
    return -1;
}

} // namespace

ProcessMemory memoryOf(long pid)
{
    ProcessMemory memory;
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(rollup, line)) {
        if (line.compare(0, 4, "Rss:") == 0)
            memory.rssKiB = std::stol(line.substr(4));
        else if (line.compare(0, 4, "Pss:") == 0)
            memory.pssKiB = std::stol(line.substr(4));
    }
    return memory;
}

bool waitUntilQuiet(long pid, int quietMs, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    long ticks = cpuTicksOf(pid);
    auto quietSince = Clock::now();
    while (ticks >= 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const long now = cpuTicksOf(pid);
        if (now != ticks) {
            ticks = now;
            quietSince = Clock::now();
        } else if (Clock::now() - quietSince >= std::chrono::milliseconds(quietMs)) {
            return true;
        }
    }
    return false;
}

} // namespace zelkbench
