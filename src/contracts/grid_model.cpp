#include "contracts/grid_model.h"

namespace contracts {

ContractGridModel::ContractGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ContractGridModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    resolveFields();
    shownRows_ = table() ? table()->recordCount() : 0;
    endResetModel();
}

void ContractGridModel::resolveFields() {
    fields_.clear();
    for (const GridColumn& c : columns_) fields_.push_back(table() ? table()->fieldIndex(c.field) : -1);
}

int ContractGridModel::fieldOf(int column) const {
    return column >= 0 && column < static_cast<int>(fields_.size()) ? fields_[static_cast<std::size_t>(column)] : -1;
}

int ContractGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ContractGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ContractGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !table() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return table()->rowText(index.row(), fieldOf(index.column()));
}

QVariant ContractGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < static_cast<int>(columns_.size())
                   ? QVariant(columns_[static_cast<std::size_t>(section)].title) : QVariant();
    return QString();  // the record indicator draws the row headers
}

Qt::ItemFlags ContractGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int field = fieldOf(index.column());
    if (editable_ && table() && field >= 0 && table()->canModify() && !table()->fieldAt(field).isReadOnly())
        f |= Qt::ItemIsEditable;
    return f;
}

bool ContractGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !table() || !(flags(index) & Qt::ItemIsEditable)) return false;
    if (index.row() != table()->recNo()) return false;
    table()->fieldAt(fieldOf(index.column())).setText(value.toString());
    return true;
}

void ContractGridModel::dataChanged(const TableChange& change) {
    ContractTable* t = table();
    if (change.has(RowsChanged) || !t || shownRows_ != t->recordCount()) {
        beginResetModel();
        resolveFields();
        shownRows_ = t ? t->recordCount() : 0;
        endResetModel();
    } else if (change.has(FieldChanged) && t->recNo() >= 0) {
        for (int c = 0; c < columnCount(); ++c)
            if (fieldOf(c) == change.field) emit QAbstractTableModel::dataChanged(index(t->recNo(), c), index(t->recNo(), c));
    }
    // The record indicator draws the mark itself; the grid repaints it on these changes, so
    // no header notice over every row (which costs time with many records) is needed.
    emit tableChanged(change.flags, change.field);
}

}  // namespace contracts
