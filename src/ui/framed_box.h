// A group box without a caption of its own: a flat single-line frame whose top edge runs
// through the middle of an optional heading label, which covers the line where it lies.
#pragma once

#include <QWidget>

class QLabel;

namespace ui {

class FramedBox final : public QWidget {
    Q_OBJECT
public:
    explicit FramedBox(QWidget* parent = nullptr);
    // The label laid over the top edge; it is given the box's background so the line stops at it.
    void setHeading(QLabel* heading);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* heading_ = nullptr;
};

}  // namespace ui
