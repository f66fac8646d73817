// Creating a new, empty table (format 7.x, code page 1251) and, for a keyed one,
// its primary index.
#include "table_impl.h"

#include "bytes.h"
#include "field_codec.h"
#include "primary_index.h"

#include <cstring>
#include <ctime>

namespace paradox {

using namespace bytes;

namespace {

constexpr int kVersionId = 0x0C;  // 7.x
constexpr int kCodePage = 1251;

std::string encodeName(const CodePage& cp, const std::string& name, const std::string& what, std::size_t limit) {
    auto enc = cp.encode(name);
    if (name.empty() || enc.failed || enc.bytes.size() > limit || enc.bytes.find('\0') != std::string::npos)
        throw Error(ErrorKind::BadValue, what + " «" + name + "» не подходит: нужно от 1 до " + std::to_string(limit) +
                                             " символов кодовой страницы 1251.");
    return enc.bytes;
}

void writeNew(Env& env, const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    auto file = env.open(path, OpenMode::CreateNew);
    try {
        file->write(0, bytes.data(), bytes.size());
        file->sync();
    } catch (...) {
        file.reset();
        env.remove(path);
        throw;
    }
}

}  // namespace

Table Table::create(const std::filesystem::path& path, const std::vector<FieldDef>& fields, int keyFieldCount, Env* envIn) {
    Env& env = envIn ? *envIn : defaultEnv();
    const std::string file = path.string();
    if (env.exists(path)) throw Error(ErrorKind::Io, "Файл «" + file + "» уже существует; новая таблица не создана.");
    if (fields.empty() || fields.size() > 255)
        throw Error(ErrorKind::BadValue, "Таблица «" + file + "»: нужно от 1 до 255 полей.");
    if (keyFieldCount < 0 || keyFieldCount > static_cast<int>(fields.size()))
        throw Error(ErrorKind::BadValue, "Таблица «" + file + "»: неверное число ключевых полей.");
    const CodePage& cp = CodePage::get(kCodePage);

    Header h;
    h.versionId = kVersionId;
    h.version = 70;
    h.keyFields = keyFieldCount;
    h.fileType = keyFieldCount > 0 ? KeyedDb : UnkeyedDb;
    int recordSize = 0;
    std::vector<std::string> names;
    for (const auto& f : fields) {
        const int size = storedSize(f.type, f.length);
        if (size == 0)
            throw Error(ErrorKind::BadValue, codec::fieldLabel(f) + ": длина " + std::to_string(f.length) +
                                                 " не подходит для этого типа поля.");
        for (const auto& n : names)
            if (n == f.name) throw Error(ErrorKind::BadValue, codec::fieldLabel(f) + " повторяется.");
        names.push_back(f.name);
        h.fields.push_back(f);
        h.fieldOffsets.push_back(recordSize);
        recordSize += size;
    }
    h.recordSize = recordSize;
    int blockCode = 32;
    for (int code : {2, 4, 8, 16, 32})
        if ((code * 1024 - 6) / recordSize >= 6) {
            blockCode = code;
            break;
        }
    if (recordSize > blockCode * 1024 - 6)
        throw Error(ErrorKind::BadValue, "Таблица «" + file + "»: запись длиннее " + std::to_string(blockCode * 1024 - 6) + " байтов.");
    h.blockSize = blockCode * 1024;

    std::vector<std::uint8_t> d(0x800 * 4, 0);
    putLe16(&d[offsets::recordSize], static_cast<std::uint32_t>(recordSize));
    d[offsets::fileType] = static_cast<std::uint8_t>(h.fileType);
    d[offsets::blockSize] = static_cast<std::uint8_t>(blockCode);
    putLe16(&d[offsets::fieldCount], static_cast<std::uint32_t>(fields.size()));
    putLe16(&d[offsets::keyFields], static_cast<std::uint32_t>(keyFieldCount));
    putLe32(&d[offsets::encryption1], 0xFF00FF00u);  // what unprotected 4.x+ tables carry here
    d[offsets::sortOrder] = 0;                       // "ascii": keys in byte order
    d[offsets::versionId] = kVersionId;
    putLe16(&d[offsets::maxBlocks], 1);
    d[0x3E] = 0x1F;
    d[0x3F] = 0x0F;
    d[0x56] = 0x20;
    putLe16(&d[0x58], 0x0100 | kVersionId);
    putLe16(&d[0x5A], 0x0100 | kVersionId);
    putLe16(&d[0x64], static_cast<std::uint32_t>(fields.size() + 1));
    putLe32(&d[offsets::updateTime], static_cast<std::uint32_t>(std::time(nullptr)));
    putLe16(&d[offsets::codePage], kCodePage);
    d[0x6C] = 1;
    d[0x6D] = 1;
    std::size_t pos = offsets::dataHeaderEnd;
    for (const auto& f : fields) {
        d[pos++] = static_cast<std::uint8_t>(f.type);
        d[pos++] = static_cast<std::uint8_t>(f.length);
    }
    pos += 4 + 4 * fields.size();
    const std::string tableName = encodeName(cp, path.filename().string(), "Имя файла таблицы", 260);
    std::memcpy(&d[pos], tableName.data(), tableName.size());
    pos += static_cast<std::size_t>(tableNameLength(kVersionId));
    for (const auto& f : fields) {
        const std::string n = encodeName(cp, f.name, "Имя поля", 25);
        std::memcpy(&d[pos], n.data(), n.size());
        pos += n.size() + 1;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        putLe16(&d[pos], static_cast<std::uint32_t>(i + 1));
        pos += 2;
    }
    const char sortOrder[] = "ascii";
    std::memcpy(&d[pos], sortOrder, sizeof sortOrder);
    pos += sizeof sortOrder;
    putLe16(&d[offsets::realHeaderSize], static_cast<std::uint32_t>(pos));
    const std::size_t headerSize = (pos + 0x7FF) / 0x800 * 0x800;
    d.resize(headerSize);
    putLe16(&d[offsets::headerSize], static_cast<std::uint32_t>(headerSize));
    h.headerSize = static_cast<int>(headerSize);

    writeNew(env, path, d);
    if (keyFieldCount > 0) {
        const auto pxPath = companionPath(path, ".px");
        try {
            int keyBytes = keyFieldCount < static_cast<int>(fields.size())
                               ? h.fieldOffsets[static_cast<std::size_t>(keyFieldCount)]
                               : recordSize;
            auto pxName = encodeName(cp, pxPath.filename().string(), "Имя файла индекса", 260);
            writeNew(env, pxPath, buildIndex(newIndexHeader(h, pxName), keyBytes, {}));
        } catch (...) {
            env.remove(path);
            throw;
        }
    }
    env.syncFolder(path.parent_path());
    OpenOptions options;
    options.env = &env;
    return open(path, options);
}

}  // namespace paradox
