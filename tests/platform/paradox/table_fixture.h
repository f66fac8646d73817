// Temporary folders and small tables for the library's tests.
#pragma once

#include "platform/paradox/table.h"

#include <gtest/gtest.h>

#include "platform/paradox/tsv.h"

#include <filesystem>
#include <sstream>
#include <random>
#include <string>

namespace paradox::testing {

inline const std::string kCorpus = TELMA_CORPUS_DIR;

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() /
               ("telma-paradox-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::filesystem::path dir_;

    // Copies corpus files (a table and its companions) into the folder; returns the table's path.
    std::filesystem::path copyCorpus(const std::string& relative) {
        const std::filesystem::path src = std::filesystem::path(kCorpus) / relative;
        const auto stem = src.stem().string();
        for (const auto& e : std::filesystem::directory_iterator(src.parent_path()))
            if (e.path().stem().string() == stem) {
                auto to = dir_ / e.path().filename();
                std::filesystem::copy_file(e.path(), to);
                std::filesystem::permissions(to, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
            }
        return dir_ / src.filename();
    }

    // A keyed table with an autoincrement key and three texts, like the contract table in small.
    std::filesystem::path smallKeyed(const std::string& name = "small.db") {
        auto p = dir_ / name;
        Table::create(p,
                      {{"Id", FieldType::AutoIncrement, 4},
                       {"Name", FieldType::Alpha, 40},
                       {"Note", FieldType::Alpha, 255},
                       {"Amount", FieldType::Number, 8}},
                      1);
        return p;
    }
};

// The table as its dump text, for comparing whole states.
inline std::string dumpOf(const Table& t) {
    std::ostringstream out;
    tsv::dump(t, out);
    return out.str();
}

}  // namespace paradox::testing
