// The window of a screen: identity, caption, outer geometry on the desktop, title-bar
// buttons and the white background every screen has.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace ui {

enum class TitleButtons {
    All,        // system menu, minimize, maximize, close; resizable frame
    CloseOnly,  // system menu and close only; resizable frame
};

struct WindowLayout {
    QString objectName;  // the screen's instance name, "Form1"
    QString caption;
    QRect outer;         // top left corner and outer size (frame included) on the desktop
    TitleButtons buttons = TitleButtons::All;
};

// Sets up a top-level widget as a screen. The layouts give the outer size, frame
// included; the frame is only known once the window manager has framed the window, so
// the client size is corrected once on the first showing.
void setUpScreenWindow(QWidget* window, const WindowLayout& layout);

// Paints a widget's background in the screens' white.
void setWhiteBackground(QWidget* widget);

}  // namespace ui
