#include "ui/labels.h"

#include <QMouseEvent>

namespace ui {

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

namespace {

void style(QLabel* label, const QString& objectName, const QString& text, const QFont& font, const QColor& color)
{
    label->setObjectName(objectName);
    label->setFont(font);
    label->setText(text);
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    setTextColor(label, color);
}

void place(QLabel* label, const QRect& geometry)
{
    if (geometry.size().isEmpty()) {
        label->adjustSize();
        label->move(geometry.topLeft());
    } else {
        label->setGeometry(geometry);
    }
}

LinkLabel* link(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                const QFont& font, const QColor& color)
{
    auto* label = new LinkLabel(parent);
    style(label, objectName, text, font, color);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, geometry);
    return label;
}

}  // namespace

QLabel* textLabel(QWidget* parent, const QString& objectName, const QString& text, const QPoint& position,
                  const QFont& font, const QColor& color)
{
    auto* label = new QLabel(parent);
    style(label, objectName, text, font, color);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(label, QRect(position, QSize()));
    return label;
}

QLabel* fixedLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                   const QFont& font, bool wrap, const QColor& color, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    style(label, objectName, text, font, color);
    label->setWordWrap(wrap);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setGeometry(geometry);
    return label;
}

QLabel* layoutLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                    const QFont& font, const QColor& color)
{
    if (geometry.size().isEmpty())
        return textLabel(parent, objectName, text, geometry.topLeft(), font, color);
    return fixedLabel(parent, objectName, text, geometry, font, true, color);
}

LinkLabel* sectionLink(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                       const QFont& font)
{
    return link(parent, objectName, text, geometry, font, kPurple);
}

LinkLabel* webLink(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                   const QFont& font)
{
    LinkLabel* label = link(parent, objectName, text, geometry, font, kTeal);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

}  // namespace ui
