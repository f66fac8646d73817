// A line edit bound to one field of the shared data source: it shows the field's text of
// the current record and keeps what the user types as pending text until it is written
// (focus moving to another control of the screen, or the table updating the record).
#pragma once

#include "contracts/data_source.h"

#include "contracts/field_line_edit.h"

namespace contracts {

class BoundEdit final : public FieldLineEdit, public DataLink {
    Q_OBJECT
public:
    explicit BoundEdit(QWidget* parent = nullptr);

    // The binding is by field name; it takes effect once a data source is set.
    void setDataField(const QString& name);
    const QString& dataField() const { return fieldName_; }
    Field* field() const;
    bool hasPendingText() const { return pending_; }
    // Writes the pending text into the record (when there is some and the record is open).
    void writePendingText();

    void updateRecord() override { writePendingText(); }
    void discardPending() override;
    void dataChanged(const TableChange& change) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showValue();
    bool beginChange();

    QString fieldName_;
    bool pending_ = false;
};

}  // namespace contracts
