// The header of a Paradox .db file: parsed from its bytes, and the fixed offsets of
// the counters that a change updates.
#pragma once

#include "table.h"

#include <cstdint>
#include <string>
#include <vector>

namespace paradox {

namespace offsets {
constexpr int recordSize = 0x00, headerSize = 0x02, fileType = 0x04, blockSize = 0x05,
              recordCount = 0x06, usedBlocks = 0x0A, fileBlocks = 0x0C, firstBlock = 0x0E,
              lastBlock = 0x10, indexRoot = 0x1E, indexLevels = 0x20, fieldCount = 0x21,
              keyFields = 0x23, encryption1 = 0x25, sortOrder = 0x29, changeCount1 = 0x2D,
              writeProtected = 0x38, versionId = 0x39, maxBlocks = 0x3A, autoIncrement = 0x49,
              firstFreeBlock = 0x4D, realHeaderSize = 0x51, encryption2 = 0x5C,
              updateTime = 0x60, codePage = 0x6A, changeCount4 = 0x70;
constexpr int fixedPart = 0x58, dataHeaderEnd = 0x78;
}  // namespace offsets

enum FileType : std::uint8_t { KeyedDb = 0, PrimaryIndex = 1, UnkeyedDb = 2 };

struct Header {
    int recordSize = 0;
    int headerSize = 0;
    int fileType = 0;
    int blockSize = 0;          // bytes
    std::uint32_t recordCount = 0;
    int usedBlocks = 0, fileBlocks = 0, firstBlock = 0, lastBlock = 0;
    int keyFields = 0;
    int sortOrder = 0;
    std::string sortOrderName;  // after the field names in 4.x+ headers
    int versionId = 0;          // the header's byte
    int version = 0;            // 30, 35, 40, 50, 70
    std::int64_t autoIncrement = 0;
    int codePage = 0;           // 0 when the header names none (3.x)
    bool encrypted = false;
    std::string tableName;      // as stored (8-bit)
    std::vector<FieldDef> fields;   // names still 8-bit here
    std::vector<int> fieldOffsets;  // byte offset of each field inside a record
};

// Version number (30, 35, 40, 50, 70) of a header version byte, or 0 when unknown.
int versionOf(int versionId);
bool hasDataHeader(int versionId);
// Bytes of the stored table name in headers of this version.
int tableNameLength(int versionId);
// Length in the record of a field of this type and header length; 0 for an unknown type.
int storedSize(FieldType type, int length);

// Parses and checks a .db header; `fileSize` bounds every count. Throws Error naming `fileName`.
Header parseHeader(const std::uint8_t* data, std::size_t size, std::uint64_t fileSize,
                   const std::string& fileName);

}  // namespace paradox
