#include "contracts/contract_table.h"

#include <algorithm>

namespace contracts {

const QString& Field::name() const { return table_->FieldDefs().at(static_cast<std::size_t>(index_)).name; }
int Field::length() const { return table_->FieldDefs().at(static_cast<std::size_t>(index_)).length; }
QString Field::AsString() const { return table_->text(index_); }

void Field::setText(const QString& text) {
    if (readOnly_)
        throw TableError(QStringLiteral("Поле «%1» таблицы «%2» программа не изменяет.")
                             .arg(name(), table_->location()));
    table_->setText(index_, text);
}

ContractTable::ContractTable(std::unique_ptr<RecordStore> store) : store_(std::move(store)) {
    const auto& defs = store_->fields();
    for (std::size_t i = 0; i < defs.size(); ++i)
        fields_.push_back(std::make_unique<Field>(*this, static_cast<int>(i)));
    state_ = DataState::Browse;
    recNo_ = 0;
}

ContractTable::~ContractTable() = default;

Field* ContractTable::FindField(const QString& name) {
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : fields_[static_cast<std::size_t>(i)].get();
}

Field& ContractTable::FieldByName(const QString& name) {
    if (Field* f = FindField(name)) return *f;
    throw TableError(QStringLiteral("В таблице «%1» нет поля «%2».").arg(location(), name));
}

int ContractTable::fieldIndex(const QString& name) const {
    const auto& defs = store_->fields();
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (defs[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

int ContractTable::recordCount() const {
    return static_cast<int>(store_->rowCount()) + (state_ == DataState::Insert ? 1 : 0);
}

bool ContractTable::isPendingRow(int row) const {
    return (state_ == DataState::Edit && row == recNo_) ||
           (state_ == DataState::Insert && row == insertRow_);
}

int ContractTable::storeRowOf(int row) const {
    if (state_ == DataState::Insert) {
        if (row == insertRow_) return -1;
        if (row > insertRow_) return row - 1;
    }
    return row;
}

QString ContractTable::rowText(int row, int field) const {
    if (field < 0 || field >= fieldCount() || row < 0 || row >= recordCount()) return {};
    if (isPendingRow(row)) return buffer_.value(field);
    return store_->rowTexts(static_cast<std::size_t>(storeRowOf(row))).value(field);
}

QString ContractTable::text(int field) const {
    if (isEmpty()) return {};
    return rowText(recNo_, field);
}

void ContractTable::moveTo(int row) {
    if (state_ == DataState::Inactive || isEmpty()) return;
    row = std::clamp(row, 0, recordCount() - 1);
    if (row == recNo_) return;
    // The target is a stored row; after the check its place may shift by the record
    // that was posted or dropped, so it is followed by identity, not by number.
    const int target = storeRowOf(row);
    const DataState before = state_;
    const int editedFrom = recNo_;
    lastPost_ = PostKind::None;
    CheckBrowseMode();
    int now = target;
    if (lastPost_ == PostKind::Inserted) {
        if (now >= lastPostTo_) ++now;
    } else if (lastPost_ == PostKind::Edited && before == DataState::Edit) {
        if (target == editedFrom) {
            now = lastPostTo_;
        } else {
            if (now > editedFrom) --now;
            if (now >= lastPostTo_) ++now;
        }
    }
    now = std::clamp(now, 0, std::max(0, recordCount() - 1));
    if (now == recNo_) return;
    recNo_ = now;
    notify(RecordChanged);
}

void ContractTable::moveBy(int rows) {
    if (state_ == DataState::Inactive || isEmpty()) return;
    moveOrCheck(recNo_ + rows);
}

void ContractTable::first() { moveOrCheck(0); }
void ContractTable::last() { moveOrCheck(recordCount() - 1); }

// A step that cannot go further (Up on the first row, Ctrl+Home there) still settles the
// record, as any attempted move does; a click on the current row is not a move.
void ContractTable::moveOrCheck(int row) {
    if (state_ == DataState::Inactive || isEmpty()) return;
    if (std::clamp(row, 0, recordCount() - 1) == recNo_)
        CheckBrowseMode();
    else
        moveTo(row);
}

void ContractTable::requireActive() const {
    if (state_ == DataState::Inactive)
        throw TableError(QStringLiteral("Таблица «%1» закрыта.").arg(location()));
}

void ContractTable::requireModifiable() const {
    requireActive();
    if (store_->readOnly())
        throw TableError(QStringLiteral("Таблица «%1» открыта только для чтения: изменить её нельзя.")
                             .arg(location()));
}

void ContractTable::Edit() {
    requireActive();
    if (state_ == DataState::Edit || state_ == DataState::Insert) return;
    if (isEmpty()) {
        Insert();
        return;
    }
    requireModifiable();
    buffer_ = store_->rowTexts(static_cast<std::size_t>(recNo_));
    while (buffer_.size() < fieldCount()) buffer_.append(QString());
    written_.assign(static_cast<std::size_t>(fieldCount()), false);
    state_ = DataState::Edit;
    modified_ = false;
    notify(StateChanged);
}

void ContractTable::beginNew(int position) {
    buffer_ = QStringList();
    for (int i = 0; i < fieldCount(); ++i) buffer_.append(QString());
    written_.assign(static_cast<std::size_t>(fieldCount()), false);
    insertRow_ = position;
    recNo_ = position;
    state_ = DataState::Insert;
    modified_ = false;
    notify(RowsChanged | RecordChanged | StateChanged);
}

void ContractTable::Insert() {
    requireActive();
    CheckBrowseMode();
    requireModifiable();
    beginNew(isEmpty() ? 0 : recNo_);
}

void ContractTable::Append() {
    requireActive();
    CheckBrowseMode();
    requireModifiable();
    beginNew(static_cast<int>(store_->rowCount()));
}

void ContractTable::Post() {
    UpdateRecord();
    if (state_ != DataState::Edit && state_ != DataState::Insert) return;
    // Check every typed text first, so that the error names the field before any write.
    for (int i = 0; i < fieldCount(); ++i)
        if (written_[static_cast<std::size_t>(i)]) store_->checkText(i, buffer_[i]);
    std::size_t row = 0;
    if (state_ == DataState::Edit) {
        row = store_->update(static_cast<std::size_t>(recNo_), buffer_);
        lastPost_ = PostKind::Edited;
    } else {
        row = store_->insert(buffer_);
        lastPost_ = PostKind::Inserted;
    }
    lastPostTo_ = static_cast<int>(row);
    state_ = DataState::Browse;
    modified_ = false;
    insertRow_ = -1;
    buffer_.clear();
    written_.clear();
    recNo_ = static_cast<int>(row);
    notify(RowsChanged | RecordChanged | StateChanged);
}

void ContractTable::Cancel() {
    if (state_ != DataState::Edit && state_ != DataState::Insert) return;
    const bool inserting = state_ == DataState::Insert;
    if (inserting) recNo_ = insertRow_;
    state_ = DataState::Browse;
    modified_ = false;
    insertRow_ = -1;
    buffer_.clear();
    written_.clear();
    const int stored = static_cast<int>(store_->rowCount());
    recNo_ = std::clamp(recNo_, 0, std::max(0, stored - 1));
    for (TableListener* l : std::vector<TableListener*>(listeners_)) l->discardPendingRequested();
    notify((inserting ? RowsChanged : 0u) | RecordChanged | StateChanged);
}

void ContractTable::Delete() {
    requireActive();
    if (state_ == DataState::Insert) {
        Cancel();
        return;
    }
    requireModifiable();
    if (isEmpty())
        throw TableError(QStringLiteral("В таблице «%1» нет записей: удалять нечего.").arg(location()));
    store_->remove(static_cast<std::size_t>(recNo_));
    const bool editing = state_ == DataState::Edit;
    state_ = DataState::Browse;
    modified_ = false;
    buffer_.clear();
    written_.clear();
    const int stored = static_cast<int>(store_->rowCount());
    recNo_ = std::clamp(recNo_, 0, std::max(0, stored - 1));
    if (editing)
        for (TableListener* l : std::vector<TableListener*>(listeners_)) l->discardPendingRequested();
    notify(RowsChanged | RecordChanged | StateChanged);
}

void ContractTable::Refresh() {
    requireActive();
    CheckBrowseMode();
    store_->refresh();
    const int stored = static_cast<int>(store_->rowCount());
    recNo_ = std::clamp(recNo_, 0, std::max(0, stored - 1));
    notify(RowsChanged | RecordChanged);
}

void ContractTable::UpdateRecord() {
    for (TableListener* l : std::vector<TableListener*>(listeners_))
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end())
            l->updateRecordRequested();
}

void ContractTable::CheckBrowseMode() {
    if (state_ != DataState::Edit && state_ != DataState::Insert) return;
    UpdateRecord();
    if (modified_)
        Post();
    else
        Cancel();
}

void ContractTable::setText(int field, const QString& text) {
    if (field < 0 || field >= fieldCount())
        throw TableError(QStringLiteral("В таблице «%1» нет поля с номером %2.").arg(location()).arg(field));
    if (state_ != DataState::Edit && state_ != DataState::Insert)
        throw TableError(QStringLiteral("Поле «%1» таблицы «%2» нельзя изменить: запись не открыта для правки.")
                             .arg(FieldDefs()[static_cast<std::size_t>(field)].name, location()));
    buffer_[field] = text;
    written_[static_cast<std::size_t>(field)] = true;
    const bool first = !modified_;
    modified_ = true;
    notify(FieldChanged | (first ? StateChanged : 0u), field);
}

void ContractTable::addListener(TableListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void ContractTable::removeListener(TableListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void ContractTable::notify(unsigned flags, int field) {
    const TableChange change{flags, field};
    for (TableListener* l : std::vector<TableListener*>(listeners_))
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end())
            l->tableChanged(change);
}

}  // namespace contracts
