// Inside of Table: the loaded header, the data blocks in chain order, and the
// files beside the table. Shared by the reading, writing and creating code.
#pragma once

#include "code_page.h"
#include "header.h"
#include "io.h"
#include "table.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace paradox {

// The data blocks of a table in memory: those read at open share one buffer (one
// read, one allocation), blocks added later have their own.
class BlockStore {
public:
    struct FreeBuffer {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    using Buffer = std::unique_ptr<std::uint8_t, FreeBuffer>;
    // A buffer for n bytes of blocks, left uninitialised: the file's bytes fill it.
    static Buffer allocate(std::size_t n);

    void reset(std::size_t blockSize, int count, Buffer base) {
        blockSize_ = blockSize;
        base_ = std::move(base);
        extra_.clear();
        ptr_.assign(static_cast<std::size_t>(count), nullptr);
        used_.assign(static_cast<std::size_t>(count), 0);
        for (int i = 0; i < count; ++i) ptr_[static_cast<std::size_t>(i)] = base_.get() + static_cast<std::size_t>(i) * blockSize_;
    }
    int count() const { return static_cast<int>(ptr_.size()); }
    bool used(int b) const { return b >= 1 && b <= count() && used_[static_cast<std::size_t>(b - 1)]; }
    void setUsed(int b, bool on) { used_[static_cast<std::size_t>(b - 1)] = on ? 1 : 0; }
    const std::uint8_t* data(int b) const { return ptr_[static_cast<std::size_t>(b - 1)]; }
    std::uint8_t* data(int b) { return ptr_[static_cast<std::size_t>(b - 1)]; }
    void grow(int count) {
        while (this->count() < count) {
            extra_.emplace_back(new std::uint8_t[blockSize_]());
            ptr_.push_back(extra_.back().get());
            used_.push_back(0);
        }
    }

private:
    std::size_t blockSize_ = 0;
    Buffer base_;
    std::vector<std::unique_ptr<std::uint8_t[]>> extra_;
    std::vector<std::uint8_t*> ptr_;
    std::vector<char> used_;
};

struct Table::Impl {
    std::filesystem::path path;
    Env* env = nullptr;
    bool wantReadOnly = false;
    bool readOnly = false;
    std::string readOnlyReason;
    bool broken = false;  // a change failed half-way and could not be undone here

    std::unique_ptr<File> db;
    std::uint64_t dbSize = 0;
    Header header;
    std::vector<std::uint8_t> headerBytes;  // the header as on disk
    TableInfo info;
    std::vector<FieldDef> fields;           // names in UTF-8
    const CodePage* codePage = nullptr;
    int keyBytes = 0;

    BlockStore blocks;
    std::vector<int> chain;       // block numbers in chain order
    std::vector<int> freeBlocks;  // blocks of the file outside the chain, to be used again
    // Per chain position: the block's record count and first key, so that a change
    // rebuilds the index without touching every block.
    std::vector<int> chainCounts;
    std::vector<std::uint8_t> chainKeys;
    struct RowRef {
        int block;
        int slot;
    };
    std::vector<RowRef> rows;

    std::filesystem::path pxPath;  // empty when the table has no key
    bool pxExists = false;
    std::vector<std::uint8_t> px;  // the .px file as on disk
    std::filesystem::path mbPath;
    mutable std::unique_ptr<File> mb;

    std::string fileName() const { return path.string(); }
    int capacity() const { return (header.blockSize - 6) / header.recordSize; }
    static int blockRecords(const std::uint8_t* block, int recordSize);
    const std::uint8_t* record(std::size_t row) const;
    void checkRow(std::size_t row) const;
    void checkField(int field) const;

    void load();    // reads everything from the files (into a fresh Impl)
    void reload();  // reads again; on failure the loaded table stays as it was
    void rebuildRows();
    Value readBlob(const FieldDef& f, const std::uint8_t* raw, int size) const;
    Value value(std::size_t row, int field) const;

    // Writing (table_write.cpp).
    std::vector<std::uint8_t> encodeRecord(const std::vector<std::optional<std::string>>& texts,
                                           const std::uint8_t* current, bool inserting,
                                           std::int64_t& autoIncrement) const;
    void requireWritable() const;
};

// Where the .px / .mb of a table lie (whatever their case on disk), and which index
// files are beside it.
std::filesystem::path companionPath(const std::filesystem::path& table, const std::string& extension);
std::vector<std::string> indexFilesBeside(const std::filesystem::path& table);

}  // namespace paradox
