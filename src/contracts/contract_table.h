// The contract table (tbl1): the current record, the states browse/edit/insert and the
// editing rules over a RecordStore. Knows nothing of widgets; bound controls hear of every
// change through a TableListener (the data source) and write their pending text on request.
#pragma once

#include "contracts/record_store.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>
#include <vector>

namespace contracts {

enum class DataState { Inactive, Browse, Edit, Insert };

// A refusal of the table's own (not the store's): wrong state, read-only file, unknown field.
class TableError : public std::runtime_error {
public:
    explicit TableError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// What a change notice reports; several may come together.
enum ChangeFlag : unsigned {
    RowsChanged = 1u,     // rows appeared, disappeared or were read again
    RecordChanged = 2u,   // another record is current
    StateChanged = 4u,    // state or Modified changed
    FieldChanged = 8u,    // one value of the current record changed (TableChange::field)
};

struct TableChange {
    unsigned flags = 0;
    int field = -1;  // with FieldChanged
    bool has(ChangeFlag f) const { return (flags & f) != 0; }
};

class TableListener {
public:
    virtual ~TableListener() = default;
    virtual void updateRecordRequested() = 0;   // write pending text now
    virtual void discardPendingRequested() = 0; // drop pending text (Cancel, Delete)
    virtual void tableChanged(const TableChange& change) = 0;
};

class ContractTable;

// One field of the current record.
class Field {
public:
    Field(ContractTable& table, int index) : table_(&table), index_(index) {}
    const QString& name() const;
    int index() const { return index_; }
    int length() const;
    // Never written by the program (for example the key); bound controls do not change it.
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    QString AsString() const;
    // Only in edit or insert state; sets Modified.
    void setText(const QString& text);

private:
    ContractTable* table_;
    int index_;
    bool readOnly_ = false;
};

class ContractTable {
public:
    // Opens over the store: first record current, browse state.
    explicit ContractTable(std::unique_ptr<RecordStore> store);
    ContractTable(const ContractTable&) = delete;
    ContractTable& operator=(const ContractTable&) = delete;
    ~ContractTable();

    // Field definitions in the file's order.
    const std::vector<FieldDef>& FieldDefs() const { return store_->fields(); }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    Field& fieldAt(int index) { return *fields_.at(static_cast<std::size_t>(index)); }
    const Field& fieldAt(int index) const { return *fields_.at(static_cast<std::size_t>(index)); }
    Field* FindField(const QString& name);
    Field& FieldByName(const QString& name);  // throws TableError for an unknown name
    int fieldIndex(const QString& name) const; // -1 when there is none

    DataState state() const { return state_; }
    bool Modified() const { return modified_; }
    bool canModify() const { return state_ != DataState::Inactive && !store_->readOnly(); }
    bool isEmpty() const { return recordCount() == 0; }
    bool bof() const { return recNo_ <= 0; }   // the current record is the first (or none)
    bool eof() const { return recNo_ >= recordCount() - 1; }  // ... the last (or none)

    // Rows as the grids show them: the stored ones, and a record being inserted at its place.
    int recordCount() const;
    int recNo() const { return isEmpty() ? -1 : recNo_; }  // counted from 0; -1 when empty
    bool isPendingRow(int row) const;  // the row holds the record being edited or inserted
    QString rowText(int row, int field) const;
    QString text(int field) const;  // the current record's value

    // Moves run the browse-mode check first; a refused post leaves the record where it is.
    void moveTo(int row);
    void moveBy(int rows);
    void first();
    void last();

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    void UpdateRecord();       // every bound control writes its pending text
    void CheckBrowseMode();    // edit/insert: update record, then Post if modified, else Cancel

    void setText(int field, const QString& text);

    void addListener(TableListener* listener);
    void removeListener(TableListener* listener);

    RecordStore& store() { return *store_; }
    QString location() const { return store_->location(); }

private:
    enum class PostKind { None, Inserted, Edited };
    void moveOrCheck(int row);
    void requireActive() const;
    void requireModifiable() const;
    void beginNew(int position);
    int storeRowOf(int row) const;  // the stored row a shown row stands for (-1: pending new)
    void notify(unsigned flags, int field = -1);

    std::unique_ptr<RecordStore> store_;
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<TableListener*> listeners_;
    DataState state_ = DataState::Inactive;
    bool modified_ = false;
    int recNo_ = 0;         // shown row of the current record
    int insertRow_ = -1;    // shown row of the record being inserted
    QStringList buffer_;    // the record being edited or inserted
    std::vector<bool> written_;  // fields written since the record entered edit or insert
    PostKind lastPost_ = PostKind::None;
    int lastPostTo_ = -1;   // stored row of the record last posted
};

}  // namespace contracts
