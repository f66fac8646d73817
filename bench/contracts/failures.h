// A benchmark that cannot give its figure says why and makes the program end with a
// failure, so that `make bench` stops instead of printing a table with a hole in it.
#pragma once

#include <benchmark/benchmark.h>

#include <exception>

namespace contracts_bench {

inline bool& failedFlag() {
    static bool failed = false;
    return failed;
}

inline void fail(benchmark::State& state, const char* why) {
    failedFlag() = true;
    state.SkipWithError(why);
}

inline bool anyFailed() { return failedFlag(); }

// Runs a benchmark's body; an exception (a table that cannot be copied or opened, a page
// that never paints) fails the benchmark with its message.
template <class Body> void guarded(benchmark::State& state, Body body) {
    try {
        body();
    } catch (const std::exception& e) {
        fail(state, e.what());
    }
}

}  // namespace contracts_bench
