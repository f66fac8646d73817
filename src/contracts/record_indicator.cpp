#include "contracts/record_indicator.h"

#include "contracts/contract_table.h"

#include <QPainter>
#include <QPainterPath>

namespace contracts {

RecordIndicator::RecordIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedWidth(12);
}

QSize RecordIndicator::sectionSizeFromContents(int) const { return {12, defaultSectionSize()}; }

void RecordIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, palette().button());
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    if (table_ && logicalIndex == table_->recNo()) {
        painter->setRenderHint(QPainter::Antialiasing);
        const QColor ink = palette().color(QPalette::ButtonText);
        const QPointF c = QRectF(rect).center();
        switch (table_->state()) {
        case DataState::Edit: {  // I-beam
            QPen pen(ink, 1.2);
            painter->setPen(pen);
            painter->drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
            painter->drawLine(QPointF(c.x() - 2, c.y() - 4), QPointF(c.x() + 2, c.y() - 4));
            painter->drawLine(QPointF(c.x() - 2, c.y() + 4), QPointF(c.x() + 2, c.y() + 4));
            break;
        }
        case DataState::Insert: {  // star
            QPen pen(ink, 1.2);
            painter->setPen(pen);
            for (int i = 0; i < 3; ++i) {
                painter->save();
                painter->translate(c);
                painter->rotate(60.0 * i);
                painter->drawLine(QPointF(0, -3.5), QPointF(0, 3.5));
                painter->restore();
            }
            break;
        }
        default: {  // arrow
            QPainterPath arrow;
            arrow.moveTo(c.x() - 2.5, c.y() - 4);
            arrow.lineTo(c.x() + 2.5, c.y());
            arrow.lineTo(c.x() - 2.5, c.y() + 4);
            arrow.closeSubpath();
            painter->fillPath(arrow, ink);
            break;
        }
        }
    }
    painter->restore();
}

}  // namespace contracts
