// The contract table the page benchmarks run over: 100,000 records of the contract layout,
// generated once and kept in the build tree, and fresh copies of it for the benchmarks
// that write.
#pragma once

#include <filesystem>

namespace contracts_bench {

inline constexpr long kRecords = 100000;

// The generated table file, made on the first call (a minute or so) and reused after.
std::filesystem::path generatedTable();

// A folder holding a copy of the generated table, removed with the object.
class WorkingCopy {
public:
    WorkingCopy();
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    const std::filesystem::path& table() const { return table_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path table_;
};

}  // namespace contracts_bench
