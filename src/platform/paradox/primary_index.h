// The primary index (.px) of a keyed table: one entry per data block (its first
// key, block number and record count), in blocks of its own, with upper levels
// over them when one block cannot hold every entry.
#pragma once

#include "header.h"

#include <cstdint>
#include <string>
#include <vector>

namespace paradox {

struct IndexEntry {
    const std::uint8_t* key;  // keyBytes of the block's first record
    int block;
    int count;
};

// A new .px header for a table with this .db header; `name` is the stored file name.
std::vector<std::uint8_t> newIndexHeader(const Header& db, const std::string& name);

// The whole .px file: `header` (its size is the header size, its block-size byte
// says the block size) patched with the counts, then the index blocks.
std::vector<std::uint8_t> buildIndex(std::vector<std::uint8_t> header, int keyBytes,
                                     const std::vector<IndexEntry>& entries);

// Checks a .px file against the entries it should hold; returns "" or the reason.
std::string checkIndex(const std::vector<std::uint8_t>& px, int keyBytes, const std::vector<IndexEntry>& entries);

}  // namespace paradox
