#include "primary_index.h"

#include "bytes.h"

#include <cstring>

namespace paradox {

using namespace bytes;

namespace {

void putShortValue(std::uint8_t* p, int v) { putBe(p, 2, static_cast<std::uint16_t>(v) ^ 0x8000u); }
int shortValue(const std::uint8_t* p) { return static_cast<int>(be(p, 2) ^ 0x8000u); }

}  // namespace

std::vector<std::uint8_t> newIndexHeader(const Header& db, const std::string& name) {
    const int headerSize = db.versionId >= 5 ? 0x800 : 0x400;
    std::vector<std::uint8_t> h(static_cast<std::size_t>(headerSize), 0);
    int keyBytes = db.fieldOffsets[static_cast<std::size_t>(db.keyFields)];
    if (db.keyFields == static_cast<int>(db.fields.size())) keyBytes = db.recordSize;
    putLe16(&h[offsets::recordSize], static_cast<std::uint32_t>(keyBytes + 6));
    putLe16(&h[offsets::headerSize], static_cast<std::uint32_t>(headerSize));
    h[offsets::fileType] = PrimaryIndex;
    h[offsets::blockSize] = 2;  // 2 KB index blocks keep a changed block small
    putLe16(&h[offsets::fieldCount], static_cast<std::uint32_t>(db.keyFields));
    h[offsets::versionId] = static_cast<std::uint8_t>(db.versionId);
    putLe16(&h[offsets::maxBlocks], 1);
    std::size_t pos = offsets::fixedPart;
    for (int i = 0; i < db.keyFields; ++i) {
        h[pos++] = static_cast<std::uint8_t>(db.fields[static_cast<std::size_t>(i)].type);
        h[pos++] = static_cast<std::uint8_t>(db.fields[static_cast<std::size_t>(i)].length);
    }
    pos += 4;
    std::memcpy(&h[pos], name.data(), std::min<std::size_t>(name.size(), static_cast<std::size_t>(tableNameLength(db.versionId)) - 1));
    pos += static_cast<std::size_t>(tableNameLength(db.versionId));
    putLe16(&h[offsets::realHeaderSize], static_cast<std::uint32_t>(pos));
    return h;
}

std::vector<std::uint8_t> buildIndex(std::vector<std::uint8_t> header, int keyBytes,
                                     const std::vector<IndexEntry>& entries) {
    const std::size_t headerSize = le16(&header[offsets::headerSize]);
    const std::size_t blockSize = static_cast<std::size_t>(header[offsets::blockSize]) * 1024;
    const std::size_t entrySize = static_cast<std::size_t>(keyBytes) + 6;
    const std::size_t perBlock = (blockSize - 6) / entrySize;
    header.resize(headerSize);
    std::vector<std::uint8_t> out = std::move(header);
    out.reserve(headerSize + (entries.size() / perBlock + 2) * blockSize * 2);

    // Level 1 points at data blocks; every further level at the blocks of the one below.
    struct Level {
        std::vector<const std::uint8_t*> keys;  // point into the data blocks
        std::vector<int> blocks, counts;
    };
    Level current;
    current.keys.reserve(entries.size());
    current.blocks.reserve(entries.size());
    current.counts.reserve(entries.size());
    for (const auto& e : entries) {
        current.keys.push_back(e.key);
        current.blocks.push_back(e.block);
        current.counts.push_back(e.count);
    }
    std::size_t written = 0;  // index blocks so far
    int levels = 0;
    while (true) {
        ++levels;
        Level up;
        const std::size_t n = current.keys.size();
        const std::size_t first = written;
        std::size_t start = 0;
        do {
            const std::size_t end = std::min(n, start + perBlock);
            const std::size_t at = out.size();
            out.resize(at + blockSize, 0);
            std::uint8_t* b = out.data() + at;
            int total = 0;
            for (std::size_t i = start; i < end; ++i) {
                std::uint8_t* p = b + 6 + (i - start) * entrySize;
                std::memcpy(p, current.keys[i], static_cast<std::size_t>(keyBytes));
                putShortValue(p + keyBytes, current.blocks[i]);
                putShortValue(p + keyBytes + 2, current.counts[i]);
                putShortValue(p + keyBytes + 4, 0);
                total += current.counts[i];
            }
            putLe16(b + 4, static_cast<std::uint32_t>((static_cast<int>(end - start) - 1) * static_cast<int>(entrySize)) & 0xFFFF);
            ++written;
            if (end > start) {
                up.keys.push_back(current.keys[start]);
                up.blocks.push_back(static_cast<int>(written));
                up.counts.push_back(total);
            }
            start = end;
        } while (start < n);
        // Link the blocks of this level to each other.
        for (std::size_t i = first; i < written; ++i) {
            std::uint8_t* b = out.data() + headerSize + i * blockSize;
            putLe16(b, i + 1 < written ? static_cast<std::uint32_t>(i + 2) : 0);
            putLe16(b + 2, i > first ? static_cast<std::uint32_t>(i) : 0);
        }
        if (written - first <= 1) break;
        current = std::move(up);
    }
    putLe32(&out[offsets::recordCount], static_cast<std::uint32_t>(entries.size()));
    putLe16(&out[offsets::usedBlocks], static_cast<std::uint32_t>(written));
    putLe16(&out[offsets::fileBlocks], static_cast<std::uint32_t>(written));
    putLe16(&out[offsets::firstBlock], 1);
    putLe16(&out[offsets::lastBlock], static_cast<std::uint32_t>(written));
    putLe16(&out[offsets::indexRoot], static_cast<std::uint32_t>(written));
    if (le16(&out[offsets::maxBlocks]) < written) putLe16(&out[offsets::maxBlocks], static_cast<std::uint32_t>(written));
    out[offsets::indexLevels] = static_cast<std::uint8_t>(levels);
    return out;
}

std::string checkIndex(const std::vector<std::uint8_t>& px, int keyBytes, const std::vector<IndexEntry>& entries) {
    if (px.size() < offsets::fixedPart) return "файл индекса короче заголовка";
    if (px[offsets::fileType] != PrimaryIndex) return "файл индекса не является первичным индексом";
    const int headerSize = le16(&px[offsets::headerSize]);
    const int blockCode = px[offsets::blockSize];
    if (blockCode < 1 || blockCode > 32 || headerSize < offsets::fixedPart || static_cast<std::size_t>(headerSize) > px.size())
        return "заголовок индекса повреждён";
    if (le16(&px[offsets::recordSize]) != keyBytes + 6) return "длина записи индекса не совпадает с ключом таблицы";
    const std::size_t blockSize = static_cast<std::size_t>(blockCode) * 1024;
    const int levels = px[offsets::indexLevels];
    const int root = le16(&px[offsets::indexRoot]);
    const std::size_t blockCount = (px.size() - static_cast<std::size_t>(headerSize)) / blockSize;
    if (root < 1 || static_cast<std::size_t>(root) > blockCount || levels < 1) return "корень индекса указывает за конец файла";
    // Walk down from the root, collecting the entries that point at data blocks.
    const std::size_t entrySize = static_cast<std::size_t>(keyBytes) + 6;
    std::vector<IndexEntry> found;
    std::vector<std::uint8_t> seen(blockCount + 1, 0);
    struct Frame { int block; int level; };
    std::vector<Frame> stack{{root, levels}};
    std::vector<std::pair<int, std::vector<std::uint8_t>>> leaves;
    std::size_t total = 0;
    while (!stack.empty()) {
        Frame f = stack.back();
        stack.pop_back();
        if (f.block < 1 || static_cast<std::size_t>(f.block) > blockCount || seen[static_cast<std::size_t>(f.block)])
            return "индекс ссылается на неверный блок";
        seen[static_cast<std::size_t>(f.block)] = 1;
        const std::uint8_t* b = px.data() + headerSize + (static_cast<std::size_t>(f.block) - 1) * blockSize;
        const auto add = static_cast<std::int16_t>(le16(b + 4));
        const int n = add < 0 ? 0 : add / static_cast<int>(entrySize) + 1;
        if (static_cast<std::size_t>(n) * entrySize + 6 > blockSize) return "блок индекса переполнен";
        std::vector<Frame> children;
        for (int i = 0; i < n; ++i) {
            const std::uint8_t* e = b + 6 + static_cast<std::size_t>(i) * entrySize;
            if (f.level == 1) {
                if (++total > entries.size()) return "в индексе больше блоков, чем в таблице";
                const auto& want = entries[total - 1];
                if (std::memcmp(e, want.key, static_cast<std::size_t>(keyBytes)) != 0 ||
                    shortValue(e + keyBytes) != want.block || shortValue(e + keyBytes + 2) != want.count)
                    return "индекс не совпадает с блоком данных " + std::to_string(want.block);
            } else {
                children.push_back({shortValue(e + keyBytes), f.level - 1});
            }
        }
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
    }
    if (total != entries.size()) return "в индексе меньше блоков, чем в таблице";
    return {};
}

}  // namespace paradox
