#include "journal.h"

#include "bytes.h"
#include "table.h"

#include <cstring>

namespace paradox {
namespace {

constexpr char kMagic[8] = {'P', 'X', 'J', 'R', 'N', 'L', '0', '1'};
constexpr char kEnd[8] = {'P', 'X', 'J', 'R', 'E', 'N', 'D', '!'};

std::uint64_t fnv1a(const std::uint8_t* p, std::size_t n) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= 1099511628211ull;
    }
    return h;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    std::uint8_t b[4];
    bytes::putLe32(b, v);
    out.insert(out.end(), b, b + 4);
}
void put64(std::vector<std::uint8_t>& out, std::uint64_t v) {
    std::uint8_t b[8];
    bytes::putLe64(b, v);
    out.insert(out.end(), b, b + 8);
}

struct Reader {
    const std::vector<std::uint8_t>& data;
    std::size_t pos = 0;
    bool ok = true;
    bool need(std::size_t n) {
        if (!ok || data.size() - pos < n) ok = false;
        return ok;
    }
    std::uint32_t u32() {
        if (!need(4)) return 0;
        auto v = bytes::le32(data.data() + pos);
        pos += 4;
        return v;
    }
    std::uint64_t u64() {
        if (!need(8)) return 0;
        auto v = bytes::le64(data.data() + pos);
        pos += 8;
        return v;
    }
};

}  // namespace

std::filesystem::path journalPath(const std::filesystem::path& table) {
    return table.string() + "-journal";
}

void writeJournal(Env& env, const std::filesystem::path& journal, const std::vector<FileImage>& files) {
    std::vector<std::uint8_t> out(kMagic, kMagic + 8);
    put32(out, static_cast<std::uint32_t>(files.size()));
    for (const auto& f : files) {
        const std::string name = f.path.filename().string();
        put32(out, static_cast<std::uint32_t>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(f.existed ? 1 : 0);
        put64(out, f.originalSize);
        put32(out, static_cast<std::uint32_t>(f.ranges.size()));
        for (const auto& r : f.ranges) {
            put64(out, r.offset);
            put32(out, static_cast<std::uint32_t>(r.bytes.size()));
            out.insert(out.end(), r.bytes.begin(), r.bytes.end());
        }
    }
    put64(out, fnv1a(out.data(), out.size()));
    out.insert(out.end(), kEnd, kEnd + 8);
    auto file = env.open(journal, OpenMode::CreateNew);
    file->write(0, out.data(), out.size());
    file->sync();
    env.syncFolder(journal.parent_path());
}

bool rollBack(Env& env, const std::filesystem::path& journal) {
    std::vector<std::uint8_t> data;
    {
        auto file = env.open(journal, OpenMode::Read);
        auto size = file->size();
        if (size > (1ull << 31))
            throw Error(ErrorKind::Corrupt, "Журнал «" + journal.string() + "» слишком велик; удалите его вручную.");
        data.resize(static_cast<std::size_t>(size));
        data.resize(file->read(0, data.data(), data.size()));
    }
    bool whole = data.size() >= 8 + 4 + 16 && std::memcmp(data.data(), kMagic, 8) == 0 &&
                 std::memcmp(data.data() + data.size() - 8, kEnd, 8) == 0 &&
                 bytes::le64(data.data() + data.size() - 16) == fnv1a(data.data(), data.size() - 16);
    if (!whole) {
        // The journal was never finished, so the change had not begun: nothing to undo.
        env.remove(journal);
        env.syncFolder(journal.parent_path());
        return false;
    }
    std::vector<FileImage> files;
    Reader r{data, 8};
    std::uint32_t count = r.u32();
    for (std::uint32_t i = 0; i < count && r.ok; ++i) {
        FileImage f;
        std::uint32_t nameLength = r.u32();
        if (!r.need(nameLength)) break;
        std::string name(reinterpret_cast<const char*>(data.data() + r.pos), nameLength);
        r.pos += nameLength;
        if (!r.need(1)) break;
        f.existed = data[r.pos++] != 0;
        f.originalSize = r.u64();
        std::uint32_t ranges = r.u32();
        for (std::uint32_t k = 0; k < ranges && r.ok; ++k) {
            FileImage::Range range;
            range.offset = r.u64();
            std::uint32_t n = r.u32();
            if (!r.need(n)) break;
            range.bytes.assign(data.begin() + static_cast<std::ptrdiff_t>(r.pos),
                               data.begin() + static_cast<std::ptrdiff_t>(r.pos + n));
            r.pos += n;
            f.ranges.push_back(std::move(range));
        }
        if (name.empty() || name.find('/') != std::string::npos || name == "..") r.ok = false;
        f.path = journal.parent_path() / name;
        files.push_back(std::move(f));
    }
    if (!r.ok)
        throw Error(ErrorKind::Corrupt, "Журнал «" + journal.string() +
                                            "» повреждён; таблицу нельзя восстановить автоматически.");
    for (const auto& f : files) {
        if (!f.existed) {
            env.remove(f.path);
            continue;
        }
        auto file = env.open(f.path, OpenMode::ReadWrite);
        for (const auto& range : f.ranges) file->write(range.offset, range.bytes.data(), range.bytes.size());
        if (file->size() != f.originalSize) file->truncate(f.originalSize);
        file->sync();
    }
    env.remove(journal);
    env.syncFolder(journal.parent_path());
    return true;
}

}  // namespace paradox
