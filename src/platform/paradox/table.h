// Public interface of the Paradox table library: open, read, change and create
// Paradox .db tables (with their .px primary index and .mb memo file) in place.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace paradox {

class Env;  // file-system seam (io.h); the default one is the real file system
class Change;  // one change in the making (inside the library)

enum class FieldType : std::uint8_t {
    Alpha = 0x01, Date = 0x02, Short = 0x03, Long = 0x04, Money = 0x05, Number = 0x06,
    Logical = 0x09, Memo = 0x0C, Blob = 0x0D, FormattedMemo = 0x0E, Ole = 0x0F,
    Graphic = 0x10, Time = 0x14, Timestamp = 0x15, AutoIncrement = 0x16, Bcd = 0x17,
    Bytes = 0x18,
};

struct FieldDef {
    std::string name;      // UTF-8
    FieldType type;
    int length;            // as stored in the header (bytes in the record; for BCD the digits)
};

// Kind of failure, so that callers can react (busy: try again later; readOnly: offer no edits).
enum class ErrorKind {
    NotFound, NotParadox, Corrupt, Encrypted, ReadOnly, Busy, TooLong, Unrepresentable,
    BadValue, Io, Unsupported,
};

// Every error names the file and, where there is one, the field; the text is in Russian.
class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const { return kind_; }
private:
    ErrorKind kind_;
};

// A typed value; std::monostate is a null. Dates are days since 0001-01-01 as Paradox
// counts them; times milliseconds since midnight; timestamps milliseconds since 0001-01-01.
struct Date { std::int32_t days; };
struct Time { std::int32_t ms; };
struct Timestamp { double ms; };
using Value = std::variant<std::monostate, std::string, std::int64_t, double, bool,
                           Date, Time, Timestamp, std::vector<std::uint8_t>>;

struct TableInfo {
    int version;                 // 30, 35, 40, 50, 70 ...
    bool keyed;
    int keyFieldCount;
    std::string tableName;
    int codePage;                // as the header names it
    int effectiveCodePage;       // the one used for text
    bool encrypted;
    std::int64_t autoIncrement;  // the header's counter (the last value given)
    int blockSize;               // bytes
    int blockCount;
    std::vector<std::string> indexFiles;  // .px, .Xnn, .Ynn ... found beside the table
    int sortOrder = 0;                    // the header's sort order byte
    std::string sortOrderName;            // the sort order named after the field names ("" in 3.x)
};

struct OpenOptions {
    bool readOnly = false;
    Env* env = nullptr;          // nullptr: the real file system
};

class Table {
public:
    // Opens a table; rolls back a journal left by an interrupted change first.
    static Table open(const std::filesystem::path& path, const OpenOptions& options = {});
    // Creates a new empty table (code page 1251); fails if the file exists.
    static Table create(const std::filesystem::path& path, const std::vector<FieldDef>& fields,
                        int keyFieldCount = 0, Env* env = nullptr);

    Table(Table&&) noexcept;
    Table& operator=(Table&&) noexcept;
    ~Table();

    const std::filesystem::path& path() const;
    const TableInfo& info() const;
    const std::vector<FieldDef>& fields() const;
    int fieldIndex(const std::string& name) const;  // -1 when there is no such field

    // Opened for reading only, and why (permissions, secondary indexes, ...).
    bool readOnly() const;
    const std::string& readOnlyReason() const;

    // Rows in the table's own order (block chain order), counted from 0.
    std::size_t recordCount() const;
    Value value(std::size_t row, int field) const;
    // The value as text: empty for a null; dates YYYY-MM-DD etc. as in telma-table dump.
    std::string text(std::size_t row, int field) const;
    std::vector<std::optional<std::string>> rowTexts(std::size_t row) const;  // nullopt = null

    // Changes from text, one value per field; nullopt or "" stores a null. An empty
    // autoincrement value on insert takes the next counter value. Each call is durable
    // and atomic (rollback journal) and takes the OS lock for its duration.
    // update/insert return the row where the record now stands.
    std::size_t update(std::size_t row, const std::vector<std::optional<std::string>>& texts);
    std::size_t insert(const std::vector<std::optional<std::string>>& texts);
    void remove(std::size_t row);

    // Checks a text against a field (length in the table's code page, representable
    // characters, parseable for typed fields) without writing; throws Error naming the field.
    void checkText(int field, const std::string& text) const;

    // Reads the table again from the file, so another program's changes appear.
    void refresh();

    // Integrity check beyond what open checks (every value readable, keys in order,
    // primary index matching the blocks): the problems found, empty when sound.
    std::vector<std::string> check() const;

private:
    struct Impl;
    friend class Change;
    explicit Table(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace paradox
