#include "contracts/contract_grid.h"

#include "contracts/record_indicator.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace contracts {

ContractGrid::ContractGrid(QWidget* parent)
    : QTableView(parent), model_(new ContractGridModel(this)), indicator_(new RecordIndicator(this)) {
    setVerticalHeader(indicator_);
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    QHeaderView* titles = horizontalHeader();
    titles->setSectionsMovable(true);
    titles->setSectionsClickable(false);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    indicator_->setDefaultSectionSize(fontMetrics().height() + 4);
    titles->viewport()->installEventFilter(this);
    indicator_->viewport()->installEventFilter(this);
    connect(model_, &ContractGridModel::tableChanged, this, &ContractGrid::onTableChanged);
}

ContractGrid::~ContractGrid() { model_->setDataSource(nullptr); }

void ContractGrid::setDataSource(DataSource* source) {
    indicator_->setTable(source ? &source->table() : nullptr);
    model_->setDataSource(source);
    model_->setColumns(model_->columns());  // field names resolve against the new table
    for (int c = 0; c < static_cast<int>(model_->columns().size()); ++c) {
        setColumnWidth(c, model_->columns()[static_cast<std::size_t>(c)].width);
        setColumnHidden(c, !model_->columns()[static_cast<std::size_t>(c)].visible);
    }
    syncCurrent();
}

void ContractGrid::setColumns(std::vector<GridColumn> columns) {
    model_->setColumns(std::move(columns));
    const auto& cols = model_->columns();
    for (int c = 0; c < static_cast<int>(cols.size()); ++c) {
        setColumnWidth(c, cols[static_cast<std::size_t>(c)].width);
        setColumnHidden(c, !cols[static_cast<std::size_t>(c)].visible);
    }
    column_ = edgeColumn(false);
    syncCurrent();
}

void ContractGrid::setCurrentColumn(int column) {
    if (column < 0 || column >= model_->columnCount() || isColumnHidden(column)) return;
    column_ = column;
    syncCurrent();
}

void ContractGrid::syncCurrent() {
    if (syncing_) return;
    syncing_ = true;
    ContractTable* t = table();
    if (column_ < 0 || column_ >= model_->columnCount() || isColumnHidden(column_)) column_ = edgeColumn(false);
    if (!t || t->recNo() < 0 || column_ < 0) {
        selectionModel()->clear();
    } else {
        const QModelIndex idx = model_->index(t->recNo(), column_);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
        scrollTo(idx);
    }
    indicator_->viewport()->update();
    syncing_ = false;
}

void ContractGrid::onTableChanged(unsigned flags, int) {
    if (flags & (RowsChanged | RecordChanged)) syncCurrent();
    if (flags & StateChanged) indicator_->viewport()->update();
}

int ContractGrid::pageRows() const {
    const int h = indicator_->defaultSectionSize();
    return std::max(1, viewport()->height() / std::max(1, h));
}

int ContractGrid::neighbourColumn(int column, int step) const {
    const QHeaderView* titles = horizontalHeader();
    int visual = titles->visualIndex(column);
    for (visual += step; visual >= 0 && visual < titles->count(); visual += step) {
        const int logical = titles->logicalIndex(visual);
        if (!isColumnHidden(logical)) return logical;
    }
    return -1;
}

int ContractGrid::edgeColumn(bool last) const {
    const QHeaderView* titles = horizontalHeader();
    const int n = titles->count();
    for (int i = 0; i < n; ++i) {
        const int logical = titles->logicalIndex(last ? n - 1 - i : i);
        if (logical >= 0 && !isColumnHidden(logical)) return logical;
    }
    return -1;
}

void ContractGrid::cellClicked(const QModelIndex& index) {
    ContractTable* t = table();
    if (!t) return;
    if (index.row() != t->recNo()) t->moveTo(index.row());
    if (t->recNo() == index.row()) setCurrentColumn(index.column());
}

void ContractGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) cellClicked(index);
}

void ContractGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit recordDoubleClicked();
}

bool ContractGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == horizontalHeader()->viewport() || watched == indicator_->viewport()))
        emit recordDoubleClicked();
    return QTableView::eventFilter(watched, event);
}

void ContractGrid::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    ContractTable* t = table();
    if (angle.y() == 0 || !t) {
        QTableView::wheelEvent(event);  // sideways: the columns scroll
        return;
    }
    event->accept();
    wheelAngle_ += angle.y();
    const int notches = wheelAngle_ / QWheelEvent::DefaultDeltasPerStep;
    wheelAngle_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) t->moveBy(-notches);
}

void ContractGrid::rowDown() {
    if (ContractTable* t = table()) t->moveBy(1);
}

void ContractGrid::rowUp() {
    if (ContractTable* t = table()) t->moveBy(-1);
}

void ContractGrid::tabColumn(bool forward) {
    ContractTable* t = table();
    if (!t) return;
    const int next = neighbourColumn(column_, forward ? 1 : -1);
    if (next >= 0) {
        setCurrentColumn(next);
        return;
    }
    const int before = t->recNo();
    const int countBefore = t->recordCount();
    if (forward)
        rowDown();
    else if (!t->bof())
        rowUp();
    if (t->recNo() != before || t->recordCount() != countBefore) setCurrentColumn(edgeColumn(!forward));
}

bool ContractGrid::handleMovementKey(QKeyEvent* event) {
    ContractTable* t = table();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up: rowUp(); return true;
    case Qt::Key_Down: rowDown(); return true;
    case Qt::Key_PageUp: if (t) t->moveBy(-pageRows()); return true;
    case Qt::Key_PageDown: if (t) t->moveBy(pageRows()); return true;
    case Qt::Key_Home:
        if (ctrl) { if (t) t->first(); } else setCurrentColumn(edgeColumn(false));
        return true;
    case Qt::Key_End:
        if (ctrl) { if (t) t->last(); } else setCurrentColumn(edgeColumn(true));
        return true;
    case Qt::Key_Left: { const int c = neighbourColumn(column_, -1); if (c >= 0) setCurrentColumn(c); return true; }
    case Qt::Key_Right: { const int c = neighbourColumn(column_, 1); if (c >= 0) setCurrentColumn(c); return true; }
    case Qt::Key_Tab: tabColumn(true); return true;
    case Qt::Key_Backtab: tabColumn(false); return true;
    default: return false;
    }
}

void ContractGrid::keyPressEvent(QKeyEvent* event) {
    if (!handleMovementKey(event)) event->ignore();
}

}  // namespace contracts
