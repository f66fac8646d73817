#include "header.h"

#include "bytes.h"

namespace paradox {

using bytes::le16;
using bytes::le32;

int versionOf(int versionId) {
    switch (versionId) {
        case 3: return 30;
        case 4: return 35;
        case 5: case 6: case 7: case 8: case 9: return 40;
        case 10: case 11: return 50;
        case 12: return 70;
        default: return 0;
    }
}

bool hasDataHeader(int versionId) { return versionId >= 5; }

int tableNameLength(int versionId) { return versionId >= 12 ? 261 : 79; }

int storedSize(FieldType type, int length) {
    switch (type) {
        case FieldType::Alpha: return length >= 1 && length <= 255 ? length : 0;
        case FieldType::Date: case FieldType::Long: case FieldType::Time:
        case FieldType::AutoIncrement:
            return length == 4 ? 4 : 0;
        case FieldType::Short: return length == 2 ? 2 : 0;
        case FieldType::Money: case FieldType::Number: case FieldType::Timestamp:
            return length == 8 ? 8 : 0;
        case FieldType::Logical: return length == 1 ? 1 : 0;
        case FieldType::Memo: case FieldType::Blob: case FieldType::FormattedMemo:
        case FieldType::Ole: case FieldType::Graphic:
            return length >= 10 && length <= 250 ? length : 0;
        case FieldType::Bcd: return length >= 0 && length <= 32 ? 17 : 0;
        case FieldType::Bytes: return length >= 1 && length <= 255 ? length : 0;
    }
    return 0;
}

namespace {

[[noreturn]] void corrupt(const std::string& file, const std::string& why) {
    throw Error(ErrorKind::Corrupt, "Файл «" + file + "» повреждён: " + why +
                                        ". Восстановите таблицу из резервной копии.");
}

bool knownType(int t) {
    switch (t) {
        case 0x01: case 0x02: case 0x03: case 0x04: case 0x05: case 0x06: case 0x09:
        case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x10: case 0x14: case 0x15:
        case 0x16: case 0x17: case 0x18:
            return true;
        default:
            return false;
    }
}

}  // namespace

Header parseHeader(const std::uint8_t* d, std::size_t size, std::uint64_t fileSize,
                   const std::string& file) {
    const std::string notTable = "Файл «" + file + "» не является таблицей Paradox.";
    if (size < offsets::fixedPart) {
        if (fileSize == 0) throw Error(ErrorKind::NotParadox, "Файл «" + file + "» пуст: это не таблица Paradox.");
        throw Error(ErrorKind::NotParadox, notTable);
    }
    Header h;
    h.recordSize = le16(d + offsets::recordSize);
    h.headerSize = le16(d + offsets::headerSize);
    h.fileType = d[offsets::fileType];
    int blockCode = d[offsets::blockSize];
    h.versionId = d[offsets::versionId];
    h.version = versionOf(h.versionId);
    if (h.version == 0 || h.headerSize < offsets::fixedPart || h.recordSize == 0)
        throw Error(ErrorKind::NotParadox, notTable);
    if (h.fileType != KeyedDb && h.fileType != UnkeyedDb) {
        if (h.fileType == PrimaryIndex || h.fileType <= 8)
            throw Error(ErrorKind::NotParadox, "Файл «" + file + "» — это файл индекса Paradox, а не таблица.");
        throw Error(ErrorKind::NotParadox, notTable);
    }
    switch (blockCode) {
        case 1: case 2: case 3: case 4: case 8: case 16: case 32: break;
        default: throw Error(ErrorKind::NotParadox, notTable);
    }
    h.blockSize = blockCode * 1024;
    if (static_cast<std::uint64_t>(h.headerSize) > fileSize || h.headerSize > static_cast<int>(size))
        corrupt(file, "файл короче своего заголовка");
    h.recordCount = le32(d + offsets::recordCount);
    h.usedBlocks = le16(d + offsets::usedBlocks);
    h.fileBlocks = le16(d + offsets::fileBlocks);
    h.firstBlock = le16(d + offsets::firstBlock);
    h.lastBlock = le16(d + offsets::lastBlock);
    int fieldCount = le16(d + offsets::fieldCount);
    h.keyFields = le16(d + offsets::keyFields);
    h.sortOrder = d[offsets::sortOrder];
    h.autoIncrement = static_cast<std::int32_t>(le32(d + offsets::autoIncrement));
    const bool dataHeader = hasDataHeader(h.versionId);
    if (dataHeader) {
        if (h.headerSize < offsets::dataHeaderEnd) corrupt(file, "заголовок слишком короткий");
        h.codePage = le16(d + offsets::codePage);
        h.encrypted = le32(d + offsets::encryption2) != 0;
    } else {
        h.encrypted = le32(d + offsets::encryption1) != 0;
    }
    if (fieldCount < 1 || fieldCount > 255) corrupt(file, "неверное число полей");
    if (h.keyFields < 0 || h.keyFields > fieldCount) corrupt(file, "неверное число ключевых полей");
    if (h.fileType == KeyedDb && h.keyFields == 0) corrupt(file, "у ключевой таблицы нет ключевых полей");
    if (h.recordSize > h.blockSize - 6) corrupt(file, "запись не помещается в блок");

    std::size_t pos = dataHeader ? offsets::dataHeaderEnd : offsets::fixedPart;
    const std::size_t end = static_cast<std::size_t>(h.headerSize);
    if (pos + 2u * fieldCount > end) corrupt(file, "описания полей выходят за заголовок");
    int offset = 0;
    for (int i = 0; i < fieldCount; ++i) {
        int type = d[pos + 2 * i];
        int length = d[pos + 2 * i + 1];
        if (!knownType(type))
            throw Error(ErrorKind::Unsupported, "Файл «" + file + "»: поле " + std::to_string(i + 1) +
                                                    " имеет неизвестный тип " + std::to_string(type) + ".");
        FieldDef f{std::string(), static_cast<FieldType>(type), length};
        int stored = storedSize(f.type, length);
        if (stored == 0) corrupt(file, "неверная длина поля " + std::to_string(i + 1));
        h.fields.push_back(f);
        h.fieldOffsets.push_back(offset);
        offset += stored;
    }
    if (offset != h.recordSize) corrupt(file, "длина записи не равна сумме длин полей");
    pos += 2u * fieldCount;
    // A pointer to the table name and one per field name (meaningful only in memory).
    pos += 4 + 4u * fieldCount;
    const std::size_t nameLength = static_cast<std::size_t>(tableNameLength(h.versionId));
    if (pos + nameLength > end) corrupt(file, "имя таблицы выходит за заголовок");
    const char* name = reinterpret_cast<const char*>(d + pos);
    h.tableName.assign(name, strnlen(name, nameLength));
    pos += nameLength;
    for (int i = 0; i < fieldCount; ++i) {
        std::size_t start = pos;
        while (pos < end && d[pos] != 0) ++pos;
        if (pos >= end) corrupt(file, "имена полей выходят за заголовок");
        h.fields[static_cast<std::size_t>(i)].name.assign(reinterpret_cast<const char*>(d + start), pos - start);
        ++pos;
    }
    // Then one field number per field and the name of the sort order.
    if (dataHeader && pos + 2u * fieldCount < end) {
        pos += 2u * fieldCount;
        std::size_t start = pos;
        while (pos < end && pos - start < 32 && d[pos] >= 0x20 && d[pos] < 0x7F) ++pos;
        if (pos < end && d[pos] == 0) h.sortOrderName.assign(reinterpret_cast<const char*>(d + start), pos - start);
    }
    return h;
}

}  // namespace paradox
