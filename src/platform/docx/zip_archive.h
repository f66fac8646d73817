// ZIP containers for .docx packages, held in memory: read entries with size bounds, rewrite an
// archive with some entries replaced (the rest copied as stored), and write a fresh archive.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace docx {

// Bounds that keep a hostile or broken archive from exhausting memory.
struct ZipLimits {
    std::uint64_t maxEntrySize = 128ull << 20;  // one part, uncompressed
    std::uint64_t maxTotalSize = 512ull << 20;  // all parts, uncompressed
    std::uint64_t maxEntries = 20000;
};

class ZipReader {
public:
    // `bytes` is the whole archive; `displayName` names it in errors. Throws docx::Error.
    ZipReader(const std::string& bytes, std::string displayName, ZipLimits limits = {});
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    const std::vector<std::string>& names() const { return names_; }
    bool contains(const std::string& name) const;
    // The uncompressed contents of one entry; throws docx::Error when it is missing,
    // unreadable or larger than the bound.
    std::string read(const std::string& name) const;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    std::string displayName_;
    ZipLimits limits_;
    std::vector<std::string> names_;
};

// A copy of `original` in which each entry named in `replaced` holds the new contents; every other
// entry keeps its stored (compressed) bytes, name, order and time stamp.
std::string rewriteZip(const std::string& original, const std::map<std::string, std::string>& replaced,
                       const std::string& displayName);

struct ZipEntry {
    std::string name;
    std::string data;
};

// A new archive holding `entries` in the given order, deflated, every entry stamped with
// `mtime`, so that the same entries always give the same bytes.
std::string writeZip(const std::vector<ZipEntry>& entries, std::time_t mtime);

}  // namespace docx
