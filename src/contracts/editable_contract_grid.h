// The editable contract grid: the read-only grid's moves plus the stock cell editing over
// the contract table — the cell editor and its pending text, appending below the last row,
// Insert, Ctrl+Delete with the confirmation, Escape, and leaving the grid.
#pragma once

#include "contracts/contract_grid.h"

#include "contracts/field_line_edit.h"

namespace desktop { class Desktop; }

namespace contracts {

class EditableContractGrid final : public ContractGrid {
    Q_OBJECT
public:
    explicit EditableContractGrid(desktop::Desktop& desktop, QWidget* parent = nullptr);
    ~EditableContractGrid() override;

    // The open cell editor, or nullptr.
    FieldLineEdit* cellEditor() const { return editor_; }
    // The cell holds text typed but not yet written into the record.
    bool hasPendingText() const { return editor_ && dirty_; }
    // Opens the cell editor on the current cell (as F2 does); false when the cell cannot be edited.
    bool openCellEditor();
    // Writes the cell's pending text into the record.
    void writePendingText();

    // The stock confirmation before a delete; true for "OK".
    static bool confirmDelete(desktop::Desktop& desktop, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void cellClicked(const QModelIndex& index) override;
    void onTableChanged(unsigned flags, int field) override;
    void rowDown() override;
    void rowUp() override;
    void tabColumn(bool forward) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class CellDelegate;
    void editorCreated(FieldLineEdit* editor);
    void dropEditor();           // closes the editor without writing
    void handleEscape();
    void deleteWithConfirmation();
    bool beginChange();          // the first change: Edit through the data source
    void focusMoved(QWidget* old, QWidget* now);
    bool owns(const QWidget* w) const;

    desktop::Desktop& desktop_;
    FieldLineEdit* editor_ = nullptr;
    bool dirty_ = false;
    bool writing_ = false;  // the editor's own text is being written into the record
};

}  // namespace contracts
