#include "app/screen_windows.h"

namespace app {

std::unique_ptr<QWidget> bareScreen(const ui::WindowLayout& layout)
{
    auto screen = std::make_unique<QWidget>();
    ui::setUpScreenWindow(screen.get(), layout);
    return screen;
}

std::unique_ptr<QDialog> bareDialogScreen(const ui::WindowLayout& layout)
{
    auto screen = std::make_unique<QDialog>();
    ui::setUpScreenWindow(screen.get(), layout);
    return screen;
}

}  // namespace app
