// Fonts by character height in pixels, as the screens' layouts give them.
// Verdana and Tahoma are asked for by name; where they are not installed,
// fontconfig substitutes DejaVu Sans, whose metrics are close.
#pragma once

#include <QFont>

namespace ui {

QFont verdana(int pixelHeight, bool bold = false);
QFont tahoma(int pixelHeight, bool bold = false);

}  // namespace ui
