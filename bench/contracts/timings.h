// Per-iteration times of a benchmark, reported as min, median and max counters in
// milliseconds beside Google Benchmark's mean.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace contracts_bench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

class Timings {
public:
    void add(double secondsTaken) { samples_.push_back(secondsTaken); }

    void report(benchmark::State& state, const char* prefix = "") const {
        if (samples_.empty()) return;
        std::vector<double> s = samples_;
        std::sort(s.begin(), s.end());
        const std::size_t n = s.size();
        const double median = n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
        const std::string p(prefix);
        state.counters[p + "min_ms"] = s.front() * 1e3;
        state.counters[p + "median_ms"] = median * 1e3;
        state.counters[p + "max_ms"] = s.back() * 1e3;
    }

private:
    std::vector<double> samples_;
};

}  // namespace contracts_bench
