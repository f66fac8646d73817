// The label kinds of the common look: inert text (olive unless told otherwise), section
// links (purple, show a screen) and web links (teal, hand pointer, open a web page).
// Inert labels let clicks pass to what lies beneath, so they never react.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

#include "ui/colors.h"

namespace ui {

// A label that reports a left click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// Text sized to itself, at the given top left corner.
QLabel* textLabel(QWidget* parent, const QString& objectName, const QString& text,
                  const QPoint& position, const QFont& font, const QColor& color = kOlive);
// Text in a fixed rectangle, broken at word boundaries when wrap is set.
QLabel* fixedLabel(QWidget* parent, const QString& objectName, const QString& text,
                   const QRect& geometry, const QFont& font, bool wrap,
                   const QColor& color = kOlive, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

// Inert text as the layouts give it: sized to itself when the geometry has no size,
// otherwise fixed and wrapped at word boundaries inside it.
QLabel* layoutLabel(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry,
                    const QFont& font, const QColor& color = kOlive);

// A purple label that shows a screen; sized to its text unless a size is given.
LinkLabel* sectionLink(QWidget* parent, const QString& objectName, const QString& text,
                       const QRect& geometry, const QFont& font);
// A teal label with the hand pointer that opens a web page; sized to its text unless a size is given.
LinkLabel* webLink(QWidget* parent, const QString& objectName, const QString& text,
                   const QRect& geometry, const QFont& font);

// Applies a text colour to a label through its palette.
void setTextColor(QWidget* widget, const QColor& color);

}  // namespace ui
