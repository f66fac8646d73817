// A screen's bare window: its identity, caption, geometry, frame and white background.
// The screens whose controls are still being built are created as these windows.
#pragma once

#include <QDialog>
#include <QWidget>

#include <memory>

#include "ui/screen_window.h"

namespace app {

std::unique_ptr<QWidget> bareScreen(const ui::WindowLayout& layout);
std::unique_ptr<QDialog> bareDialogScreen(const ui::WindowLayout& layout);

}  // namespace app
