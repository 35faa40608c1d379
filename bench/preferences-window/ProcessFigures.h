#pragma once

// Figures of another process read from /proc: its memory (smaps_rollup) and
// whether it has gone quiet (no CPU time used for a while).

namespace zelkbench {

struct ProcessMemory {
    long rssKiB = -1;
    long pssKiB = -1;
};

ProcessMemory memoryOf(long pid);

// Waits until `pid` has used no CPU for `quietMs`, at most `timeoutMs`;
// false when it never went quiet (or has gone).
bool waitUntilQuiet(long pid, int quietMs, int timeoutMs);

} // namespace zelkbench
