// The data source (ds1): where bound controls register with the contract table. It hands
// the table's requests (write pending text, drop it) and change notices to every control,
// hidden ones included.
#pragma once

#include "contracts/contract_table.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace contracts {

class DataSource;

// A bound control's side of the protocol. Registering is by setDataSource; the link
// unregisters itself when destroyed.
class DataLink {
public:
    DataLink() = default;
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;
    virtual ~DataLink();

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return source_; }
    ContractTable* table() const;  // nullptr while unbound

    // Write the pending text into the current record (only if there is some).
    virtual void updateRecord() {}
    // Forget the pending text; the control shows the stored value again.
    virtual void discardPending() {}
    // The current record, the state or a value changed; also sent once on binding.
    virtual void dataChanged(const TableChange& change) = 0;

    // When the user last typed into this control's pending text (0: none). When the record is
    // updated, the text typed last is written first, so that it wins over older text in
    // another control for the same field (which then drops its own as out of date).
    std::uint64_t typedAt() const { return typedAt_; }
    // Called by the control on every change the user makes to its pending text.
    void noteTyped();

private:
    friend class DataSource;
    DataSource* source_ = nullptr;
    std::uint64_t typedAt_ = 0;
};

// A link made of functions, for code that only listens.
class FunctionLink final : public DataLink {
public:
    explicit FunctionLink(std::function<void(const TableChange&)> onChange)
        : onChange_(std::move(onChange)) {}
    void dataChanged(const TableChange& change) override { if (onChange_) onChange_(change); }
private:
    std::function<void(const TableChange&)> onChange_;
};

class DataSource final : public TableListener {
public:
    explicit DataSource(ContractTable& table);
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;
    ~DataSource() override;

    ContractTable& table() { return table_; }
    const ContractTable& table() const { return table_; }

    bool AutoEdit() const { return autoEdit_; }
    void setAutoEdit(bool on) { autoEdit_ = on; }

    // The first change in a bound control: true when the record may now be changed
    // (already editing, or Edit begun through AutoEdit; Insert on an empty table).
    bool edit();

    const std::vector<DataLink*>& links() const { return links_; }

    void updateRecordRequested() override;
    void discardPendingRequested() override;
    void tableChanged(const TableChange& change) override;

private:
    friend class DataLink;
    void attach(DataLink* link);
    void detach(DataLink* link);
    template <class F> void forEachLink(F f);

    ContractTable& table_;
    bool autoEdit_ = true;
    std::uint64_t typingClock_ = 0;
    std::vector<DataLink*> links_;
};

}  // namespace contracts
