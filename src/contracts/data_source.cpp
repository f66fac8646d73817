#include "contracts/data_source.h"

#include <algorithm>

namespace contracts {

DataLink::~DataLink() { setDataSource(nullptr); }

void DataLink::setDataSource(DataSource* source) {
    if (source == source_) return;
    if (source_) source_->detach(this);
    source_ = source;
    if (source_) {
        source_->attach(this);
        dataChanged(TableChange{RowsChanged | RecordChanged | StateChanged, -1});
    }
}

void DataLink::noteTyped() {
    if (source_) typedAt_ = ++source_->typingClock_;
}

ContractTable* DataLink::table() const { return source_ ? &source_->table() : nullptr; }

DataSource::DataSource(ContractTable& table) : table_(table) { table_.addListener(this); }

DataSource::~DataSource() {
    table_.removeListener(this);
    for (DataLink* link : links_) link->source_ = nullptr;
}

bool DataSource::edit() {
    const DataState s = table_.state();
    if (s == DataState::Edit || s == DataState::Insert) return true;
    if (s != DataState::Browse || !autoEdit_ || !table_.canModify()) return false;
    table_.Edit();
    return table_.state() == DataState::Edit || table_.state() == DataState::Insert;
}

void DataSource::attach(DataLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void DataSource::detach(DataLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

// A control may unbind another while it is told of a change; only links still bound are told.
template <class F> void DataSource::forEachLink(F f) {
    const std::vector<DataLink*> snapshot = links_;
    for (DataLink* link : snapshot)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) f(link);
}

void DataSource::updateRecordRequested() {
    std::vector<DataLink*> order = links_;
    std::stable_sort(order.begin(), order.end(),
                     [](const DataLink* a, const DataLink* b) { return a->typedAt() > b->typedAt(); });
    for (DataLink* link : order)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->updateRecord();
}
void DataSource::discardPendingRequested() { forEachLink([](DataLink* l) { l->discardPending(); }); }
void DataSource::tableChanged(const TableChange& change) {
    forEachLink([&](DataLink* l) { l->dataChanged(change); });
}

}  // namespace contracts
