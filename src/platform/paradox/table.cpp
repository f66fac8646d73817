// Opening and reading a table: header, data block chain, values and text.
#include "table_impl.h"

#include "bytes.h"
#include "field_codec.h"
#include "journal.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <system_error>

namespace paradox {

using bytes::le16;
using bytes::le32;

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

[[noreturn]] void corrupt(const std::string& file, const std::string& why) {
    throw Error(ErrorKind::Corrupt, "Файл «" + file + "» повреждён: " + why +
                                        ". Восстановите таблицу из резервной копии.");
}

bool isBlobType(FieldType t) {
    return t == FieldType::Memo || t == FieldType::FormattedMemo || t == FieldType::Blob ||
           t == FieldType::Ole || t == FieldType::Graphic;
}

}  // namespace

std::filesystem::path companionPath(const std::filesystem::path& table, const std::string& extension) {
    const std::string stem = lower(table.stem().string());
    const auto folder = table.parent_path().empty() ? std::filesystem::path(".") : table.parent_path();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const auto name = it->path().filename();
        if (lower(name.stem().string()) == stem && lower(name.extension().string()) == extension)
            return table.parent_path() / name;
    }
    // Not there yet: name it in the table's own case.
    bool upper = !table.extension().string().empty() && std::isupper(static_cast<unsigned char>(table.extension().string().back()));
    std::string ext = extension;
    if (upper)
        for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto p = table;
    p.replace_extension(ext);
    return p;
}

std::vector<std::string> indexFilesBeside(const std::filesystem::path& table) {
    std::vector<std::string> found;
    const std::string stem = lower(table.stem().string());
    const auto folder = table.parent_path().empty() ? std::filesystem::path(".") : table.parent_path();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const auto name = it->path().filename();
        if (lower(name.stem().string()) != stem) continue;
        const std::string ext = lower(name.extension().string());
        const bool px = ext == ".px";
        const bool secondary = ext.size() == 4 && (ext[1] == 'x' || ext[1] == 'y') &&
                               std::isxdigit(static_cast<unsigned char>(ext[3])) &&
                               (std::isxdigit(static_cast<unsigned char>(ext[2])) || ext[2] == 'g');
        if (px || secondary) found.push_back(name.string());
    }
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        bool apx = lower(a).ends_with(".px"), bpx = lower(b).ends_with(".px");
        if (apx != bpx) return apx;
        return a < b;
    });
    return found;
}

BlockStore::Buffer BlockStore::allocate(std::size_t n) {
    void* p = std::malloc(std::max<std::size_t>(n, 1));
    if (!p) throw std::bad_alloc();
    return Buffer(static_cast<std::uint8_t*>(p));
}

int Table::Impl::blockRecords(const std::uint8_t* block, int recordSize) {
    const auto add = static_cast<std::int16_t>(le16(block + 4));
    if (add < 0) return 0;
    return add / recordSize + 1;
}

void Table::Impl::load() {
    const std::string file = fileName();
    chain.clear();
    freeBlocks.clear();
    rows.clear();
    mb.reset();
    const std::string busy = "Таблица «" + file + "» сейчас изменяется другой программой; повторите попытку позже.";
    const auto journal = journalPath(path);
    if (env->exists(journal)) {
        if (!env->writable(path))
            throw Error(ErrorKind::ReadOnly, "Таблица «" + file +
                                                 "» осталась с незавершённым изменением, а файл доступен только "
                                                 "для чтения; разрешите запись, чтобы его можно было откатить.");
        // A journal is left over only when nobody holds the write lock; otherwise
        // another program is in the middle of its change.
        auto writer = env->open(path, OpenMode::ReadWrite);
        if (!writer->tryLock()) throw Error(ErrorKind::Busy, busy);
        try {
            if (env->exists(journal)) rollBack(*env, journal);
        } catch (...) {
            writer->unlock();
            throw;
        }
        writer->unlock();
    }
    readOnly = wantReadOnly;
    readOnlyReason = wantReadOnly ? "таблица открыта только для чтения" : "";
    const bool canWrite = env->writable(path);
    if (!canWrite && !readOnly && env->exists(path)) {
        readOnly = true;
        readOnlyReason = "файл «" + file + "» доступен только для чтения";
    }
    db = env->open(path, readOnly || !canWrite ? OpenMode::Read : OpenMode::ReadWrite);
    // Read under a shared lock, so that another program's change is seen whole or not at all.
    if (!db->tryLockShared()) throw Error(ErrorKind::Busy, busy);
    struct Unlock {
        File& f;
        ~Unlock() { f.unlock(); }
    } unlockAfterReading{*db};
    dbSize = db->size();
    headerBytes.assign(static_cast<std::size_t>(std::min<std::uint64_t>(dbSize, 0xFFFF)), 0);
    headerBytes.resize(db->read(0, headerBytes.data(), headerBytes.size()));
    header = parseHeader(headerBytes.data(), headerBytes.size(), dbSize, file);
    headerBytes.resize(static_cast<std::size_t>(header.headerSize));
    if (header.encrypted)
        throw Error(ErrorKind::Encrypted, "Таблица «" + file +
                                              "» защищена паролем; такие таблицы не открываются. Снимите пароль "
                                              "в программе, где он был задан, и откройте таблицу снова.");
    codePage = &CodePage::get(header.codePage);
    fields = header.fields;
    for (auto& f : fields) f.name = codePage->decode(f.name);
    keyBytes = header.keyFields < static_cast<int>(fields.size())
                   ? header.fieldOffsets[static_cast<std::size_t>(header.keyFields)]
                   : header.recordSize;

    // The data blocks, in the order of their chain.
    const std::uint64_t physical = (dbSize - static_cast<std::uint64_t>(header.headerSize)) /
                                   static_cast<std::uint64_t>(header.blockSize);
    if (static_cast<std::uint64_t>(header.fileBlocks) > physical)
        corrupt(file, "файл обрезан: в заголовке " + std::to_string(header.fileBlocks) + " блоков, в файле " +
                          std::to_string(physical));
    const int blockCount = static_cast<int>(std::min<std::uint64_t>(physical, 0xFFFF));
    const std::size_t dataBytes = static_cast<std::size_t>(blockCount) * static_cast<std::size_t>(header.blockSize);
    auto all = BlockStore::allocate(dataBytes);
    if (db->read(static_cast<std::uint64_t>(header.headerSize), all.get(), dataBytes) != dataBytes)
        corrupt(file, "файл обрезан");
    blocks.reset(static_cast<std::size_t>(header.blockSize), blockCount, std::move(all));
    std::uint64_t total = 0;
    int previous = 0;
    for (int b = header.recordCount == 0 && header.firstBlock == 0 ? 0 : header.firstBlock; b != 0;) {
        if (b < 1 || b > blockCount) corrupt(file, "цепочка блоков указывает за конец файла");
        if (blocks.used(b)) corrupt(file, "цепочка блоков замкнута в кольцо");
        blocks.setUsed(b, true);
        const std::uint8_t* img = blocks.data(b);
        const int n = blockRecords(img, header.recordSize);
        const auto add = static_cast<std::int16_t>(le16(img + 4));
        if (n > capacity() || (add >= 0 && add % header.recordSize != 0))
            corrupt(file, "неверное число записей в блоке " + std::to_string(b));
        if (le16(img + 2) != previous && previous != 0)
            corrupt(file, "обратная ссылка блока " + std::to_string(b) + " неверна");
        chain.push_back(b);
        total += static_cast<std::uint64_t>(n);
        previous = b;
        b = le16(img);
    }
    for (int b = blockCount; b >= 1; --b)
        if (!blocks.used(b)) freeBlocks.push_back(b);
    if (total != header.recordCount)
        corrupt(file, "в заголовке " + std::to_string(header.recordCount) + " записей, в блоках " + std::to_string(total));
    rebuildRows();

    // Files beside the table.
    info.indexFiles = indexFilesBeside(path);
    bool secondary = false;
    std::string secondaryNames;
    for (const auto& name : info.indexFiles)
        if (lower(name).find(".px") == std::string::npos) {
            secondary = true;
            secondaryNames += (secondaryNames.empty() ? "" : ", ") + name;
        }
    pxPath.clear();
    px.clear();
    pxExists = false;
    if (header.fileType == KeyedDb) {
        pxPath = companionPath(path, ".px");
        pxExists = env->exists(pxPath);
        if (pxExists) {
            auto f = env->open(pxPath, OpenMode::Read);
            auto size = f->size();
            if (size > (64ull << 20)) corrupt(pxPath.string(), "файл индекса слишком велик");
            px.resize(static_cast<std::size_t>(size));
            px.resize(f->read(0, px.data(), px.size()));
            if (!readOnly && !env->writable(pxPath)) {
                readOnly = true;
                readOnlyReason = "файл индекса «" + pxPath.string() + "» доступен только для чтения";
            }
        }
    }
    mbPath = companionPath(path, ".mb");
    if (!readOnly && secondary) {
        readOnly = true;
        readOnlyReason = "у таблицы есть вторичные индексы (" + secondaryNames +
                         "), которые эта программа не умеет обновлять; таблица открыта только для чтения";
    }
    if (!readOnly && header.fileType == KeyedDb) {
        // Text keys are kept in byte order; a table sorted by another collation
        // would come out of order, so it is not changed.
        bool textKey = false;
        for (int i = 0; i < header.keyFields; ++i)
            textKey = textKey || header.fields[static_cast<std::size_t>(i)].type == FieldType::Alpha;
        const bool byteOrder = header.sortOrderName.empty() ? header.sortOrder == 0 : lower(header.sortOrderName) == "ascii";
        if (textKey && !byteOrder) {
            readOnly = true;
            readOnlyReason = "ключ таблицы — текст с порядком сортировки «" +
                             (header.sortOrderName.empty() ? std::to_string(header.sortOrder) : header.sortOrderName) +
                             "», который эта программа не поддерживает при записи; таблица открыта только для чтения";
        }
    }
    if (!readOnly && headerBytes[offsets::writeProtected] != 0) {
        readOnly = true;
        readOnlyReason = "таблица защищена от записи";
    }

    info.version = header.version;
    info.keyed = header.fileType == KeyedDb;
    info.keyFieldCount = header.keyFields;
    info.tableName = codePage->decode(header.tableName);
    info.codePage = header.codePage;
    info.effectiveCodePage = codePage->number();
    info.encrypted = header.encrypted;
    info.autoIncrement = header.autoIncrement;
    info.blockSize = header.blockSize;
    info.blockCount = static_cast<int>(chain.size());
    info.sortOrder = header.sortOrder;
    info.sortOrderName = header.sortOrderName;
}

void Table::Impl::reload() {
    Impl fresh;
    fresh.path = path;
    fresh.env = env;
    fresh.wantReadOnly = wantReadOnly;
    fresh.load();
    *this = std::move(fresh);
}

void Table::Impl::rebuildRows() {
    rows.clear();
    rows.reserve(header.recordCount);
    chainCounts.clear();
    chainKeys.clear();
    for (int b : chain) {
        const std::uint8_t* p = blocks.data(b);
        const int n = blockRecords(p, header.recordSize);
        for (int s = 0; s < n; ++s) rows.push_back({b, s});
        chainCounts.push_back(n);
        chainKeys.insert(chainKeys.end(), p + 6, p + 6 + keyBytes);
    }
}

const std::uint8_t* Table::Impl::record(std::size_t row) const {
    const auto& r = rows[row];
    return blocks.data(r.block) + 6 +
           static_cast<std::size_t>(r.slot) * static_cast<std::size_t>(header.recordSize);
}

void Table::Impl::checkRow(std::size_t row) const {
    if (row >= rows.size())
        throw Error(ErrorKind::BadValue, "Таблица «" + fileName() + "»: нет строки " + std::to_string(row + 1) +
                                             " (строк " + std::to_string(rows.size()) + ").");
}

void Table::Impl::checkField(int field) const {
    if (field < 0 || field >= static_cast<int>(fields.size()))
        throw Error(ErrorKind::BadValue, "Таблица «" + fileName() + "»: нет поля номер " + std::to_string(field + 1) + ".");
}

Value Table::Impl::readBlob(const FieldDef& f, const std::uint8_t* raw, int size) const {
    const int leader = size - 10;
    const std::uint8_t* info = raw + leader;
    const std::uint32_t offset = le32(info);
    const std::uint32_t length = le32(info + 4);
    const bool text = f.type == FieldType::Memo || f.type == FieldType::FormattedMemo;
    auto make = [&](const std::uint8_t* p, std::size_t n) -> Value {
        if (text) return codePage->decode(reinterpret_cast<const char*>(p), n);
        if (f.type == FieldType::Graphic && n >= 8) return std::vector<std::uint8_t>(p + 8, p + n);
        return std::vector<std::uint8_t>(p, p + n);
    };
    if (length == 0) return std::monostate{};
    if (length <= static_cast<std::uint32_t>(leader) && (offset == 0 || text)) return make(raw, length);
    const std::string where = "поле \"" + f.name + "\"";
    if (!mb) {
        if (!env->exists(mbPath))
            throw Error(ErrorKind::NotFound, "Файл данных мемо-полей «" + mbPath.string() + "» не найден (" + where + ").");
        mb = env->open(mbPath, OpenMode::Read);
    }
    const std::uint64_t mbSize = mb->size();
    const std::uint64_t base = offset & ~0xFFull;
    const int index = static_cast<int>(offset & 0xFF);
    std::uint64_t start;
    if (index == 0xFF) {
        std::uint8_t head[9];
        if (mb->read(base, head, 9) != 9 || head[0] != 2) corrupt(mbPath.string(), "неверная ссылка на блок (" + where + ")");
        start = base + 9;
    } else {
        std::uint8_t head[12 + 64 * 5];
        if (index >= 64 || mb->read(base, head, sizeof head) != sizeof head || head[0] != 3)
            corrupt(mbPath.string(), "неверная ссылка на блок (" + where + ")");
        const std::uint8_t* e = head + 12 + index * 5;
        start = base + static_cast<std::uint64_t>(e[0]) * 16;
        const std::uint64_t blockEnd = base + static_cast<std::uint64_t>(le16(head + 1)) * 4096;
        if (e[0] == 0 || start + length > blockEnd) corrupt(mbPath.string(), "неверная длина данных (" + where + ")");
    }
    if (start + length > mbSize) corrupt(mbPath.string(), "данные выходят за конец файла (" + where + ")");
    std::vector<std::uint8_t> data(length);
    if (mb->read(start, data.data(), data.size()) != data.size()) corrupt(mbPath.string(), "файл обрезан");
    return make(data.data(), data.size());
}

Value Table::Impl::value(std::size_t row, int field) const {
    checkRow(row);
    checkField(field);
    const auto& f = header.fields[static_cast<std::size_t>(field)];
    const int size = storedSize(f.type, f.length);
    const std::uint8_t* raw = record(row) + header.fieldOffsets[static_cast<std::size_t>(field)];
    if (isBlobType(f.type)) {
        if (codec::allZero(raw, size)) return std::monostate{};
        return readBlob(fields[static_cast<std::size_t>(field)], raw, size);
    }
    // 3.x tables store a number left blank as zero bytes and show it as 0.
    if (header.versionId < 5 && (f.type == FieldType::Number || f.type == FieldType::Money) &&
        codec::allZero(raw, size))
        return 0.0;
    return codec::decode(f.type, f.length, raw, size, *codePage);
}

// ---- Table ----

Table::Table(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&&) noexcept = default;
Table::~Table() = default;

Table Table::open(const std::filesystem::path& path, const OpenOptions& options) {
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->env = options.env ? options.env : &defaultEnv();
    impl->wantReadOnly = options.readOnly;
    if (!impl->env->exists(path)) throw Error(ErrorKind::NotFound, "Файл таблицы «" + path.string() + "» не найден.");
    impl->load();
    return Table(std::move(impl));
}

const std::filesystem::path& Table::path() const { return impl_->path; }
const TableInfo& Table::info() const { return impl_->info; }
const std::vector<FieldDef>& Table::fields() const { return impl_->fields; }

int Table::fieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < impl_->fields.size(); ++i)
        if (impl_->fields[i].name == name) return static_cast<int>(i);
    return -1;
}

bool Table::readOnly() const { return impl_->readOnly; }
const std::string& Table::readOnlyReason() const { return impl_->readOnlyReason; }
std::size_t Table::recordCount() const { return impl_->rows.size(); }
Value Table::value(std::size_t row, int field) const { return impl_->value(row, field); }

std::string Table::text(std::size_t row, int field) const {
    return codec::format(value(row, field), impl_->fields[static_cast<std::size_t>(field)].type);
}

std::vector<std::optional<std::string>> Table::rowTexts(std::size_t row) const {
    const Impl& t = *impl_;
    t.checkRow(row);
    std::vector<std::optional<std::string>> out;
    out.reserve(t.fields.size());
    const std::uint8_t* rec = t.record(row);
    for (std::size_t f = 0; f < t.fields.size(); ++f) {
        const auto& def = t.header.fields[f];
        if (def.type == FieldType::Alpha) {
            // The common case, without the detour through a typed value.
            const auto* p = reinterpret_cast<const char*>(rec + t.header.fieldOffsets[f]);
            const std::size_t n = strnlen(p, static_cast<std::size_t>(def.length));
            if (n == 0) out.emplace_back(std::nullopt);
            else out.emplace_back(t.codePage->decode(p, n));
            continue;
        }
        Value v = t.value(row, static_cast<int>(f));
        if (std::holds_alternative<std::monostate>(v)) out.emplace_back(std::nullopt);
        else out.emplace_back(codec::format(v, def.type));
    }
    return out;
}

void Table::refresh() { impl_->reload(); }

}  // namespace paradox
