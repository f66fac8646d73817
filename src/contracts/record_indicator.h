// The record indicator column at the left of a contract grid: marks the current record,
// with an arrow in browse state, an I-beam while it is edited, a star while it is new.
#pragma once

#include <QHeaderView>

namespace contracts {

class ContractTable;

class RecordIndicator final : public QHeaderView {
    Q_OBJECT
public:
    explicit RecordIndicator(QWidget* parent = nullptr);
    void setTable(const ContractTable* table) { table_ = table; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    const ContractTable* table_ = nullptr;
};

}  // namespace contracts
