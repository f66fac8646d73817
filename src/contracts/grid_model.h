// The item model of a contract grid: rows of the contract table read on demand, the
// columns of the column table the screen gives. One model per grid; every model follows
// the one data source, so every grid shows the same current record and state.
#pragma once

#include "contracts/data_source.h"

#include <QAbstractTableModel>

#include <vector>

namespace contracts {

struct GridColumn {
    QString field;     // field name in the table
    QString title;     // title row text
    int width = 64;    // pixels
    bool visible = true;
};

class ContractGridModel final : public QAbstractTableModel, public DataLink {
    Q_OBJECT
public:
    explicit ContractGridModel(QObject* parent = nullptr);

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }
    // The table's field index for a column; -1 when the table has no such field.
    int fieldOf(int column) const;
    // Cells may be edited (the editable grid); fields the program never writes stay read-only.
    void setEditable(bool on) { editable_ = on; }
    bool editable() const { return editable_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void updateRecord() override { emit updateRecordRequested(); }
    void discardPending() override { emit discardPendingRequested(); }
    void dataChanged(const TableChange& change) override;

signals:
    // Sent after the model has taken in the change.
    void tableChanged(unsigned flags, int field);
    void updateRecordRequested();
    void discardPendingRequested();

private:
    void resolveFields();

    std::vector<GridColumn> columns_;
    std::vector<int> fields_;
    bool editable_ = false;
    int shownRows_ = 0;
};

}  // namespace contracts
