// Rollback journal: before a change touches a table's files, the bytes it will
// overwrite (and each file's size) are written beside the table and synced; after
// the change is synced the journal is removed. A journal found on open is played
// back, so the files hold either the whole change or none of it.
#pragma once

#include "io.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace paradox {

struct FileImage {
    std::filesystem::path path;
    bool existed = true;
    std::uint64_t originalSize = 0;
    struct Range {
        std::uint64_t offset;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Range> ranges;  // original bytes of every range the change writes
};

std::filesystem::path journalPath(const std::filesystem::path& table);

// Writes and syncs the journal (the file must not exist yet).
void writeJournal(Env& env, const std::filesystem::path& journal, const std::vector<FileImage>& files);

// Plays back a journal if it is whole, then removes it. Returns true when files were restored.
// Throws Error when the journal is whole but the files cannot be restored.
bool rollBack(Env& env, const std::filesystem::path& journal);

}  // namespace paradox
