// A contract grid: the record indicator, the title row and the columns of a column table,
// over the shared data source. This view is read-only: a click or a movement key makes
// another record current (after the browse-mode check); it never changes data.
#pragma once

#include "contracts/grid_model.h"

#include <QTableView>

namespace contracts {

class RecordIndicator;

class ContractGrid : public QTableView {
    Q_OBJECT
public:
    explicit ContractGrid(QWidget* parent = nullptr);
    ~ContractGrid() override;

    // May be called before the data module exists (nullptr) and again once it does.
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return model_->dataSource(); }
    ContractTable* table() const { return model_->table(); }
    // The columns with their titles, widths and visibility, in this order.
    void setColumns(std::vector<GridColumn> columns);
    ContractGridModel* gridModel() const { return model_; }
    RecordIndicator* indicator() const { return indicator_; }

    // The column of the current cell (a column of the column table).
    int currentColumn() const { return column_; }
    void setCurrentColumn(int column);

signals:
    // A double click anywhere on the grid: cells, title row, indicator, empty space.
    void recordDoubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel moves the current record, a row per notch (after the browse-mode check).
    void wheelEvent(QWheelEvent* event) override;
    void keyboardSearch(const QString&) override {}
    bool eventFilter(QObject* watched, QEvent* event) override;

    // A click on a cell; the read-only grid moves the record and the column.
    virtual void cellClicked(const QModelIndex& index);
    // After every change notice, once the model has taken it in.
    virtual void onTableChanged(unsigned flags, int field);
    // Movement keys shared by every grid; false when the key is not one of them.
    bool handleMovementKey(QKeyEvent* event);
    // Tab and Shift+Tab: the next or previous shown column, wrapping to the next or previous row.
    virtual void tabColumn(bool forward);
    virtual void rowDown();   // Down
    virtual void rowUp();     // Up
    int pageRows() const;
    // The shown column next to `column` in screen order (step +1/-1); -1 when none.
    int neighbourColumn(int column, int step) const;
    int edgeColumn(bool last) const;
    void syncCurrent();

private:
    ContractGridModel* model_;
    RecordIndicator* indicator_;
    int column_ = -1;
    bool syncing_ = false;
    int wheelAngle_ = 0;  // eighths of a degree not yet turned into a move
};

}  // namespace contracts
