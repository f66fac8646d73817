// The program's pictures: SVG drawings in the resources, rendered once at the size
// the screens use them.
#pragma once

#include <QPixmap>
#include <QSize>

namespace ui {

enum class Picture {
    // 50 by 50 section tiles of the main and cabinet pages.
    AllLetters,    // a notebook
    Contracts,     // a window with a title bar and text lines
    Cabinet,       // a calendar page with the figure 7
    Consultation,  // a map pin
    OrderLetter,   // a bookmark with a star
    Feedback,      // a gear wheel
    // 41 by 41 tiles of the other screens.
    Ring,          // the common button of letter pages, the index, the contracts page
    Document,      // the generate button of the estimate and hidden-works letters
    Square,        // the card's cancel button
    // The main page's 1065 by 683 illustration.
    Illustration,
};

// The picture's designed size.
QSize pictureSize(Picture picture);
// The picture rendered at its designed size (cached); throws std::runtime_error when
// the resource is missing or not a valid drawing.
QPixmap picture(Picture picture);

}  // namespace ui
