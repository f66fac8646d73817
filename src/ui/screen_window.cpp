#include "ui/screen_window.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "ui/colors.h"

namespace ui {
namespace {

// Fits the frame to the designed outer size the first time the window is shown, when the
// window manager's frame is known; later showings keep whatever size the user gave it.
class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize outer) : QObject(window), outer_(outer) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !done_) {
            done_ = true;
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            const QSize outer = outer_;
            QTimer::singleShot(0, this, [window, outer] {
                if (!window || (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                    return;
                const QSize frame = window->frameGeometry().size() - window->geometry().size();
                if (!frame.isEmpty() && window->frameGeometry().size() != outer)
                    window->resize(outer - frame);
            });
        }
        return false;
    }

private:
    QSize outer_;
    bool done_ = false;
};

}  // namespace

void setWhiteBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kBackground);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setUpScreenWindow(QWidget* window, const WindowLayout& layout)
{
    window->setObjectName(layout.objectName);
    window->setWindowTitle(layout.caption);
    Qt::WindowFlags flags = window->windowFlags() & Qt::WindowType_Mask;
    if (flags != Qt::Dialog)
        flags = Qt::Window;
    if (layout.buttons == TitleButtons::CloseOnly)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    else
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
    setWhiteBackground(window);
    // QWidget::move places the frame's corner; resize sets the client area, which equals
    // the outer size until the frame is known.
    window->move(layout.outer.topLeft());
    window->resize(layout.outer.size());
    window->installEventFilter(new OuterSizeKeeper(window, layout.outer.size()));
}

}  // namespace ui
