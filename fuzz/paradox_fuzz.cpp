// libFuzzer entry over the Paradox table reader (and one change on what it read).
#include <cstddef>
#include <cstdint>

void exerciseParadoxTable(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    exerciseParadoxTable(data, size);
    return 0;
}
