#include "paint_probe.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace contracts_bench {

PaintProbe::PaintProbe(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

bool PaintProbe::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++paints_;
        // Quit queued: the loop stops only after the repaint pass that holds this paint.
        if (loop_) QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
    }
    return false;
}

bool PaintProbe::waitForPaint(int seen, int timeoutMs) {
    if (paints_ > seen) return true;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(timeoutMs);
    loop_ = &loop;
    while (paints_ <= seen && guard.isActive()) loop.exec();
    loop_ = nullptr;
    return paints_ > seen;
}

}  // namespace contracts_bench
