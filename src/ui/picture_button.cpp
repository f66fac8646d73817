#include "ui/picture_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

PictureButton::PictureButton(QWidget* parent, const QString& objectName, const QPixmap& picture,
                             const QPoint& position, const QString& hint)
    : QWidget(parent), picture_(picture)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(QRect(position, picture.deviceIndependentSize().toSize()));
    if (!hint.isEmpty())
        setToolTip(hint);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

// Like a toolkit button, the click counts when the left button is let go over the picture.
void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

}  // namespace ui
