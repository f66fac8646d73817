#include "contracts/bound_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace contracts {

BoundEdit::BoundEdit(QWidget* parent) : FieldLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] {
        pending_ = true;
        noteTyped();
        // A change that came without a key (a menu's cut or paste) still begins the edit.
        if (ContractTable* t = table(); t && t->state() == DataState::Browse) beginChange();
    });
    showValue();
}

void BoundEdit::setDataField(const QString& name) {
    fieldName_ = name;
    pending_ = false;
    showValue();
}

Field* BoundEdit::field() const {
    ContractTable* t = table();
    return t && !fieldName_.isEmpty() ? t->FindField(fieldName_) : nullptr;
}

void BoundEdit::showValue() {
    Field* f = field();
    ContractTable* t = table();
    setReadOnly(!f || !t->canModify() || f->isReadOnly());
    setFieldLength(f ? f->length() : 0);
    if (fieldLabel().isEmpty() && f) setFieldLabel(f->name());
    // Only a different value replaces the text: the notice of the first change (Edit) must
    // not move the cursor or drop the selection the keystroke is about to act on.
    const QString value = f ? f->AsString() : QString();
    if (!pending_ && text() != value) {
        setText(value);
        setCursorPosition(0);
    }
}

void BoundEdit::writePendingText() {
    if (!pending_) return;
    Field* f = field();
    ContractTable* t = table();
    if (!f || !t || (t->state() != DataState::Edit && t->state() != DataState::Insert)) return;
    pending_ = false;
    try {
        f->setText(text());
    } catch (...) {
        pending_ = true;
        throw;
    }
}

void BoundEdit::discardPending() {
    pending_ = false;
    showValue();
}

void BoundEdit::dataChanged(const TableChange& change) {
    // Another record, or this field written by another control: text still pending here is
    // out of date and must not overwrite the value the user now sees elsewhere.
    const Field* f = field();
    if (change.has(RowsChanged) || change.has(RecordChanged) ||
        (change.has(FieldChanged) && f && change.field == f->index()))
        pending_ = false;
    showValue();
}

bool BoundEdit::beginChange() {
    DataSource* ds = dataSource();
    Field* f = field();
    return ds && f && !f->isReadOnly() && ds->edit();
}

void BoundEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        pending_ = false;
        showValue();
        selectAll();
        return;
    }
    if (isTextChangeKey(event)) {
        ContractTable* t = table();
        if (t && t->state() == DataState::Browse && !beginChange()) return;  // nothing may change
        if (isReadOnly()) return;
    }
    FieldLineEdit::keyPressEvent(event);
}

void BoundEdit::focusInEvent(QFocusEvent* event) {
    FieldLineEdit::focusInEvent(event);
    // Entered by the keyboard or by opening its screen, the whole value is selected, so typing
    // replaces it; a click places the cursor where it lands.
    if (event->reason() != Qt::MouseFocusReason) selectAll();
}

void BoundEdit::focusOutEvent(QFocusEvent* event) {
    // Only a move to another control of the same screen writes; switching windows does not.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        writePendingText();
    FieldLineEdit::focusOutEvent(event);
}

}  // namespace contracts
