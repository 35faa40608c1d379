#pragma once

// A small timing harness for benchmarks that compare against a baseline
// measured in the same run: each case runs in rounds, the median round counts.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace zelkbench {

struct Result {
    std::string name;
    double nanosPerOp;
};

// Median nanoseconds per call of `op` over `rounds` rounds of `iterations` calls.
inline double measure(const std::function<void()>& op, int iterations, int rounds = 7)
{
    std::vector<double> perOp;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < iterations; ++i)
            op();
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        perOp.push_back(elapsed.count() / iterations);
    }
    std::sort(perOp.begin(), perOp.end());
    return perOp[perOp.size() / 2];
}

// Prints "case  ns/op  ratio" with each case divided by its baseline.
inline void report(const char* title, const std::vector<std::pair<Result, Result>>& pairs)
{
    std::printf("%s\n", title);
    std::printf("%-44s %12s %12s %8s\n", "operation", "ns/op", "baseline", "ratio");
    for (const auto& [measured, baseline] : pairs) {
        std::printf("%-44s %12.0f %12.0f %8.2f   (baseline: %s)\n", measured.name.c_str(), measured.nanosPerOp,
                    baseline.nanosPerOp, measured.nanosPerOp / baseline.nanosPerOp, baseline.name.c_str());
    }
}

} // namespace zelkbench
