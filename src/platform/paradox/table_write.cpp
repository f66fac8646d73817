// Changing a table: every change is worked out on copies of the blocks it touches,
// then written through the rollback journal under the OS lock, and only then taken
// into the loaded table.
#include "table_impl.h"

#include "bytes.h"
#include "field_codec.h"
#include "journal.h"
#include "primary_index.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>

namespace paradox {

using namespace bytes;

namespace {

bool isBlobType(FieldType t) {
    return t == FieldType::Memo || t == FieldType::FormattedMemo || t == FieldType::Blob ||
           t == FieldType::Ole || t == FieldType::Graphic;
}

// Releases the write lock however the change ends.
struct LockGuard {
    File* file;
    void release() {
        if (file) file->unlock();
        file = nullptr;
    }
    ~LockGuard() { release(); }
};

}  // namespace

// One change in the making: new images of the blocks it touches and the new chain.
class Change {
public:
    explicit Change(Table::Impl& t)
        : t_(t), chain_(t.chain), free_(t.freeBlocks), fileBlocks_(t.blocks.count()),
          autoIncrement_(t.header.autoIncrement) {}

    std::int64_t& autoIncrement() { return autoIncrement_; }
    std::vector<int>& chain() { return chain_; }

    std::vector<std::uint8_t>& image(int b) {
        auto it = dirty_.find(b);
        if (it != dirty_.end()) return it->second;
        auto& img = dirty_[b];
        if (t_.blocks.used(b))
            img.assign(t_.blocks.data(b), t_.blocks.data(b) + t_.header.blockSize);
        else
            img.assign(static_cast<std::size_t>(t_.header.blockSize), 0);
        return img;
    }
    const std::uint8_t* peek(int b) const {
        auto it = dirty_.find(b);
        if (it != dirty_.end()) return it->second.data();
        return t_.blocks.data(b);
    }
    int count(int b) const { return Table::Impl::blockRecords(peek(b), t_.header.recordSize); }
    void setCount(int b, int n) {
        putLe16(image(b).data() + 4, static_cast<std::uint32_t>((n - 1) * t_.header.recordSize) & 0xFFFF);
    }
    std::uint8_t* slot(int b, int s) {
        return image(b).data() + 6 + static_cast<std::size_t>(s) * static_cast<std::size_t>(t_.header.recordSize);
    }

    // Sets the links of the block at chain position pos, touching it only when they change.
    void link(std::size_t pos) {
        if (pos >= chain_.size()) return;
        const int b = chain_[pos];
        const int next = pos + 1 < chain_.size() ? chain_[pos + 1] : 0;
        const int prev = pos > 0 ? chain_[pos - 1] : 0;
        const std::uint8_t* p = peek(b);
        if (le16(p) != next || le16(p + 2) != prev) {
            putLe16(image(b).data(), static_cast<std::uint32_t>(next));
            putLe16(image(b).data() + 2, static_cast<std::uint32_t>(prev));
        }
    }

    int newBlockAfter(std::size_t pos) {
        int b;
        if (!free_.empty()) {
            b = free_.back();
            free_.pop_back();
        } else {
            if (fileBlocks_ >= 0xFFFF)
                throw Error(ErrorKind::Unsupported, "Таблица «" + t_.fileName() + "» заполнена: в ней не может быть больше блоков.");
            b = ++fileBlocks_;
        }
        auto& img = image(b);
        std::fill(img.begin(), img.end(), 0);
        setCount(b, 0);
        const std::size_t at = chain_.empty() ? 0 : pos + 1;
        chain_.insert(chain_.begin() + static_cast<std::ptrdiff_t>(at), b);
        link(at - (at > 0 ? 1 : 0));
        link(at);
        link(at + 1);
        return b;
    }

    void unlink(std::size_t pos) {
        const int b = chain_[pos];
        chain_.erase(chain_.begin() + static_cast<std::ptrdiff_t>(pos));
        auto& img = image(b);
        std::fill(img.begin(), img.end(), 0);
        setCount(b, 0);
        free_.push_back(b);
        if (pos > 0) link(pos - 1);
        link(pos);
    }

    std::size_t positionOf(int b) const {
        return static_cast<std::size_t>(std::find(chain_.begin(), chain_.end(), b) - chain_.begin());
    }

    // Puts a record at (block, slot); a full block is split first.
    void insertAt(std::size_t pos, int s, const std::uint8_t* rec) {
        const int rs = t_.header.recordSize;
        const int cap = t_.capacity();
        if (chain_.empty()) {
            int b = newBlockAfter(0);
            std::memcpy(slot(b, 0), rec, static_cast<std::size_t>(rs));
            setCount(b, 1);
            return;
        }
        int b = chain_[pos];
        int n = count(b);
        if (n == cap) {
            if (s == n) {
                // Adding after the last record of a full block: start the next block.
                int nb = newBlockAfter(pos);
                std::memcpy(slot(nb, 0), rec, static_cast<std::size_t>(rs));
                setCount(nb, 1);
                return;
            }
            const int keep = cap / 2;
            int nb = newBlockAfter(pos);
            std::memcpy(slot(nb, 0), slot(b, keep), static_cast<std::size_t>((n - keep) * rs));
            setCount(nb, n - keep);
            std::memset(slot(b, keep), 0, static_cast<std::size_t>((n - keep) * rs));
            setCount(b, keep);
            if (s > keep) {
                b = nb;
                s -= keep;
            }
            n = count(b);
        }
        std::memmove(slot(b, s + 1), slot(b, s), static_cast<std::size_t>((n - s) * rs));
        std::memcpy(slot(b, s), rec, static_cast<std::size_t>(rs));
        setCount(b, n + 1);
    }

    void removeAt(std::size_t pos, int s) {
        const int rs = t_.header.recordSize;
        const int b = chain_[pos];
        const int n = count(b);
        if (n == 1) {
            unlink(pos);
            return;
        }
        std::memmove(slot(b, s), slot(b, s + 1), static_cast<std::size_t>((n - s - 1) * rs));
        std::memset(slot(b, n - 1), 0, static_cast<std::size_t>(rs));
        setCount(b, n - 1);
    }

    void commit(std::int64_t recordDelta);

private:
    Table::Impl& t_;
    std::map<int, std::vector<std::uint8_t>> dirty_;
    std::vector<int> chain_;
    std::vector<int> free_;
    int fileBlocks_;
    std::int64_t autoIncrement_;
};

void Table::Impl::requireWritable() const {
    if (readOnly)
        throw Error(ErrorKind::ReadOnly, "Таблицу «" + fileName() + "» нельзя изменить: " + readOnlyReason + ".");
    if (broken)
        throw Error(ErrorKind::Io, "Таблица «" + fileName() + "»: прошлое изменение не завершилось; откройте таблицу заново.");
}

void Change::commit(std::int64_t recordDelta) {
    Table::Impl& t = t_;
    Env& env = *t.env;
    const std::string file = t.fileName();
    if (!t.db->tryLock())
        throw Error(ErrorKind::Busy, "Таблица «" + file + "» сейчас занята другой программой; повторите попытку позже.");
    LockGuard guard{t.db.get()};

    // Another program may have changed the file since it was read.
    {
        std::vector<std::uint8_t> now(t.headerBytes.size());
        const bool same = t.db->size() == t.dbSize && t.db->read(0, now.data(), now.size()) == now.size() &&
                          now == t.headerBytes;
        if (!same) {
            guard.release();
            t.reload();
            throw Error(ErrorKind::Busy, "Таблица «" + file +
                                             "» изменена другой программой; она прочитана заново, повторите изменение.");
        }
    }

    // New header.
    std::vector<std::uint8_t> head = t.headerBytes;
    const auto records = static_cast<std::int64_t>(t.rows.size()) + recordDelta;
    putLe32(&head[offsets::recordCount], static_cast<std::uint32_t>(records));
    putLe16(&head[offsets::usedBlocks], static_cast<std::uint32_t>(chain_.size()));
    putLe16(&head[offsets::fileBlocks], static_cast<std::uint32_t>(fileBlocks_));
    putLe16(&head[offsets::firstBlock], chain_.empty() ? 0u : static_cast<std::uint32_t>(chain_.front()));
    putLe16(&head[offsets::lastBlock], chain_.empty() ? 0u : static_cast<std::uint32_t>(chain_.back()));
    putLe32(&head[offsets::autoIncrement], static_cast<std::uint32_t>(autoIncrement_));
    // The largest number of blocks the file has had, as the original engine keeps it.
    if (le16(&head[offsets::maxBlocks]) < fileBlocks_) putLe16(&head[offsets::maxBlocks], static_cast<std::uint32_t>(fileBlocks_));
    head[offsets::changeCount1] = static_cast<std::uint8_t>(head[offsets::changeCount1] + 1);
    if (hasDataHeader(t.header.versionId)) {
        putLe16(&head[offsets::changeCount4], le16(&head[offsets::changeCount4]) + 1u);
        putLe32(&head[offsets::updateTime], static_cast<std::uint32_t>(std::time(nullptr)));  // Unix time
    }

    struct Pending {
        std::filesystem::path path;
        File* file;
        std::unique_ptr<File> owned;
        bool existed;
        std::uint64_t oldSize, newSize;
        std::vector<std::pair<std::uint64_t, const std::vector<std::uint8_t>*>> writes;
    };
    std::vector<Pending> pending;
    const std::uint64_t bs = static_cast<std::uint64_t>(t.header.blockSize);
    const std::uint64_t hs = static_cast<std::uint64_t>(t.header.headerSize);
    Pending dbp{t.path, t.db.get(), nullptr, true, t.dbSize,
                std::max<std::uint64_t>(t.dbSize, hs + static_cast<std::uint64_t>(fileBlocks_) * bs), {}};
    dbp.writes.emplace_back(0, &head);
    for (auto& [b, img] : dirty_) dbp.writes.emplace_back(hs + static_cast<std::uint64_t>(b - 1) * bs, &img);
    pending.push_back(std::move(dbp));

    // The primary index, rebuilt in memory; only its blocks that differ are written.
    std::vector<std::uint8_t> newPx;
    std::vector<std::vector<std::uint8_t>> pxPieces;
    // Blocks before `from` keep their place, first key and record count: the rows
    // and index entries for them stay as they are (an update in place touches none).
    const std::size_t kb = static_cast<std::size_t>(t.keyBytes);
    std::size_t from = 0;
    while (from < chain_.size() && from < t.chain.size() && chain_[from] == t.chain[from]) ++from;
    for (const auto& [b, img] : dirty_) {
        if (!t.blocks.used(b)) continue;
        if (count(b) == Table::Impl::blockRecords(t.blocks.data(b), t.header.recordSize) &&
            std::memcmp(img.data() + 6, t.blocks.data(b) + 6, kb) == 0)
            continue;
        auto it = std::find(t.chain.rbegin(), t.chain.rend(), b);  // changes are mostly at the end
        if (it != t.chain.rend()) from = std::min(from, static_cast<std::size_t>(t.chain.rend() - it - 1));
    }
    const bool indexChanges = !t.pxExists || from < std::max(chain_.size(), t.chain.size());
    std::size_t tailRows = 0;
    for (std::size_t pos = from; pos < t.chain.size(); ++pos)
        tailRows += static_cast<std::size_t>(t.chainCounts[pos]);
    if (!t.pxPath.empty() && indexChanges) {
        std::vector<IndexEntry> entries;
        entries.reserve(chain_.size());
        for (std::size_t pos = 0; pos < from; ++pos)
            entries.push_back({t.chainKeys.data() + pos * kb, chain_[pos], t.chainCounts[pos]});
        for (std::size_t pos = from; pos < chain_.size(); ++pos) {
            const std::uint8_t* p = peek(chain_[pos]);
            entries.push_back({p + 6, chain_[pos], Table::Impl::blockRecords(p, t.header.recordSize)});
        }
        std::vector<std::uint8_t> pxHeader;
        if (t.pxExists && t.px.size() >= static_cast<std::size_t>(offsets::fixedPart) &&
            le16(&t.px[offsets::headerSize]) <= t.px.size() && t.px[offsets::blockSize] >= 1 &&
            t.px[offsets::blockSize] <= 32 && le16(&t.px[offsets::recordSize]) == t.keyBytes + 6)
            pxHeader.assign(t.px.begin(), t.px.begin() + le16(&t.px[offsets::headerSize]));
        else
            pxHeader = newIndexHeader(t.header, companionPath(t.path, ".px").filename().string());
        newPx = buildIndex(std::move(pxHeader), t.keyBytes, entries);
        const std::size_t pxHead = le16(&newPx[offsets::headerSize]);
        const std::size_t pxBlock = static_cast<std::size_t>(newPx[offsets::blockSize]) * 1024;
        Pending pp{t.pxPath, nullptr, nullptr, t.pxExists, t.pxExists ? t.px.size() : 0, newPx.size(), {}};
        auto piece = [&](std::size_t at, std::size_t n) {
            const bool same = at + n <= t.px.size() && t.pxExists &&
                              std::equal(newPx.begin() + static_cast<std::ptrdiff_t>(at),
                                         newPx.begin() + static_cast<std::ptrdiff_t>(at + n),
                                         t.px.begin() + static_cast<std::ptrdiff_t>(at));
            if (same) return;
            pxPieces.emplace_back(newPx.begin() + static_cast<std::ptrdiff_t>(at),
                                  newPx.begin() + static_cast<std::ptrdiff_t>(at + n));
        };
        std::vector<std::uint64_t> pieceOffsets;
        std::size_t before = 0;
        piece(0, pxHead);
        if (pxPieces.size() > before) pieceOffsets.push_back(0);
        for (std::size_t at = pxHead; at < newPx.size(); at += pxBlock) {
            before = pxPieces.size();
            piece(at, pxBlock);
            if (pxPieces.size() > before) pieceOffsets.push_back(at);
        }
        for (std::size_t i = 0; i < pxPieces.size(); ++i) pp.writes.emplace_back(pieceOffsets[i], &pxPieces[i]);
        if (!pp.writes.empty() || pp.newSize != pp.oldSize) pending.push_back(std::move(pp));
    }

    // The journal: the bytes each write will cover, as they are on disk now.
    std::vector<FileImage> images;
    for (auto& p : pending) {
        if (!p.file && p.existed) {
            p.owned = env.open(p.path, OpenMode::ReadWrite);
            p.file = p.owned.get();
        }
        FileImage img;
        img.path = p.path;
        img.existed = p.existed;
        img.originalSize = p.oldSize;
        if (p.existed)
            for (auto& [offset, data] : p.writes) {
                if (offset >= p.oldSize) continue;
                FileImage::Range r{offset, std::vector<std::uint8_t>(static_cast<std::size_t>(
                                               std::min<std::uint64_t>(data->size(), p.oldSize - offset)))};
                r.bytes.resize(p.file->read(offset, r.bytes.data(), r.bytes.size()));
                img.ranges.push_back(std::move(r));
            }
        images.push_back(std::move(img));
    }
    const auto journal = journalPath(t.path);
    if (env.exists(journal)) {
        t.broken = true;
        throw Error(ErrorKind::Io, "Рядом с таблицей «" + file + "» остался журнал незавершённого изменения; откройте таблицу заново.");
    }
    writeJournal(env, journal, images);
    try {
        for (auto& p : pending) {
            if (!p.file) {
                p.owned = env.open(p.path, OpenMode::CreateNew);
                p.file = p.owned.get();
            }
            for (auto& [offset, data] : p.writes) p.file->write(offset, data->data(), data->size());
            if (p.newSize < p.oldSize) p.file->truncate(p.newSize);
            p.file->sync();
        }
        if (!pending.empty() && pending.back().path == t.pxPath && !t.pxExists) env.syncFolder(t.path.parent_path());
        env.remove(journal);
        env.syncFolder(t.path.parent_path());
    } catch (const Error&) {
        // Undo at once from the journal; if even that fails, the next open does it.
        try {
            rollBack(env, journal);
        } catch (const Error&) {
            t.broken = true;
        }
        throw;
    }

    // The change is in the files: take it into the loaded table.
    t.headerBytes = head;
    t.header.recordCount = static_cast<std::uint32_t>(records);
    t.header.autoIncrement = autoIncrement_;
    t.header.fileBlocks = fileBlocks_;
    t.dbSize = pending.front().newSize;
    t.blocks.grow(fileBlocks_);
    for (auto& [b, img] : dirty_) std::memcpy(t.blocks.data(b), img.data(), img.size());
    for (int b : chain_) t.blocks.setUsed(b, true);
    for (int b : free_) t.blocks.setUsed(b, false);
    t.chain = chain_;
    t.freeBlocks = free_;
    if (!t.pxPath.empty() && indexChanges) {
        t.px = std::move(newPx);
        t.pxExists = true;
        if (t.info.indexFiles.empty() || t.info.indexFiles.front() != t.pxPath.filename().string()) {
            auto& files = t.info.indexFiles;
            if (std::find(files.begin(), files.end(), t.pxPath.filename().string()) == files.end())
                files.insert(files.begin(), t.pxPath.filename().string());
        }
    }
    t.rows.resize(t.rows.size() - tailRows);
    t.chainCounts.resize(from);
    t.chainKeys.resize(from * kb);
    for (std::size_t pos = from; pos < chain_.size(); ++pos) {
        const std::uint8_t* p = t.blocks.data(chain_[pos]);
        const int n = Table::Impl::blockRecords(p, t.header.recordSize);
        for (int slot = 0; slot < n; ++slot) t.rows.push_back({chain_[pos], slot});
        t.chainCounts.push_back(n);
        t.chainKeys.insert(t.chainKeys.end(), p + 6, p + 6 + kb);
    }
    t.info.autoIncrement = autoIncrement_;
    t.info.blockCount = static_cast<int>(chain_.size());
}

std::vector<std::uint8_t> Table::Impl::encodeRecord(const std::vector<std::optional<std::string>>& texts,
                                                    const std::uint8_t* current, bool inserting,
                                                    std::int64_t& autoIncrement) const {
    if (texts.size() != fields.size())
        throw Error(ErrorKind::BadValue, "Таблица «" + fileName() + "»: передано значений " +
                                             std::to_string(texts.size()) + ", а полей " +
                                             std::to_string(fields.size()) + ".");
    std::vector<std::uint8_t> rec(static_cast<std::size_t>(header.recordSize), 0);
    if (current) std::memcpy(rec.data(), current, rec.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldDef& f = fields[i];
        const int size = storedSize(f.type, f.length);
        std::uint8_t* out = rec.data() + header.fieldOffsets[i];
        const std::string text = texts[i].value_or(std::string());
        if (current) {
            // An unchanged text keeps its stored bytes (blobs and memos stay as they are).
            Value v = isBlobType(f.type) && codec::allZero(current + header.fieldOffsets[i], size)
                          ? Value(std::monostate{})
                          : (isBlobType(f.type) ? readBlob(f, current + header.fieldOffsets[i], size)
                                                : codec::decode(f.type, f.length, current + header.fieldOffsets[i],
                                                                size, *codePage));
            if (codec::format(v, f.type) == text) continue;
        }
        if (f.type == FieldType::AutoIncrement && text.empty()) {
            if (inserting) {
                if (autoIncrement >= 2147483647)
                    throw Error(ErrorKind::Unsupported, codec::fieldLabel(f) + ": счётчик исчерпан.");
                ++autoIncrement;
                std::uint8_t buf[4];
                putBe(buf, 4, static_cast<std::uint32_t>(autoIncrement) ^ 0x80000000u);
                std::memcpy(out, buf, 4);
            }
            continue;  // on update an empty counter keeps its number
        }
        if (text.empty()) {
            std::memset(out, 0, static_cast<std::size_t>(size));
            continue;
        }
        if (isBlobType(f.type)) {
            const int leader = size - 10;
            if (f.type != FieldType::Memo && f.type != FieldType::FormattedMemo)
                throw Error(ErrorKind::Unsupported, codec::fieldLabel(f) + ": двоичные данные из текста не записываются.");
            auto enc = codePage->encode(text);
            if (enc.failed)
                throw Error(ErrorKind::Unrepresentable, codec::fieldLabel(f) + ": символ «" + *enc.failed +
                                                            "» нельзя записать в кодовой странице " +
                                                            std::to_string(codePage->number()) + " этой таблицы; замените его.");
            if (enc.bytes.size() > static_cast<std::size_t>(leader))
                throw Error(ErrorKind::TooLong, codec::fieldLabel(f) + ": текст длиннее " + std::to_string(leader) +
                                                    " символов, которые это поле хранит в самой записи; сократите его.");
            std::memset(out, 0, static_cast<std::size_t>(size));
            std::memcpy(out, enc.bytes.data(), enc.bytes.size());
            putLe32(out + leader + 4, static_cast<std::uint32_t>(enc.bytes.size()));
            continue;
        }
        codec::encode(f, size, text, *codePage, out);
        if (f.type == FieldType::AutoIncrement) {
            auto v = static_cast<std::int64_t>(static_cast<std::int32_t>(be(out, 4) ^ 0x80000000u));
            if (v > autoIncrement) autoIncrement = v;
        }
    }
    return rec;
}

namespace {

int compareKeys(const std::uint8_t* a, const std::uint8_t* b, int n) { return std::memcmp(a, b, static_cast<std::size_t>(n)); }

}  // namespace

void Table::checkText(int field, const std::string& text) const {
    impl_->checkField(field);
    const FieldDef& f = impl_->fields[static_cast<std::size_t>(field)];
    if (text.empty()) return;
    std::vector<std::optional<std::string>> texts(impl_->fields.size());
    texts[static_cast<std::size_t>(field)] = text;
    std::int64_t counter = impl_->header.autoIncrement;
    (void)f;
    impl_->encodeRecord(texts, nullptr, true, counter);
}

std::size_t Table::update(std::size_t row, const std::vector<std::optional<std::string>>& texts) {
    Impl& t = *impl_;
    t.requireWritable();
    t.checkRow(row);
    const std::uint8_t* current = t.record(row);
    std::int64_t counter = t.header.autoIncrement;
    auto rec = t.encodeRecord(texts, current, false, counter);
    Change change(t);
    change.autoIncrement() = counter;
    const auto ref = t.rows[row];
    const bool keyChanged = t.info.keyed && compareKeys(rec.data(), current, t.keyBytes) != 0;
    std::size_t newRow = row;
    if (!keyChanged) {
        std::memcpy(change.slot(ref.block, ref.slot), rec.data(), rec.size());
    } else {
        // A new key moves the record to its place in key order.
        std::vector<const std::uint8_t*> keys;
        std::size_t at = 0;
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            if (r == row) continue;
            int c = compareKeys(t.record(r), rec.data(), t.keyBytes);
            if (c == 0)
                throw Error(ErrorKind::BadValue, "Таблица «" + t.fileName() + "»: запись с таким ключом уже есть.");
            if (c < 0) ++at;
        }
        change.removeAt(change.positionOf(ref.block), ref.slot);
        // Find the neighbour after which the record goes, among the remaining rows.
        std::vector<Impl::RowRef> remaining;
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            if (r != row) remaining.push_back(t.rows[r]);
        if (at == 0) {
            change.insertAt(0, 0, rec.data());
        } else {
            auto prev = remaining[at - 1];
            int slot = prev.slot;
            if (prev.block == ref.block && prev.slot > ref.slot) --slot;
            auto pos = change.positionOf(prev.block);
            if (pos == change.chain().size()) {
                change.insertAt(0, 0, rec.data());
            } else {
                change.insertAt(pos, slot + 1, rec.data());
            }
        }
        newRow = at;
    }
    change.commit(0);
    return newRow;
}

std::size_t Table::insert(const std::vector<std::optional<std::string>>& texts) {
    Impl& t = *impl_;
    t.requireWritable();
    std::int64_t counter = t.header.autoIncrement;
    auto rec = t.encodeRecord(texts, nullptr, true, counter);
    Change change(t);
    change.autoIncrement() = counter;
    std::size_t at = t.rows.size();
    if (t.info.keyed) {
        // Binary search: rows are in key order.
        std::size_t lo = 0, hi = t.rows.size();
        while (lo < hi) {
            std::size_t mid = (lo + hi) / 2;
            int c = compareKeys(t.record(mid), rec.data(), t.keyBytes);
            if (c == 0)
                throw Error(ErrorKind::BadValue, "Таблица «" + t.fileName() + "»: запись с таким ключом уже есть.");
            if (c < 0) lo = mid + 1;
            else hi = mid;
        }
        at = lo;
    }
    if (t.rows.empty() || at == 0) {
        change.insertAt(0, 0, rec.data());
    } else {
        auto prev = t.rows[at - 1];
        change.insertAt(change.positionOf(prev.block), prev.slot + 1, rec.data());
    }
    change.commit(1);
    return at;
}

void Table::remove(std::size_t row) {
    Impl& t = *impl_;
    t.requireWritable();
    t.checkRow(row);
    Change change(t);
    const auto ref = t.rows[row];
    change.removeAt(change.positionOf(ref.block), ref.slot);
    change.commit(-1);
}

}  // namespace paradox
