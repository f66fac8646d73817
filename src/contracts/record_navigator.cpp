#include "contracts/record_navigator.h"

#include "contracts/editable_contract_grid.h"
#include "platform/desktop.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace contracts {

namespace {

// The glyphs drawn at 16 by 16: a plus, a minus, a tick, a cross, a circular arrow.
QIcon glyph(NavigatorButton which, const QColor& ink) {
    QIcon icon;
    for (const QColor& c : {ink, QColor(160, 160, 160)}) {
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(c, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        switch (which) {
        case NavigatorButton::Insert:
            p.drawLine(QPointF(8, 3), QPointF(8, 13));
            p.drawLine(QPointF(3, 8), QPointF(13, 8));
            break;
        case NavigatorButton::Delete: p.drawLine(QPointF(3, 8), QPointF(13, 8)); break;
        case NavigatorButton::Post: {
            QPainterPath tick;
            tick.moveTo(3, 8.5);
            tick.lineTo(6.5, 12);
            tick.lineTo(13, 4);
            p.drawPath(tick);
            break;
        }
        case NavigatorButton::Cancel:
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case NavigatorButton::Refresh: {
            p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(3, 3, 10, 10), 100 * 16, 290 * 16);
            QPainterPath head;  // arrow head at the arc's open end, pointing along it
            head.moveTo(9.5, 0.8);
            head.lineTo(9.5, 6.2);
            head.lineTo(5.6, 3.4);
            head.closeSubpath();
            p.fillPath(head, c);
            break;
        }
        }
        p.end();
        icon.addPixmap(pm, c == ink ? QIcon::Normal : QIcon::Disabled);
    }
    return icon;
}

}  // namespace

RecordNavigator::RecordNavigator(desktop::Desktop& desktop, QWidget* parent) : QWidget(parent), desktop_(desktop) {
    static const char* names[] = {"Insert", "Delete", "Post", "Cancel", "Refresh"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QToolButton(this);
        const auto which = static_cast<NavigatorButton>(i);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setIcon(glyph(which, QColor(0, 0, 0)));
        b->setIconSize(QSize(16, 16));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, which] { press(which); });
        buttons_[static_cast<std::size_t>(i)] = b;
    }
    setFocusPolicy(Qt::NoFocus);
    resize(305, 25);
    updateButtons();
}

QToolButton* RecordNavigator::button(NavigatorButton which) const {
    return buttons_[static_cast<std::size_t>(which)];
}

void RecordNavigator::press(NavigatorButton which) {
    ContractTable* t = table();
    if (!t || t->state() == DataState::Inactive || !button(which)->isEnabled()) return;
    switch (which) {
    case NavigatorButton::Insert: t->Insert(); break;
    case NavigatorButton::Delete:
        if (EditableContractGrid::confirmDelete(desktop_, window())) t->Delete();
        break;
    case NavigatorButton::Post: t->Post(); break;
    case NavigatorButton::Cancel: t->Cancel(); break;
    case NavigatorButton::Refresh: t->Refresh(); break;
    }
}

void RecordNavigator::dataChanged(const TableChange&) { updateButtons(); }

void RecordNavigator::updateButtons() {
    const ContractTable* t = table();
    const bool can = t && t->canModify();
    const bool editing = t && (t->state() == DataState::Edit || t->state() == DataState::Insert);
    button(NavigatorButton::Insert)->setEnabled(can);
    button(NavigatorButton::Delete)->setEnabled(can && !t->isEmpty());
    button(NavigatorButton::Post)->setEnabled(can && editing);
    button(NavigatorButton::Cancel)->setEnabled(can && editing);
    button(NavigatorButton::Refresh)->setEnabled(can);
}

void RecordNavigator::resizeEvent(QResizeEvent*) { layoutButtons(); }

void RecordNavigator::layoutButtons() {
    // Five buttons of equal width; the odd pixels go to the first ones.
    const int w = width(), h = height();
    int x = 0;
    for (int i = 0; i < 5; ++i) {
        const int bw = w / 5 + (i < w % 5 ? 1 : 0);
        buttons_[static_cast<std::size_t>(i)]->setGeometry(x, 0, bw, h);
        x += bw;
    }
}

}  // namespace contracts
