// What a screen needs to reach the others: show one by its instance name ("Form8"),
// or show the one modal screen and wait until it is closed.
#pragma once

#include <QString>

namespace ui {

class Navigator {
public:
    virtual ~Navigator() = default;
    // Makes the screen visible and brings it to the front; a visible screen is only raised.
    virtual void show(const QString& screenName) = 0;
    // Shows a dialog screen modally; returns when it has been closed.
    virtual int showModal(const QString& screenName) = 0;
};

}  // namespace ui
