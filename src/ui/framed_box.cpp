#include "ui/framed_box.h"

#include <QLabel>
#include <QPainter>

namespace ui {

FramedBox::FramedBox(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void FramedBox::setHeading(QLabel* heading) {
    heading_ = heading;
    if (heading_) {
        heading_->setAutoFillBackground(true);
        QPalette p = heading_->palette();
        p.setColor(QPalette::Window, palette().color(QPalette::Window));
        heading_->setPalette(p);
        heading_->raise();
    }
    update();
}

void FramedBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // The top edge runs at half the height of the box's font, as a group box caption would sit.
    const int top = fontMetrics().height() / 2;
    painter.drawRect(QRect(0, top, width() - 1, height() - 1 - top));
}

}  // namespace ui
