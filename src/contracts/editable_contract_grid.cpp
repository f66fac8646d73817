#include "contracts/editable_contract_grid.h"

#include "contracts/field_line_edit.h"
#include "platform/desktop.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace contracts {

// The cell editor: a frameless line edit holding at most the field's length. Keys and focus
// are the grid's business, so the delegate's own handling of them is switched off.
class CellDelegate final : public QStyledItemDelegate {
public:
    explicit CellDelegate(EditableContractGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* editor = new FieldLineEdit(parent);
        editor->setFrame(false);
        ContractTable* t = grid_.table();
        const int field = grid_.gridModel()->fieldOf(index.column());
        if (t && field >= 0) editor->setFieldLength(t->fieldAt(field).length());
        const auto& columns = grid_.gridModel()->columns();
        if (index.column() >= 0 && index.column() < static_cast<int>(columns.size()))
            editor->setFieldLabel(columns[static_cast<std::size_t>(index.column())].title.simplified());
        grid_.editorCreated(editor);
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (editor == grid_.editor_ && grid_.dirty_) return;  // keep what the user typed
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (editor == grid_.editor_) {
            grid_.editor_ = nullptr;
            grid_.dirty_ = false;
        }
        QStyledItemDelegate::destroyEditor(editor, index);
    }
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&) override {
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return QObject::eventFilter(watched, event); }

private:
    EditableContractGrid& grid_;
};

EditableContractGrid::EditableContractGrid(desktop::Desktop& desktop, QWidget* parent)
    : ContractGrid(parent), desktop_(desktop) {
    gridModel()->setEditable(true);
    setItemDelegate(new CellDelegate(*this));
    connect(gridModel(), &ContractGridModel::updateRecordRequested, this, &EditableContractGrid::writePendingText);
    connect(gridModel(), &ContractGridModel::discardPendingRequested, this, &EditableContractGrid::dropEditor);
    // A reset would hide a focused editor, and Qt then passes the focus on as a Tab would:
    // the current cell would jump a column, or past the last one to another record.
    connect(gridModel(), &QAbstractItemModel::modelAboutToBeReset, this, &EditableContractGrid::dropEditor);
    connect(qApp, &QApplication::focusChanged, this, &EditableContractGrid::focusMoved);
}

EditableContractGrid::~EditableContractGrid() {
    disconnect(qApp, &QApplication::focusChanged, this, &EditableContractGrid::focusMoved);
}

bool EditableContractGrid::confirmDelete(desktop::Desktop& desktop, QWidget* parent) {
    return desktop.ask(parent, QStringLiteral("Confirm"), QStringLiteral("Delete record?"), desktop::Icon::Question,
                       {desktop::Answer::Ok, desktop::Answer::Cancel}, desktop::Answer::Ok) == desktop::Answer::Ok;
}

void EditableContractGrid::editorCreated(FieldLineEdit* editor) {
    editor_ = editor;
    dirty_ = false;
    editor->installEventFilter(this);
    connect(editor, &QLineEdit::textEdited, this, [this, editor] {
        if (editor != editor_) return;
        dirty_ = true;
        gridModel()->noteTyped();
        // A change that came without a key (a menu's paste) still begins the edit.
        if (ContractTable* t = table(); t && t->state() == DataState::Browse) beginChange();
    });
}

bool EditableContractGrid::openCellEditor() {
    ContractTable* t = table();
    if (!t || t->recNo() < 0 || currentColumn() < 0) return false;
    const QModelIndex index = gridModel()->index(t->recNo(), currentColumn());
    if (!(gridModel()->flags(index) & Qt::ItemIsEditable)) return false;
    if (editor_) {
        editor_->setFocus();
        return true;
    }
    if (currentIndex() != index) syncCurrent();
    edit(index, QAbstractItemView::AllEditTriggers, nullptr);
    return editor_ != nullptr;
}

void EditableContractGrid::writePendingText() {
    if (!editor_ || !dirty_) return;
    writing_ = true;
    struct Reset {  // also when the write raises
        bool& flag;
        ~Reset() { flag = false; }
    } reset{writing_};
    commitData(editor_);
    dirty_ = false;
}

void EditableContractGrid::dropEditor() {
    if (!editor_) return;
    QLineEdit* editor = editor_;
    dirty_ = false;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    editor_ = nullptr;
}

bool EditableContractGrid::beginChange() {
    DataSource* ds = dataSource();
    return ds && ds->edit();
}

bool EditableContractGrid::owns(const QWidget* w) const { return w && (w == this || isAncestorOf(w)); }

void EditableContractGrid::focusMoved(QWidget* old, QWidget* now) {
    if (!owns(old) || !now || owns(now) || now->window() != window()) return;
    ContractTable* t = table();
    if (!t) return;
    if (t->state() == DataState::Insert && !t->Modified() && !hasPendingText()) {
        dropEditor();
        t->Cancel();
    } else {
        writePendingText();
        dropEditor();
    }
}

void EditableContractGrid::handleEscape() {
    if (hasPendingText()) {
        dropEditor();
        return;
    }
    dropEditor();
    if (ContractTable* t = table()) t->Cancel();
}

void EditableContractGrid::deleteWithConfirmation() {
    ContractTable* t = table();
    if (!t || !t->canModify() || t->isEmpty()) return;
    if (!confirmDelete(desktop_, window())) return;
    dropEditor();
    t->Delete();
}

void EditableContractGrid::rowDown() {
    ContractTable* t = table();
    if (!t) return;
    if (t->state() == DataState::Insert && !t->Modified() && !hasPendingText() && t->eof()) return;
    if (t->eof() && t->canModify()) {
        t->Append();
        return;
    }
    t->moveBy(1);
}

void EditableContractGrid::rowUp() {
    ContractTable* t = table();
    if (!t) return;
    if (t->state() == DataState::Insert && !t->Modified() && !hasPendingText() && t->eof()) {
        dropEditor();
        t->Cancel();
        return;
    }
    t->moveBy(-1);
}

void EditableContractGrid::tabColumn(bool forward) {
    writePendingText();
    ContractGrid::tabColumn(forward);
}

void EditableContractGrid::cellClicked(const QModelIndex& index) {
    ContractTable* t = table();
    if (!t) return;
    if (index.row() != t->recNo()) {
        ContractGrid::cellClicked(index);
        return;
    }
    if (index.column() != currentColumn()) {
        writePendingText();
        setCurrentColumn(index.column());
        return;
    }
    if (!editor_) openCellEditor();
}

void EditableContractGrid::onTableChanged(unsigned flags, int field) {
    ContractTable* t = table();
    if ((flags & RowsChanged) || !t || t->recNo() < 0) dropEditor();
    // Another control (the card) wrote this cell's field after the user typed here: the typed
    // text is out of date and must not overwrite that value when the cell is left.
    if (editor_ && dirty_ && !writing_ && (flags & FieldChanged) && field >= 0 &&
        field == gridModel()->fieldOf(currentColumn())) {
        dirty_ = false;
        editor_->setText(t->text(field));
    }
    ContractGrid::onTableChanged(flags, field);
}

void EditableContractGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // The pending text was written (or dropped) by whoever moved the cell; an editor left
    // open would otherwise be written again by the view and mark an untouched record modified.
    if (editor_ && current != previous) dropEditor();
    ContractGrid::currentChanged(current, previous);
}

bool EditableContractGrid::eventFilter(QObject* watched, QEvent* event) {
    if (editor_ && watched == editor_) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            // The second press of a double click lands on the current cell and opens the
            // editor; unless something was typed in it, it closes before the handler runs.
            if (!dirty_) dropEditor();
            emit recordDoubleClicked();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(event);
            const bool ctrl = ke->modifiers() & Qt::ControlModifier;
            switch (ke->key()) {
            case Qt::Key_Tab: tabColumn(true); return true;
            case Qt::Key_Backtab: tabColumn(false); return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                writePendingText();
                dropEditor();
                return true;
            case Qt::Key_Escape: handleEscape(); return true;
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                keyPressEvent(ke);
                return true;
            case Qt::Key_Home:
            case Qt::Key_End:
                if (ctrl) { keyPressEvent(ke); return true; }
                break;
            case Qt::Key_Left:
            case Qt::Key_Right:
                // Inside the text the caret moves; at its edge the key moves to the next cell.
                if (ke->modifiers() == Qt::NoModifier && !editor_->hasSelectedText() &&
                    editor_->cursorPosition() == (ke->key() == Qt::Key_Left ? 0 : editor_->text().size())) {
                    keyPressEvent(ke);
                    return true;
                }
                break;
            case Qt::Key_Insert:
                if (ke->modifiers() == Qt::NoModifier) { keyPressEvent(ke); return true; }
                break;
            case Qt::Key_Delete:
                if (ctrl) { keyPressEvent(ke); return true; }
                break;
            default: break;
            }
            if (isTextChangeKey(ke) && !beginChange()) return true;  // the record cannot be changed
            return false;
        }
    }
    return ContractGrid::eventFilter(watched, event);
}

void EditableContractGrid::keyPressEvent(QKeyEvent* event) {
    ContractTable* t = table();
    const Qt::KeyboardModifiers mods = event->modifiers();
    switch (event->key()) {
    case Qt::Key_F2: openCellEditor(); return;
    case Qt::Key_Escape: handleEscape(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: writePendingText(); return;
    case Qt::Key_Insert:
        if (mods == Qt::NoModifier) {
            if (t && t->canModify()) {
                writePendingText();
                t->Insert();
            }
            return;
        }
        break;
    case Qt::Key_Delete:
        if (mods & Qt::ControlModifier) {
            deleteWithConfirmation();
            return;
        }
        break;
    default: break;
    }
    // A move within the row leaves the cell: its pending text is written first.
    const int key = event->key();
    if ((key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End) &&
        !(mods & Qt::ControlModifier))
        writePendingText();
    if (handleMovementKey(event)) return;
    if (isTypedCharacter(event)) {
        const bool opened = editor_ == nullptr;
        // On an empty table the first keystroke begins the first record, as in every bound control.
        if (t && t->isEmpty() && t->canModify() && !beginChange()) return;
        if (openCellEditor() && editor_) {
            // A key typed on a closed cell replaces its text; one reaching an open editor adds to it.
            if (opened) editor_->selectAll();
            QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                           event->isAutoRepeat(), static_cast<ushort>(event->count()));
            QApplication::sendEvent(editor_, &copy);
        }
        return;
    }
    event->ignore();
}

}  // namespace contracts
