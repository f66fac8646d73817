// Inputs the fuzzer once found troublesome, and the fuzz seeds: each must be handled
// without a crash, a hang or a sanitizer report.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

void exerciseParadoxTable(const std::uint8_t* data, std::size_t size);

namespace {

TEST(FuzzRegressions, EveryStoredInputIsHandled) {
    int seen = 0;
    for (const char* folder : {"/tests/platform/paradox/regressions", "/fuzz/corpus/paradox"}) {
        const std::filesystem::path dir = std::string(TELMA_SOURCE_DIR) + folder;
        if (!std::filesystem::exists(dir)) continue;
        for (const auto& e : std::filesystem::directory_iterator(dir)) {
            if (!e.is_regular_file() || e.path().filename() == "README") continue;
            SCOPED_TRACE(e.path().string());
            std::ifstream in(e.path(), std::ios::binary);
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            exerciseParadoxTable(bytes.data(), bytes.size());
            ++seen;
        }
    }
    EXPECT_GT(seen, 0);
}

}  // namespace
