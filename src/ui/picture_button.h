// A picture that acts as a button: a click on it emits clicked(). It takes no focus,
// has no pressed, focused or disabled look and keeps the normal mouse pointer; its
// hint shows as a tooltip while the mouse rests on it.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace ui {

class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(QWidget* parent, const QString& objectName, const QPixmap& picture,
                  const QPoint& position, const QString& hint = {});

    const QPixmap& pixmap() const { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool pressed_ = false;
};

}  // namespace ui
