// The colours of the common look. Colour values as the screens store them are
// 0x00BBGGRR; fromColorValue turns one into a QColor.
#pragma once

#include <QColor>

namespace ui {

constexpr QColor fromColorValue(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Every screen's background: the button-highlight colour of the standard scheme.
inline constexpr QColor kBackground{255, 255, 255};
// Body text, titles and notes.
inline constexpr QColor kOlive{128, 128, 0};
// Labels that show another screen.
inline constexpr QColor kPurple{128, 0, 128};
// Labels that open a web page.
inline constexpr QColor kTeal{0, 128, 128};
// The accent green of the main page's header and the grids' title rows (4894334).
inline constexpr QColor kAccentGreen = fromColorValue(4894334);
// Cell text of the contract grids and the card's edits.
inline constexpr QColor kGrey{128, 128, 128};
// The pale green of the cabinet page's boxes (14479331).
inline constexpr QColor kPaleGreen = fromColorValue(14479331);

}  // namespace ui
