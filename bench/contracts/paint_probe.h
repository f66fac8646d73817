// Waiting for a widget to have painted: the probe counts the paint events the widget
// receives, and waitForPaint runs the event loop until one more has come and its whole
// repaint pass (the other widgets of the window and the flush) has finished.
#pragma once

#include <QObject>

class QEventLoop;
class QWidget;

namespace contracts_bench {

class PaintProbe final : public QObject {
public:
    explicit PaintProbe(QWidget* widget);
    int paints() const { return paints_; }
    // True once a paint after `seen` paints has completed; false after the timeout.
    bool waitForPaint(int seen, int timeoutMs = 5000);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int paints_ = 0;
    bool waiting_ = false;
    QEventLoop* loop_ = nullptr;
};

}  // namespace contracts_bench
