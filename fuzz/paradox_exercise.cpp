// What the fuzzer does with one input, shared with the regression test: the bytes
// are a table file (and, read from the same bytes, its memo file); the table is
// opened, every value read as text, checked, and changed once.
#include "platform/paradox/io.h"
#include "platform/paradox/table.h"

#include <cstddef>
#include <cstdint>
#include <string>

void exerciseParadoxTable(const std::uint8_t* data, std::size_t size) {
    paradox::MemoryEnv env;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    env.put("/mem/t.db", bytes);
    env.put("/mem/t.mb", bytes);
    try {
        auto t = paradox::Table::open("/mem/t.db", {.env = &env});
        std::size_t total = 0;
        for (std::size_t r = 0; r < t.recordCount(); ++r) {
            try {
                for (const auto& v : t.rowTexts(r))
                    if (v) total += v->size();
            } catch (const paradox::Error&) {
            }
        }
        (void)t.check();
        if (!t.readOnly() && !t.fields().empty()) {
            std::vector<std::optional<std::string>> row(t.fields().size());
            try {
                t.insert(row);
            } catch (const paradox::Error&) {
            }
            try {
                if (t.recordCount() > 0) t.remove(0);
            } catch (const paradox::Error&) {
            }
            (void)t.check();
        }
        (void)total;
    } catch (const paradox::Error&) {
        // A clear refusal is the expected answer to a bad file.
    }
}
